#pragma once

#include "ui/skin_dialog.h"

namespace murmex {

class CAnimation;

// Shown while a newly registered user is being set up on first run, so that
// the wait has a face; modeless, and the owner of the messages shown meanwhile.
class CPersonalizingWindow : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 199;

    explicit CPersonalizingWindow(QWidget* parent = nullptr);

    CAnimation* Animation() const { return m_animation; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    CAnimation* m_animation = nullptr;
};

} // namespace murmex
