#include "friends/friend_details_dlg.h"

#include "friends/friend_data.h"
#include "friends/friend_details_texts.h"
#include "friends/friend_events.h"
#include "friends/friend_history.h"
#include "friends/friend_notes.h"
#include "model/data_manager.h"
#include "ports/ui_interfaces.h"
#include "ui/animation.h"
#include "ui/image_button.h"
#include "ui/local_text.h"

#include <QCloseEvent>
#include <QMetaObject>
#include <QPushButton>
#include <QTabBar>
#include <algorithm>

namespace murmex {
namespace {

// Every page has this size, so the window does not jump between tabs.
constexpr int kPageWidth = 460;
constexpr int kPageHeight = 420;

} // namespace

CFriendDetailsDlg::CFriendDetailsDlg(SFriendDetailsServices services,
                                     std::shared_ptr<CUserRecord> user, QWidget* parent)
    : CTabSheet(parent, kTabButtonsOkOnly), m_services(std::move(services)),
      m_user(std::move(user)) {
    setObjectName(QStringLiteral("friendDetails"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_qid = m_user->Qid();
    m_owner = m_services.data.CurrentLocalUser();
    m_localContact = CDataManager::IsLocalContactId(m_qid) || m_user->IsLocalContact();
    const SUserData d = m_user->Snapshot();
    m_opened = {d.nick, d.email, d.name, d.surname, d.display, d.localCellPhone, d.note};
    setWindowTitle(FromLocal(m_user->DisplayName()));

    m_dataPage = new CFriendData(*this);
    m_historyPage = new CFriendHistory(*this);
    m_notesPage = new CFriendNotes(*this);
    AddPage(m_dataPage, CFriendData::kResourceId, FromUtf8(kTextTabData));
    AddPage(m_historyPage, CFriendHistory::kResourceId, FromUtf8(kTextTabHistory));
    AddPage(m_notesPage, CFriendNotes::kResourceId, FromUtf8(kTextTabNotes));
    if (!m_localContact) {
        m_eventsPage = new CFriendEvents(*this);
        AddPage(m_eventsPage, CFriendEvents::kResourceId, FromUtf8(kTextTabEvents));
    }
    for (CSheetPage* page :
         std::initializer_list<CSheetPage*>{m_dataPage, m_historyPage, m_notesPage, m_eventsPage})
        if (page)
            page->setFixedSize(kPageWidth, kPageHeight);

    m_animation = new CAnimation(this);
    m_animation->setObjectName(QStringLiteral("animation"));
    m_animation->setAccessibleName(FromUtf8(kTextAnimationName));
    m_animation->OpenLogo();
    m_animation->resize(m_animation->sizeHint());
}

CFriendDetailsDlg::~CFriendDetailsDlg() = default;

bool CFriendDetailsDlg::IsOnline() const {
    return !m_services.isConnected || m_services.isConnected();
}

bool CFriendDetailsDlg::BelongsToCurrentUser() const {
    return m_owner != 0 && m_services.data.CurrentLocalUser() == m_owner;
}

void CFriendDetailsDlg::ShowMessage(std::string_view textUtf8) const {
    m_services.messageBox.ShowMessage(textUtf8);
}

void CFriendDetailsDlg::ShowPage(int page) {
    if (page < 0 || page >= PageCount())
        page = kPageData;
    if (!isVisible())
        show(); // the first showing lays the pages out and starts on "Dane"
    SetActivePage(page);
}

void CFriendDetailsDlg::BeginWait() {
    if (m_waiting)
        return;
    m_waiting = true;
    for (CSheetPage* page :
         std::initializer_list<CSheetPage*>{m_dataPage, m_historyPage, m_notesPage, m_eventsPage})
        if (page)
            page->setEnabled(false);
    TabBar()->setEnabled(false);
    OkButton()->setEnabled(false);
    if (CImageButton* close = CloseButton())
        close->setEnabled(false);
    m_animation->Play();
}

void CFriendDetailsDlg::EndWait() {
    if (!m_waiting)
        return;
    m_waiting = false;
    m_animation->Stop();
    for (CSheetPage* page :
         std::initializer_list<CSheetPage*>{m_dataPage, m_historyPage, m_notesPage, m_eventsPage})
        if (page)
            page->setEnabled(true);
    TabBar()->setEnabled(true);
    OkButton()->setEnabled(true);
    if (CImageButton* close = CloseButton())
        close->setEnabled(true);
    // The local user changed while the window waited: it could not close then.
    if (m_services.data.CurrentLocalUser() != m_owner)
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void CFriendDetailsDlg::Apply() {
    // After a change of local user the record is no longer among the stored
    // ones; saving now would only write the other user's data.
    if (BelongsToCurrentUser())
        m_services.data.Save();
}

void CFriendDetailsDlg::done(int result) {
    if (result == Accepted && BelongsToCurrentUser()) {
        m_confirmed = true;
        emit Confirmed(m_qid);
    } else if (!m_confirmed) {
        TakeBackEdits();
    }
    CTabSheet::done(result);
}

void CFriendDetailsDlg::reject() {
    // A send under way would go on behind a closed window.
    if (m_waiting)
        return;
    CTabSheet::reject();
}

void CFriendDetailsDlg::closeEvent(QCloseEvent* event) {
    if (m_waiting) {
        event->ignore();
        return;
    }
    if (!m_confirmed && result() != Accepted)
        TakeBackEdits();
    CTabSheet::closeEvent(event);
}

void CFriendDetailsDlg::TakeBackEdits() {
    CUserRecord& user = *m_user;
    if (m_localContact) {
        user.SetNick(m_opened.nick);
        user.SetEmail(m_opened.email);
        user.SetName(m_opened.name);
        user.SetSurname(m_opened.surname);
    }
    user.SetDisplay(m_opened.display);
    user.SetLocalCellPhone(m_opened.localCellPhone);
    user.SetNote(m_opened.note);
}

void CFriendDetailsDlg::resizeEvent(QResizeEvent* event) {
    CTabSheet::resizeEvent(event);
    if (!m_animation)
        return;
    // In the lower left corner, in the strip under the tab frame.
    const QSize size = m_animation->size();
    const int strip = 60;
    m_animation->move(12, height() - strip + std::max(0, (strip - size.height()) / 2));
}

} // namespace murmex
