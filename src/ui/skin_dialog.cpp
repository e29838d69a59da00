#include "ui/skin_dialog.h"

#include "ui/image_button.h"
#include "ui/modal_turns.h"
#include "ui/skin_pictures.h"
#include "ui/window_placement.h"

#include <QGuiApplication>
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
// point grabbed stays under the pointer for as long as the button is held.
class CCaptionBox final : public QWidget {
public:
    explicit CCaptionBox(QWidget* parent) : QWidget(parent) {}

    void SetText(const QString& text) {
        m_text = text;
        update();
    }
    const QString& Text() const { return m_text; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        if (m_text.isEmpty())
            return;
        painter.setFont(window()->font());
        painter.setPen(Qt::white);
        painter.drawText(QRect(5, 3, width() - 5, height() - 3),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_text);
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
    QString m_text;
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
        m_titleButtons.push_back(m_closeButton);
        // Posted, not called: the dialog may be deep inside its own handlers.
        connect(m_closeButton, &CImageButton::clicked, this, &CSkinDialog::OnCloseRequest,
                Qt::QueuedConnection);
    }
    LayoutTitleStrip();
}

CSkinDialog::~CSkinDialog() = default;

void CSkinDialog::SetCaptionText(const QString& text) {
    static_cast<CCaptionBox*>(m_captionBox)->SetText(text);
}

QString CSkinDialog::CaptionText() const {
    return static_cast<CCaptionBox*>(m_captionBox)->Text();
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
    // Without the system's frame a thin edge keeps the window apart from
    // whatever lies behind it.
    QPainter painter(this);
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
