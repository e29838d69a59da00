#pragma once

#include "model/user_record.h"
#include "ui/tab_sheet.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace murmex {

class CAnimation;
class CChannelList;
class CDataManager;
class CFriendData;
class CFriendEvents;
class CFriendHistory;
class CFriendNotes;
class IClock;
class IMessageBox;

// What the friend details window works with; the application's objects,
// which outlive every window.
struct SFriendDetailsServices {
    CDataManager& data;
    CChannelList& channels;
    IMessageBox& messageBox;
    const IClock& clock;
    // Whether the computer is online; none counts as online.
    std::function<bool()> isConnected;
};

// One friend on tabbed pages: "Dane", "Historia", "Notatki" and, for service
// users, "Przypomnienia". The pages write their edits into the friend's record
// as they are typed; "OK" saves them and the owner refreshes the friend's
// items. Closing the window any other way takes the edits back, so that what
// the user did not confirm is never saved by some later, unrelated save.
//
// The window shares the friend's record: if the friend is removed or the
// local user changes meanwhile, the record stays valid (only no longer
// saved), and the owner closes the window.
class CFriendDetailsDlg : public CTabSheet {
    Q_OBJECT

public:
    // Pages by position; "Przypomnienia" is missing for a local contact.
    enum EPage : int { kPageData = 0, kPageHistory = 1, kPageNotes = 2, kPageEvents = 3 };

    CFriendDetailsDlg(SFriendDetailsServices services, std::shared_ptr<CUserRecord> user,
                      QWidget* parent = nullptr);
    ~CFriendDetailsDlg() override;

    int Qid() const { return m_qid; }
    bool IsLocalContact() const { return m_localContact; }
    CUserRecord& User() const { return *m_user; }
    const std::shared_ptr<CUserRecord>& SharedUser() const { return m_user; }
    const SFriendDetailsServices& Services() const { return m_services; }
    bool IsOnline() const;
    // True while the local user it was opened for is the current one.
    bool BelongsToCurrentUser() const;
    void ShowMessage(std::string_view textUtf8) const;

    // Opens on `page` (EPage); an unknown page opens "Dane".
    void ShowPage(int page);

    // While a send waits for the service: the pages and buttons disabled and
    // the animation playing; the window cannot be closed meanwhile.
    void BeginWait();
    void EndWait();
    bool IsWaiting() const { return m_waiting; }

    CAnimation* Animation() const { return m_animation; }
    CFriendData* DataPage() const { return m_dataPage; }
    CFriendHistory* HistoryPage() const { return m_historyPage; }
    CFriendNotes* NotesPage() const { return m_notesPage; }
    // None for a local contact.
    CFriendEvents* EventsPage() const { return m_eventsPage; }

    void done(int result) override;
    void reject() override;

signals:
    // "OK": the data is saved; the friend's items are the owner's to refresh.
    void Confirmed(int qid);

protected:
    void Apply() override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The fields this window edits, as they were when it opened.
    struct SLocalFields {
        std::string nick, email, name, surname, display, localCellPhone, note;
    };
    void TakeBackEdits();

    SFriendDetailsServices m_services;
    std::shared_ptr<CUserRecord> m_user;
    int m_qid = 0;
    int m_owner = 0;
    bool m_localContact = false;
    bool m_waiting = false;
    bool m_confirmed = false;
    SLocalFields m_opened;
    CAnimation* m_animation = nullptr;
    CFriendData* m_dataPage = nullptr;
    CFriendHistory* m_historyPage = nullptr;
    CFriendNotes* m_notesPage = nullptr;
    CFriendEvents* m_eventsPage = nullptr;
};

} // namespace murmex
