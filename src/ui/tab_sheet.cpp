#include "ui/tab_sheet.h"

#include "ui/sheet_page.h"
#include "ui/texts.h"

#include <QPainter>
#include <QPushButton>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

namespace murmex {
namespace {

constexpr QPoint kPageOrigin(20, 45);
constexpr QSize kExtraSize(40, 120);

// The tab control: the tabs along its top and the framed pane under them. The
// pages are the dialog's children, laid over the pane.
class CTabFrame final : public QWidget {
public:
    explicit CTabFrame(QWidget* parent) : QWidget(parent), m_bar(new QTabBar(this)) {
        m_bar->setDrawBase(false);
        m_bar->setExpanding(false);
    }

    QTabBar* Bar() const { return m_bar; }

protected:
    void resizeEvent(QResizeEvent*) override {
        const int barHeight = m_bar->sizeHint().height();
        m_bar->setGeometry(0, 0, width(), barHeight);
        update();
    }

    void paintEvent(QPaintEvent*) override {
        QStyleOptionTabWidgetFrame option;
        option.initFrom(this);
        option.shape = QTabBar::RoundedNorth;
        option.tabBarSize = m_bar->sizeHint();
        option.rect = QRect(0, m_bar->height() - 1, width(), height() - m_bar->height() + 1);
        option.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
        QPainter painter(this);
        style()->drawPrimitive(QStyle::PE_FrameTabWidget, &option, &painter, this);
    }

private:
    QTabBar* m_bar;
};

} // namespace

CTabSheet::CTabSheet(QWidget* parent, int buttons, int skinFlags)
    : CSheetBase(parent, skinFlags, kPageOrigin, kExtraSize) {
    auto* frame = new CTabFrame(this);
    m_tabFrame = frame;
    m_tabBar = frame->Bar();
    m_tabBar->setObjectName(QStringLiteral("tabStrip%1").arg(kIdTabStrip));
    connect(m_tabBar, &QTabBar::currentChanged, this, &CTabSheet::OnTabChanged);

    m_ok = MakeButton(kTextOk, kIdOk, this);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &CTabSheet::Ok);
    if (buttons & kTabButtonCancel) {
        m_cancel = MakeButton(kTextCancel, kIdCancel, this);
        connect(m_cancel, &QPushButton::clicked, this, &CTabSheet::Cancel);
    }
    if (buttons & kTabButtonApply) {
        m_apply = MakeButton(kTextApply, kIdApply, this);
        connect(m_apply, &QPushButton::clicked, this, &CTabSheet::ApplyClicked);
    }
    LayoutControls();
    SetButtonTabOrder({m_apply, m_cancel, m_ok});
}

CTabSheet::~CTabSheet() = default;

void CTabSheet::AddPage(CSheetPage* page, int resourceId, const QString& tabName) {
    {
        // Adding the first tab selects it; the page is activated only once the
        // sheet starts.
        const QSignalBlocker blocker(m_tabBar);
        m_tabBar->addTab(tabName);
    }
    AdoptPage(page, resourceId);
}

bool CTabSheet::SetActivePage(int index) {
    if (index < 0 || index >= PageCount())
        return false;
    if (m_tabBar->currentIndex() != index) {
        m_tabBar->setCurrentIndex(index); // comes back through OnTabChanged
        return true;
    }
    OnTabChanged(index);
    return true;
}

void CTabSheet::OnTabChanged(int index) {
    if (index < 0 || index >= PageCount())
        return;
    SwitchTo(index);
    CSheetPage* page = ActivePage();
    page->OnActivate();
    page->show();
    page->raise();
}

void CTabSheet::Ok() {
    if (IsBusy())
        return;
    if (RunBusy([this] { Apply(); }))
        done(Accepted);
}

void CTabSheet::ApplyClicked() {
    if (IsBusy())
        return;
    RunBusy([this] { Apply(); });
}

void CTabSheet::Cancel() {
    if (IsBusy())
        return;
    done(Rejected);
}

void CTabSheet::reject() {
    Cancel();
}

void CTabSheet::LayoutControls() {
    const int w = width();
    const int h = height();
    m_tabFrame->setGeometry(10, 20, w - 20, h - 80);
    m_tabFrame->lower();
    m_ok->setGeometry(w - 90, h - 35, kButtonWidth, kButtonHeight);
    if (m_cancel)
        m_cancel->setGeometry(w - 168, h - 35, kButtonWidth, kButtonHeight);
    if (m_apply)
        m_apply->setGeometry(w - 251, h - 35, kButtonWidth, kButtonHeight);
}

} // namespace murmex
