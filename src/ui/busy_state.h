#pragma once

#include <QPointer>
#include <vector>

class QWidget;

namespace murmex {

class CAnimation;

// A window during long operations: every control of it disabled and its
// animation playing. Nested operations are counted; the last End ends it and
// gives back exactly the controls it took, so that a control disabled for
// reasons of its own stays disabled.
class CBusyState {
public:
    // The animation is one of the window's children and keeps playing.
    CBusyState(QWidget* window, CAnimation* animation);

    void Begin();
    void End();
    bool IsBusy() const { return m_depth > 0; }

private:
    QWidget* m_window;
    CAnimation* m_animation;
    int m_depth = 0;
    std::vector<QPointer<QWidget>> m_disabled;
};

} // namespace murmex
