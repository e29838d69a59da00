#include "ui/skin_dialog.h"

#include "session/app_texts.h"
#include "ui/image_button.h"
#include "ui/local_text.h"
#include "ui/modal_turns.h"
#include "ui/skin_pictures.h"
#include "ui/texts.h"
#include "ui/window_placement.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QShowEvent>
#include <QVBoxLayout>
#include <QWindow>

namespace murmex {
namespace {

class CLogoBox final : public QWidget {
public:
    CLogoBox(int picture, QWidget* parent) : QWidget(parent), m_picture(picture) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawTiledPixmap(rect(), SkinPicture(m_picture, devicePixelRatioF()));
    }

private:
    int m_picture;
};

// The black box between the logo and the buttons. It carries the window: the
// point grabbed stays under the pointer for as long as the button is held. A
// label underneath, so that a screen reader reads its text (the main bar's
// user number) like any other text of the window; it draws itself.
class CCaptionBox final : public QLabel {
public:
    explicit CCaptionBox(QWidget* parent) : QLabel(parent) { setTextFormat(Qt::PlainText); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        if (text().isEmpty())
            return;
        painter.setFont(window()->font());
        painter.setPen(Qt::white);
        painter.drawText(QRect(5, 3, width() - 5, height() - 3),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text());
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) {
            QWidget::mousePressEvent(event);
            return;
        }
        // A Wayland compositor does not let a client place its own windows;
        // there the compositor runs the move.
        QWindow* handle = window()->windowHandle();
        if (handle && QGuiApplication::platformName().startsWith(QLatin1String("wayland")) &&
            handle->startSystemMove())
            return;
        m_dragging = true;
        m_grab = event->globalPosition().toPoint() - window()->pos();
    }

    void mouseMoveEvent(QMouseEvent* event) override {
        if (m_dragging)
            window()->move(event->globalPosition().toPoint() - m_grab);
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            m_dragging = false;
    }

private:
    bool m_dragging = false;
    QPoint m_grab;
};

} // namespace

CSkinDialog::CSkinDialog(QWidget* parent, int flags)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      m_logoWidth((flags & kSkinWideLogo) ? kWideLogoWidth : kLogoWidth) {
    m_logoBox = new CLogoBox((flags & kSkinWideLogo) ? kPicLogoWide : kPicLogo, this);
    m_captionBox = new CCaptionBox(this);
    if (!(flags & kSkinNoCloseButton)) {
        m_closeButton = new CImageButton(kPicCloseNormal, kPicCloseHover, kPicClosePressed, this);
        m_closeButton->setObjectName(QStringLiteral("closeButton"));
        m_closeButton->setAccessibleName(FromUtf8(kTextCloseWindow));
        m_titleButtons.push_back(m_closeButton);
        // Posted, not called: the dialog may be deep inside its own handlers.
        connect(m_closeButton, &CImageButton::clicked, this, &CSkinDialog::OnCloseRequest,
                Qt::QueuedConnection);
    }
    LayoutTitleStrip();
}

CSkinDialog::~CSkinDialog() = default;

void CSkinDialog::SetCaptionText(const QString& text) {
    static_cast<QLabel*>(m_captionBox)->setText(text);
    // The caption drawn in the strip is what the window is called everywhere
    // else too (task list, window switcher, screen reader), unless the window
    // chose a title of its own.
    if (!m_titleChosen)
        SetOwnTitle(text);
}

QString CSkinDialog::CaptionText() const {
    return static_cast<QLabel*>(m_captionBox)->text();
}

void CSkinDialog::SetOwnTitle(const QString& title) {
    m_settingTitle = true;
    setWindowTitle(title);
    m_settingTitle = false;
}

void CSkinDialog::changeEvent(QEvent* event) {
    // A title set from outside this class is the window's choice and stays.
    if (event->type() == QEvent::WindowTitleChange && !m_settingTitle)
        m_titleChosen = true;
    QDialog::changeEvent(event);
}

QWidget* CSkinDialog::Body() {
    if (m_body)
        return m_body;
    m_body = new QWidget(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, kTitleHeight, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_body);
    m_body->lower();
    return m_body;
}

CImageButton* CSkinDialog::AddTitleButton(int normalPicture, int hoverPicture, int pressedPicture) {
    auto* button = new CImageButton(normalPicture, hoverPicture, pressedPicture, this);
    m_titleButtons.push_back(button);
    LayoutTitleStrip();
    button->show();
    return button;
}

CImageButton* CSkinDialog::CloseButton() const {
    return m_closeButton;
}

QRect CSkinDialog::LogoBoxRect() const {
    return m_logoBox->geometry();
}

QRect CSkinDialog::CaptionBoxRect() const {
    return m_captionBox->geometry();
}

int CSkinDialog::exec() {
    return CModalTurns::Instance().Exec(*this);
}

void CSkinDialog::showEvent(QShowEvent* event) {
    // A window with neither a caption nor a title of its own is called by the
    // program's name rather than by nothing.
    if (windowTitle().isEmpty())
        SetOwnTitle(FromUtf8(kTextProgramName));
    // Qt would centre the window on its parent and then only keep it on the
    // work area, right over the main bar when that is the parent. A window
    // placed by hand (beside the bar, where the user left it) stays put.
    if (event->spontaneous() || testAttribute(Qt::WA_Moved) || this == WindowToKeepClear()) {
        QDialog::showEvent(event);
        return;
    }
    PlaceDialog(*this, parentWidget());
    // Not a place of the user's choosing: the next showing places it afresh.
    setAttribute(Qt::WA_Moved, false);
}

void CSkinDialog::OnCloseRequest() {
    close();
}

void CSkinDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    LayoutTitleStrip();
}

void CSkinDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    // The strip's boxes meet at fractional screen pixels on a 1.5 scaled
    // screen; the strip's black under them leaves no seam of the window's
    // colour between two of them.
    painter.fillRect(QRect(0, 0, width(), kTitleHeight), Qt::black);
    // Without the system's frame a thin edge keeps the window apart from
    // whatever lies behind it.
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CSkinDialog::LayoutTitleStrip() {
    const int width = this->width();
    m_logoBox->setGeometry(0, 0, m_logoWidth, kTitleHeight);
    int right = width;
    for (CImageButton* button : m_titleButtons) {
        right -= kTitleButtonWidth;
        button->setGeometry(right, 0, kTitleButtonWidth, kTitleHeight);
        button->raise();
    }
    m_captionBox->setGeometry(m_logoWidth, 0, std::max(0, right - m_logoWidth), kTitleHeight);
    m_logoBox->raise();
    m_captionBox->raise();
}

} // namespace murmex
