#include "ui/sheet_base.h"

#include "ui/local_text.h"
#include "ui/sheet_page.h"

#include <QPushButton>

namespace murmex {

CSheetBase::CSheetBase(QWidget* parent, int skinFlags, QPoint pageOrigin, QSize extra)
    : CSkinDialog(parent, skinFlags), m_pageOrigin(pageOrigin), m_extra(extra) {}

CSheetBase::~CSheetBase() = default;

int CSheetBase::ActiveResourceId() const {
    return m_active >= 0 ? m_pages[static_cast<std::size_t>(m_active)].resourceId : 0;
}

int CSheetBase::IndexOfResource(int resourceId) const {
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        if (m_pages[i].resourceId == resourceId)
            return static_cast<int>(i);
    }
    return -1;
}

void CSheetBase::setVisible(bool visible) {
    if (visible)
        Start();
    CSkinDialog::setVisible(visible);
}

void CSheetBase::AdoptPage(CSheetPage* page, int resourceId) {
    page->setParent(this);
    page->hide();
    m_pages.push_back({page, resourceId});
    if (m_started)
        LayoutPages();
}

CSheetPage* CSheetBase::ActiveSheetPage() const {
    return m_active >= 0 ? m_pages[static_cast<std::size_t>(m_active)].page : nullptr;
}

void CSheetBase::SwitchTo(int index) {
    if (CSheetPage* current = ActiveSheetPage())
        current->hide();
    m_active = index;
}

void CSheetBase::resizeEvent(QResizeEvent* event) {
    CSkinDialog::resizeEvent(event);
    LayoutControls();
}

QPushButton* CSheetBase::MakeButton(std::string_view text, int id, QWidget* parent) {
    auto* button = new QPushButton(FromUtf8(text), parent);
    button->setObjectName(QStringLiteral("button%1").arg(id));
    button->setFont(parent->font());
    return button;
}

void CSheetBase::Start() {
    if (m_started)
        return;
    m_started = true;
    LayoutPages();
    SetActivePage(0); // no pages: nothing to activate
}

void CSheetBase::LayoutPages() {
    QSize pageSize(0, 0);
    for (const SPage& entry : m_pages)
        pageSize = pageSize.expandedTo(PreferredPageSize(entry.page));
    const QSize needed = pageSize + m_extra;
    if (!testAttribute(Qt::WA_Resized))
        resize(needed);
    else if (width() < needed.width() || height() < needed.height())
        resize(needed.expandedTo(size()));
    for (const SPage& entry : m_pages)
        entry.page->setGeometry(QRect(m_pageOrigin, pageSize));
}

} // namespace murmex
