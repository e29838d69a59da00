#include "ui/wizard_sheet.h"

#include "ui/local_text.h"
#include "ui/texts.h"
#include "ui/wizard_page.h"

#include <QPointer>
#include <QPushButton>

namespace murmex {
namespace {

constexpr QPoint kPageOrigin(20, 40);
constexpr int kExtraWidth = 40;
constexpr int kExtraHeight = 100;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 24;

QPushButton* MakeButton(std::string_view text, int id, QWidget* parent) {
    auto* button = new QPushButton(FromUtf8(text), parent);
    button->setObjectName(QStringLiteral("button%1").arg(id));
    button->setFont(parent->font());
    return button;
}

} // namespace

void CWizardPage::SetWizardButtons(int mode) {
    if (m_sheet)
        m_sheet->SetButtonMode(mode);
}

CWizardSheet::CWizardSheet(QWidget* parent, int skinFlags) : CSkinDialog(parent, skinFlags) {
    m_rule = new QWidget(this);
    m_rule->setObjectName(QStringLiteral("rule"));
    m_rule->setAutoFillBackground(true);
    QPalette black = m_rule->palette();
    black.setColor(QPalette::Window, Qt::black);
    m_rule->setPalette(black);

    m_back = MakeButton(kTextWizardBack, kIdBack, this);
    m_next = MakeButton(kTextWizardNext, kIdNext, this);
    m_cancel = MakeButton(kTextCancel, kIdCancel, this);
    m_next->setDefault(true);
    connect(m_back, &QPushButton::clicked, this, &CWizardSheet::Back);
    connect(m_next, &QPushButton::clicked, this, &CWizardSheet::Next);
    connect(m_cancel, &QPushButton::clicked, this, &CWizardSheet::Cancel);
    SetButtonMode(0);
    LayoutButtons();
}

CWizardSheet::~CWizardSheet() = default;

void CWizardSheet::AddPage(CWizardPage* page, int resourceId) {
    page->setParent(this);
    page->m_sheet = this;
    page->hide();
    m_pages.push_back({page, resourceId});
    if (m_started)
        LayoutPages();
}

CWizardPage* CWizardSheet::ActivePage() const {
    return m_active >= 0 ? m_pages[static_cast<std::size_t>(m_active)].page : nullptr;
}

int CWizardSheet::ActiveResourceId() const {
    return m_active >= 0 ? m_pages[static_cast<std::size_t>(m_active)].resourceId : 0;
}

int CWizardSheet::IndexOfResource(int resourceId) const {
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        if (m_pages[i].resourceId == resourceId)
            return static_cast<int>(i);
    }
    return -1;
}

bool CWizardSheet::SetActivePage(int index) {
    if (index < 0 || index >= PageCount())
        return false;
    if (CWizardPage* current = ActivePage())
        current->hide();
    m_active = index;
    CWizardPage* page = ActivePage();
    page->show();
    page->raise();

    QPointer<CWizardSheet> self(this);
    const bool wasInHandler = m_inHandler;
    m_inHandler = true;
    page->OnActivate();
    if (self)
        m_inHandler = wasInHandler;
    return true;
}

bool CWizardSheet::SetActivePageById(int resourceId) {
    return SetActivePage(IndexOfResource(resourceId));
}

void CWizardSheet::SetButtonMode(int mode) {
    m_mode = mode;
    const bool finishing = (mode & kButtonFinish) != 0;
    m_back->setEnabled((mode & kButtonBack) != 0);
    m_next->setEnabled(finishing || (mode & kButtonNext) != 0);
    m_next->setText(FromUtf8(finishing ? kTextWizardFinish : kTextWizardNext));
}

void CWizardSheet::Next() {
    CWizardPage* page = ActivePage();
    if (!page || m_inHandler)
        return;
    QPointer<CWizardSheet> self(this);
    m_inHandler = true;
    if (IsFinishing()) {
        const bool finished = page->OnFinish();
        if (!self)
            return;
        m_inHandler = false;
        if (finished)
            done(Accepted);
        return;
    }
    const int result = page->OnNext();
    if (!self)
        return;
    m_inHandler = false;
    Navigate(result, m_active + 1);
}

void CWizardSheet::Back() {
    CWizardPage* page = ActivePage();
    if (!page || m_inHandler)
        return;
    QPointer<CWizardSheet> self(this);
    m_inHandler = true;
    const int result = page->OnBack();
    if (!self)
        return;
    m_inHandler = false;
    Navigate(result, m_active - 1);
}

void CWizardSheet::Navigate(int result, int adjacentIndex) {
    if (result < 0)
        return;
    const int index = result == CWizardPage::kAdjacent ? adjacentIndex : IndexOfResource(result);
    SetActivePage(index); // a page the sheet does not hold leaves us where we are
}

void CWizardSheet::Cancel() {
    if (m_inHandler)
        return;
    done(Rejected);
}

void CWizardSheet::reject() {
    Cancel();
}

void CWizardSheet::setVisible(bool visible) {
    if (visible)
        Start();
    CSkinDialog::setVisible(visible);
}

void CWizardSheet::resizeEvent(QResizeEvent* event) {
    CSkinDialog::resizeEvent(event);
    LayoutButtons();
}

void CWizardSheet::Start() {
    if (m_started)
        return;
    m_started = true;
    LayoutPages();
    SetActivePage(0);
}

void CWizardSheet::LayoutPages() {
    QSize pageSize(0, 0);
    for (const SPage& entry : m_pages)
        pageSize = pageSize.expandedTo(PreferredPageSize(entry.page));
    const QSize needed(pageSize.width() + kExtraWidth, pageSize.height() + kExtraHeight);
    if (!testAttribute(Qt::WA_Resized))
        resize(needed);
    else if (width() < needed.width() || height() < needed.height())
        resize(needed.expandedTo(size()));
    for (const SPage& entry : m_pages)
        entry.page->setGeometry(QRect(kPageOrigin, pageSize));
}

void CWizardSheet::LayoutButtons() {
    const int w = width();
    const int h = height();
    m_rule->setGeometry(15, h - 50, w - 30, 2);
    m_cancel->setGeometry(w - 90, h - 35, kButtonWidth, kButtonHeight);
    m_next->setGeometry(w - 171, h - 35, kButtonWidth, kButtonHeight);
    m_back->setGeometry(w - 246, h - 35, kButtonWidth, kButtonHeight);
}

} // namespace murmex
