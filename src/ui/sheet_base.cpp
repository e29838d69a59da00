#include "ui/sheet_base.h"

#include "ui/local_text.h"
#include "ui/sheet_page.h"

#include <QPushButton>
#include <algorithm>

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

void CSheetBase::SetButtonTabOrder(std::initializer_list<QWidget*> leftToRight) {
    m_buttonsInTabOrder.clear();
    for (QWidget* button : leftToRight)
        if (button)
            m_buttonsInTabOrder.push_back(button);
}

std::vector<QWidget*> CSheetBase::TabOrder() const {
    auto isButton = [this](QWidget* widget) {
        return std::find(m_buttonsInTabOrder.begin(), m_buttonsInTabOrder.end(), widget) !=
               m_buttonsInTabOrder.end();
    };
    auto reachable = [this](QWidget* widget) {
        return (widget->focusPolicy() & Qt::TabFocus) && !widget->focusProxy() &&
               widget->isEnabled() && widget->isVisibleTo(this) && widget->window() == this;
    };
    std::vector<QWidget*> order;
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain())
        if (!isButton(w) && reachable(w))
            order.push_back(w);
    for (QWidget* button : m_buttonsInTabOrder)
        if (reachable(button))
            order.push_back(button);
    return order;
}

bool CSheetBase::focusNextPrevChild(bool next) {
    // Qt's chain holds the controls in the order they were made, and the
    // buttons are made before any page: Tab follows what the eye sees
    // instead, the page's controls first, then the buttons left to right.
    const std::vector<QWidget*> order = TabOrder();
    QWidget* current = focusWidget();
    while (current && current->focusProxy())
        current = current->focusProxy();
    auto at = std::find(order.begin(), order.end(), current);
    if (order.empty() || at == order.end())
        return CSkinDialog::focusNextPrevChild(next);
    const auto count = static_cast<std::ptrdiff_t>(order.size());
    const std::ptrdiff_t index = at - order.begin();
    const std::ptrdiff_t target = (index + (next ? 1 : count - 1)) % count;
    order[static_cast<std::size_t>(target)]->setFocus(next ? Qt::TabFocusReason
                                                           : Qt::BacktabFocusReason);
    return true;
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
