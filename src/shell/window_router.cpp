#include "shell/window_router.h"

#include "channel_windows/add_favourite_channel_dlg.h"
#include "channel_windows/channel_info_dlg.h"
#include "channel_windows/channel_search.h"
#include "channel_windows/channel_window_texts.h"
#include "channel_windows/create_channel_dlg.h"
#include "counter/call_counter.h"
#include "counter_windows/call_list_dialog.h"
#include "friends/friend_details_host.h"
#include "friends/friend_insert_wizard.h"
#include "friends/friend_notices.h"
#include "friends/friend_tree.h"
#include "friends/message_windows.h"
#include "friends/recommend_dlg.h"
#include "friends/user_search.h"
#include "model/channel_list.h"
#include "model/data_manager.h"
#include "session/app_context.h"
#include "session/call_counter_port.h"
#include "session/connection_state.h"
#include "session/heartbeat.h"
#include "shell/desktop_notifier.h"
#include "shell/main_bar.h"
#include "ui/ui_thread.h"

#include <QTreeWidgetItem>

namespace murmex {
namespace {

// The heartbeat's view of the modem call counter.
class CCounterPort final : public ICallCounterPort {
public:
    explicit CCounterPort(CallCounter& counter) : m_counter(counter) {}
    void StartCall() override { m_counter.StartCall(); }
    bool EndCall() override { return m_counter.EndCall(); }
    bool IsCallRunning() const override { return m_counter.IsCallRunning(); }
    bool TimerEvent() override { return m_counter.TimerEvent(); }
    std::string CounterText() const override { return m_counter.CounterText(); }

private:
    CallCounter& m_counter;
};

} // namespace

CWindowRouter::CWindowRouter(SAppContext& ctx, CMainBar& bar)
    : m_ctx(ctx), m_bar(bar), m_counterPort(std::make_unique<CCounterPort>(ctx.counter)) {
    m_messageWindows = std::make_unique<CMessageWindows>(
        SMessageWindowServices{ctx.data, ctx.engine, ctx.messageBox, ctx.clock,
                               [this](int qid, int page) { OpenFriendDetails(qid, page); },
                               [this](QWidget* window) { m_bar.PlaceBesideMainBar(window); }});
    m_details = std::make_unique<CFriendDetailsHost>(
        SFriendDetailsServices{ctx.data, ctx.channels, ctx.messageBox, ctx.clock,
                               [&state = ctx.connectionState] { return state.IsConnected(); }},
        &m_bar);
    // A confirmed window may have renamed the friend.
    m_details->SetRefreshFriend([this](int qid) { m_bar.FriendTree()->TreeUpdateFriend(qid); });
    m_details->SetPlacement([this](QWidget* window) { m_bar.PlaceBesideMainBar(window); });
    m_notifier = std::make_unique<CDesktopNotifier>(
        [this](const QString& title, const QString& text, std::function<void()> clicked) {
            return m_bar.ShowTrayMessage(title, text, std::move(clicked));
        });
    ConnectBar();
    m_ctx.heartbeat.Attach(m_ctx.data, *m_counterPort, *this);
}

CWindowRouter::~CWindowRouter() {
    m_ctx.heartbeat.Detach();
    CloseAll();
}

void CWindowRouter::CloseAll() {
    for (const QPointer<QWidget>& popup : m_popups)
        if (popup)
            popup->close();
    m_popups.clear();
    CloseChannelSettings();
    m_messageWindows->CloseAll();
    m_details->Close();
    if (m_channelInfo)
        m_channelInfo->close();
    m_channelInfo = nullptr;
}

// --- the heartbeat's windows

void CWindowRouter::OpenReadWindow(int messageIndex) {
    m_messageWindows->OpenReadWindow(messageIndex);
}

void CWindowRouter::OpenFriendOnlinePopup(int qid) {
    // Filling may ask the service for the friend and the channel.
    m_bar.BeginBusy();
    auto* popup = new CFriendOnlineDialog(qid, m_ctx.data, m_ctx.channels, &m_bar);
    m_bar.EndBusy();
    connect(popup, &CFriendOnlineDialog::TalkRequested, this, [this](int channelId) {
        // No message here: the pop-up only offers the way in.
        m_bar.BeginBusy();
        m_ctx.data.EnterChannel(channelId);
        m_bar.EndBusy();
    });
    connect(popup, &CFriendOnlineDialog::DetailsRequested, this,
            qOverload<int>(&CWindowRouter::OpenFriendDetails));
    // Several may be open at once; the ones that closed drop out.
    std::erase_if(m_popups, [](const QPointer<QWidget>& open) { return open.isNull(); });
    m_popups.emplace_back(popup);
    popup->show();
    if (m_bar.IsOnTop() || m_bar.IsDocked())
        popup->raise();
}

std::vector<QWidget*> CWindowRouter::FriendOnlinePopups() const {
    std::vector<QWidget*> open;
    for (const QPointer<QWidget>& popup : m_popups)
        if (popup && popup->isVisible())
            open.push_back(popup);
    return open;
}

SNewFriendAnswer CWindowRouter::AskNewFriend(int qid) {
    CNewFriendDialog dialog(qid, m_ctx.data, &m_bar);
    dialog.exec();
    return dialog.Answer();
}

EVanishedFriendAnswer CWindowRouter::AskVanishedFriend(int qid) {
    CVanishedFriendDialog dialog(qid, m_ctx.data, &m_bar);
    dialog.exec();
    return dialog.Answer();
}

void CWindowRouter::LocalUserSwitching() {
    // What was opened for the old user's friends goes with them.
    RunOnUiThread(this, [this] { CloseAll(); });
}

// --- the heartbeat's lines: the bar shows them

void CWindowRouter::AdvanceTreeBlink() {
    m_bar.FriendTree()->AdvanceBlink();
}

bool CWindowRouter::IsMainBarHidden() {
    return m_bar.IsMainBarHidden();
}

void CWindowRouter::ShowMainBar() {
    m_bar.ShowMainBar(true);
}

void CWindowRouter::SetStatusLine(std::string_view textUtf8) {
    m_bar.SetStatusLine(textUtf8);
}

void CWindowRouter::SetCostLine(std::string_view textUtf8) {
    m_bar.SetCostLine(textUtf8);
}

void CWindowRouter::SetTrayIcon(int picture) {
    m_bar.SetTrayIcon(picture);
}

// --- the windows the main menu and the trees open

void CWindowRouter::OpenMessageWindow(int qid) {
    m_messageWindows->OpenMessageWindow(qid);
}
void CWindowRouter::OpenSmsWindow(int qid) {
    m_messageWindows->OpenSmsWindow(qid);
}
void CWindowRouter::OpenFriendDetails(int qid) {
    OpenFriendDetails(qid, CFriendDetailsDlg::kPageData);
}
void CWindowRouter::OpenFriendDetails(int qid, int page) {
    // Opening closes the one open; filling may ask the service for the
    // friend and the channel the friend chats on.
    m_bar.BeginBusy();
    m_details->Open(qid, page);
    m_bar.EndBusy();
}
void CWindowRouter::OpenMessageList() {
    m_messageWindows->OpenMessageList();
}
void CWindowRouter::OpenAddFriendWizard(int groupId) {
    // Friends belong to a local user; without one there is nowhere to add to.
    if (m_ctx.data.CurrentLocalUser() == 0)
        return;
    CFriendInsertWizard wizard(
        SFriendInsertServices{m_ctx.data, m_ctx.messageBox,
                              [this] { return m_ctx.connectionState.IsConnected(); }},
        groupId, &m_bar);
    m_bar.PlaceBesideMainBar(&wizard);
    if (wizard.exec() != QDialog::Accepted)
        return;
    m_bar.BeginBusy();
    const CFriendInsertWizard::SAdded added = wizard.AddChosenFriend();
    m_bar.EndBusy();
    if (added.result < 1)
        return;
    if (CFriendTree* tree = m_bar.FriendTree())
        if (QTreeWidgetItem* item = tree->FriendItem(added.groupId, added.qid)) {
            tree->scrollToItem(item);
            tree->setCurrentItem(item);
        }
}
void CWindowRouter::OpenUserSearch() {
    if (m_ctx.data.CurrentLocalUser() == 0)
        return;
    RunUserSearch(SUserSearchServices{
        m_ctx.data, m_ctx.messageBox, m_ctx.openHelp, [this](int qid) { OpenFriendDetails(qid); },
        [this](QWidget* dialog) { m_bar.PlaceBesideMainBar(dialog); }, &m_bar});
}
void CWindowRouter::OpenSendProgram() {
    CRecommendDlg dialog(m_ctx.data, &m_bar);
    m_bar.PlaceBesideMainBar(&dialog);
    dialog.exec();
}
void CWindowRouter::OpenAddFavouriteChannel() {
    // Favourites belong to a local user; without one there is nowhere to keep them.
    if (m_ctx.data.CurrentLocalUser() == 0)
        return;
    CAddFavouriteChannelDlg dialog(&m_bar);
    m_bar.PlaceBesideMainBar(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_bar.BeginBusy();
    const int result = AddFavouriteChannelNamed(m_ctx.channels, dialog.ChannelName());
    m_bar.EndBusy();
    // Only a name the service does not know is worth a word.
    if (result == CChannelList::kNoSuchChannel)
        m_ctx.messageBox.ShowMessage(kTextNoSuchChannel);
}
void CWindowRouter::OpenChannelSearch() {
    // Its results are offered as favourites, which belong to a local user.
    if (m_ctx.data.CurrentLocalUser() == 0)
        return;
    RunChannelSearch(SChannelSearchServices{
        m_ctx.channels, m_ctx.messageBox, m_ctx.openHelp,
        [this](int channelId) {
            // From the results the information is modal, one of its own.
            CChannelInfoDlg info(
                m_ctx.channels, channelId, [this](int id) { m_ctx.data.EnterChannel(id); },
                m_ctx.openHelp, &m_bar);
            info.setModal(true);
            m_bar.PlaceBesideMainBar(&info);
            info.Refresh();
            info.exec();
        },
        [this](QWidget* dialog) { m_bar.PlaceBesideMainBar(dialog); }, &m_bar});
}
void CWindowRouter::OpenCreateChannel() {
    // The new channel becomes a favourite of the local user's.
    if (m_ctx.data.CurrentLocalUser() == 0)
        return;
    CCreateChannelDlg dialog(m_ctx.channels, m_ctx.messageBox, &m_bar);
    m_bar.PlaceBesideMainBar(&dialog);
    dialog.exec();
}
void CWindowRouter::OpenChannelInfo(int channelId) {
    if (m_channelInfo)
        m_channelInfo->close();
    m_channelInfo = nullptr;
    auto* info = new CChannelInfoDlg(
        m_ctx.channels, channelId,
        [this](int id) {
            // No message: the window only offers the way in.
            m_bar.BeginBusy();
            m_ctx.data.EnterChannel(id);
            m_bar.EndBusy();
        },
        m_ctx.openHelp, &m_bar);
    info->setAttribute(Qt::WA_DeleteOnClose);
    m_channelInfo = info;
    m_bar.BeginBusy();
    QPointer<CChannelInfoDlg> opened(info);
    info->Refresh();
    m_bar.EndBusy();
    // Closed while it filled (another one opened, or the program ends): it
    // may not be deleted yet, but it is no longer the one to show.
    if (!opened || m_channelInfo != opened)
        return;
    m_bar.PlaceBesideMainBar(info);
    info->show();
}
CChannelInfoDlg* CWindowRouter::ChannelInfo() const {
    return m_channelInfo;
}
// "Licznik modemowy": one more call list on every use, each living until it is
// closed; the main bar owns them, so none outlives the program's objects.
void CWindowRouter::OpenCounterDialog() {
    auto* window = new CCallListDialog(SCounterWindowServices::FromContext(m_ctx), &m_bar);
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_bar.PlaceBesideMainBar(window);
    window->show();
}

} // namespace murmex
