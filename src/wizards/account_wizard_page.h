#pragma once

#include "ui/wizard_page.h"
#include "wizards/wizard_state.h"

#include <chrono>
#include <functional>
#include <string_view>

class QLabel;
class QVBoxLayout;

namespace murmex {

class CAnimation;

// The common frame of the account wizards' pages: the side picture, a column
// for the page's own controls and the waiting animation. While a page waits
// for the service (or the dialler) its controls and the sheet's buttons are
// disabled and the animation plays.
class CAccountWizardPage : public CWizardPage {
    Q_OBJECT

public:
    // Every page of both wizards has this size, so the sheet never jumps.
    static constexpr int kPageWidth = 560;
    static constexpr int kPageHeight = 340;

    explicit CAccountWizardPage(SWizardState& state, QWidget* parent = nullptr);

    CAnimation* Animation() const { return m_animation; }
    bool IsWaiting() const { return m_waiting > 0; }

protected:
    SWizardState& State() const { return m_state; }
    SWizardServices& Services() const { return m_state.services; }
    void ShowMessage(std::string_view textUtf8) const;

    // The column the page's controls go into.
    QVBoxLayout* Column() const { return m_column; }
    QLabel* AddTitle(std::string_view textUtf8);
    QLabel* AddText(std::string_view textUtf8);

    // Waits may nest; the last EndWait gives everything back.
    void BeginWait();
    void EndWait();
    // Keeps the page waiting for the length of a scope.
    class CWait {
    public:
        explicit CWait(CAccountWizardPage& page) : m_page(page) { m_page.BeginWait(); }
        ~CWait() { m_page.EndWait(); }
        CWait(const CWait&) = delete;
        CWait& operator=(const CWait&) = delete;

    private:
        CAccountWizardPage& m_page;
    };

    // Turns the event loop until the condition holds or the time is up;
    // returns the condition's last answer.
    bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit);

    // The connection to the service server for the account pages: true when
    // there is one or it could be made; otherwise message 117.
    bool ConnectToService();
    // Where the account part of the wizard goes once the link is there.
    int AccountPage() const;
    // Dials with the system's dialler, waits for it and then for the link to
    // come up (bounded). True when the Internet is reachable afterwards.
    bool DialAndWait();

private:
    SWizardState& m_state;
    QWidget* m_content = nullptr;
    QVBoxLayout* m_column = nullptr;
    CAnimation* m_animation = nullptr;
    int m_waiting = 0;
    // The sheet's buttons as they were when the wait began.
    bool m_backWasEnabled = false;
    bool m_nextWasEnabled = false;
    bool m_cancelWasEnabled = false;
};

} // namespace murmex
