#pragma once

#include "friends/friend_insert_state.h"
#include "ui/wizard_page.h"

#include <string_view>

class QLabel;
class QVBoxLayout;

namespace murmex {

// The frame every page of the add-friend wizard shares: the side picture, the
// page's question in bold and a column for its controls. While a page asks
// the service its controls and the sheet's buttons are disabled, so that no
// second question starts and the sheet is not closed under a running one.
class CFriendInsertPage : public CWizardPage {
    Q_OBJECT

public:
    static constexpr int kPageWidth = 500;
    static constexpr int kPageHeight = 300;

    CFriendInsertPage(SFriendInsertState& state, std::string_view titleUtf8,
                      QWidget* parent = nullptr);

    bool IsWaiting() const { return m_waiting; }

protected:
    SFriendInsertState& State() const { return m_state; }
    CDataManager& Data() const { return m_state.services.data; }
    void ShowMessage(std::string_view textUtf8) const;
    QVBoxLayout* Column() const { return m_column; }
    // The buttons of the pages that may end the wizard: Finish when the group
    // was given in advance, Next to the group page otherwise.
    void SetEndingButtons();

    // Keeps the page disabled for the length of a scope.
    class CWait {
    public:
        explicit CWait(CFriendInsertPage& page);
        ~CWait();
        CWait(const CWait&) = delete;
        CWait& operator=(const CWait&) = delete;

    private:
        CFriendInsertPage& m_page;
        bool m_back, m_next, m_cancel;
    };

private:
    SFriendInsertState& m_state;
    QWidget* m_content = nullptr;
    QVBoxLayout* m_column = nullptr;
    bool m_waiting = false;
};

} // namespace murmex
