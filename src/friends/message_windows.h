#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>

namespace murmex {

class CDataManager;
class CMessageListDlg;
class CReadMessageDlg;
class CRequestEngine;
class CSendMessageDlg;
class CSendSmsDlg;
class IClock;
class IMessageBox;

// What the message windows work with. The application's objects outlive every window.
struct SMessageWindowServices {
    CDataManager& data;
    CRequestEngine& engine;
    IMessageBox& messageBox;
    const IClock& clock;
    // The friend details window for a friend, on a page (kDetailsPage…).
    std::function<void(int qid, int page)> openFriendDetails;
    // Puts a window where it should appear when it opens; may be empty.
    std::function<void(QWidget*)> place;
};

// Pages of the friend details window the send windows open it on.
inline constexpr int kDetailsPageData = 0;    // "Dane"
inline constexpr int kDetailsPageHistory = 1; // "Historia"

// The four modeless message windows, at most one of each. Asking for a window:
//   none yet            -> a new one (the message list is shown at once);
//   one that is visible -> brought to the front and returned as it is, so a
//                          send window keeps its recipient and typed text;
//   one that is hidden  -> thrown away and replaced by a fresh one.
// The caller then fills the window and shows it; the Open… functions do both
// for the program's entry points.
class CMessageWindows {
public:
    enum ESlot : int {
        kSlotMessageList = 0,
        kSlotReadWindow = 1,
        kSlotSendMessage = 2,
        kSlotSendSms = 3,
    };
    // Room for more windows of the same kind; four are used.
    static constexpr int kSlotCount = 20;

    explicit CMessageWindows(SMessageWindowServices services);
    ~CMessageWindows();
    CMessageWindows(const CMessageWindows&) = delete;
    CMessageWindows& operator=(const CMessageWindows&) = delete;

    CMessageListDlg* MessageList();
    CReadMessageDlg* ReadWindow();
    CSendMessageDlg* SendMessageWindow();
    CSendSmsDlg* SendSmsWindow();
    // The window in a slot as it is now, without making one; null when none.
    QWidget* Existing(int slot) const;

    // "Wiadomości": the list, filled from the inbox.
    void OpenMessageList();
    // The read window on one inbox entry.
    void OpenReadWindow(int messageIndex);
    // The send windows addressed to a friend.
    void OpenMessageWindow(int qid);
    void OpenSmsWindow(int qid);

    // The local user is changing: every window belongs to the old one's data,
    // so all of them close (and are replaced when next asked for).
    void CloseAll();

    SMessageWindowServices& Services() { return m_services; }

private:
    template <class T> T* Window(int slot);
    static void Present(QWidget* window);

    SMessageWindowServices m_services;
    std::array<QPointer<QWidget>, kSlotCount> m_slots;
};

} // namespace murmex
