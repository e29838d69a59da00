#include "ui/busy_state.h"

#include "ui/animation.h"

#include <QWidget>

namespace murmex {

CBusyState::CBusyState(QWidget* window, CAnimation* animation)
    : m_window(window), m_animation(animation) {}

void CBusyState::Begin() {
    if (m_depth++ > 0)
        return;
    m_disabled.clear();
    for (QWidget* child : m_window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        // Windows of their own (pop-ups, menus) are not part of this one.
        if (child->isWindow() || child == m_animation || !child->isEnabled())
            continue;
        child->setEnabled(false);
        m_disabled.emplace_back(child);
    }
    m_animation->Play();
}

void CBusyState::End() {
    if (m_depth == 0 || --m_depth > 0)
        return;
    for (const QPointer<QWidget>& child : m_disabled)
        if (child)
            child->setEnabled(true);
    m_disabled.clear();
    m_animation->Stop();
}

} // namespace murmex
