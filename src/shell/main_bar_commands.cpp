// The commands the main bar runs: the main menu's, the trees', and the
// pop-ups and questions of the heartbeat.
#include "channels/service_site.h"
#include "friends/add_group_dialog.h"
#include "friends/favourite_channel_list.h"
#include "friends/friend_notices.h"
#include "friends/friend_tree.h"
#include "model/data_manager.h"
#include "platform/code_page.h"
#include "protocol/request_engine.h"
#include "session/app_context.h"
#include "session/app_texts.h"
#include "session/connection_state.h"
#include "session/heartbeat.h"
#include "session/internet_connection.h"
#include "session/main_bar_texts.h"
#include "session/periodic_tasks.h"
#include "shell/feedback_dialog.h"
#include "shell/local_user_dialogs.h"
#include "shell/main_bar.h"
#include "shell/main_menu.h"
#include "ui/local_text.h"
#include "ui/texts.h"
#include "wizards/account_setup.h"
#include "wizards/add_user_wiz_dialog.h"
#include "wizards/edit_user_wiz_dialog.h"
#include "wizards/wizard_state.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace murmex {

// --- the main menu

SMainMenuState CMainBar::MenuState() const {
    SMainMenuState state;
    state.connected = m_ctx.connectionState.IsConnected();
    state.loggedIn = m_ctx.connectionState.IsLoggedIn();
    state.loginInProgress = m_ctx.heartbeat.IsLoginInProgress();
    state.hasCurrentUser = m_ctx.data.CurrentLocalUser() != 0;
    state.localUserCount = static_cast<int>(m_ctx.data.LocalUsers().size());
    return state;
}

void CMainBar::OpenMainMenu() {
    m_menu->Prepare(MenuState());
    m_menu->PopupAbove(m_menuButton->mapToGlobal(QPoint(0, 0)));
}

void CMainBar::RunMenuCommand(EMenuCommand command) {
    switch (command) {
    case EMenuCommand::AddFriend:
        OpenAddFriendWizard(0);
        break;
    case EMenuCommand::AddGroup: {
        CAddGroupDlg dialog(this);
        if (dialog.exec() == QDialog::Accepted)
            m_ctx.data.NewGroup(ToLocal(dialog.GroupName()));
        break;
    }
    case EMenuCommand::SearchUsers:
        OpenUserSearch();
        break;
    case EMenuCommand::SendProgram:
        OpenSendProgram();
        break;
    case EMenuCommand::AddFavouriteChannel:
        OpenAddFavouriteChannel();
        break;
    case EMenuCommand::SearchChannel:
        OpenChannelSearch();
        break;
    case EMenuCommand::CreateChannel:
        OpenCreateChannel();
        break;
    case EMenuCommand::Counter:
        OpenCounterDialog();
        break;
    case EMenuCommand::ChangeUser:
        ChangeUser();
        break;
    case EMenuCommand::EditUser:
        RunEditUserWizard();
        break;
    case EMenuCommand::AddUser:
        AddUser();
        break;
    case EMenuCommand::RemoveUser:
        RemoveUser();
        break;
    case EMenuCommand::Messages:
        OpenMessageList();
        break;
    case EMenuCommand::Chat:
        OpenChat();
        break;
    case EMenuCommand::Options:
        ShowOptions();
        break;
    case EMenuCommand::Connection:
        ToggleConnection();
        break;
    case EMenuCommand::Login:
        ToggleLogin();
        break;
    case EMenuCommand::Help:
        if (m_ctx.openHelp)
            m_ctx.openHelp(0);
        break;
    case EMenuCommand::About:
        ShowAboutBox();
        break;
    case EMenuCommand::Feedback:
        ShowFeedbackDialog();
        break;
    case EMenuCommand::Exit:
        if (m_ctx.requestQuit)
            m_ctx.requestQuit();
        break;
    }
}

void CMainBar::ShowOptions() {
    COptionsDialog dialog(*this, m_ctx.connection, this);
    dialog.exec();
}

void CMainBar::ToggleLogin() {
    m_ctx.heartbeat.LogInOrOut();
}

void CMainBar::ToggleConnection() {
    if (m_ctx.connectionState.IsConnected())
        m_ctx.connection.HangUp();
    else
        m_ctx.connection.StartDialling();
}

void CMainBar::OpenChat() {
    m_ctx.shell.OpenDocument(Win1250ToUtf8(ServiceWebAddress()));
}

// --- local users

void CMainBar::ChangeUser() {
    if (m_ctx.data.LocalUsers().empty()) {
        AddUser();
        return;
    }
    CChooseLocalUserDialog dialog(LocalUserChoices(m_ctx.data), m_ctx.messageBox, this);
    if (dialog.exec() == QDialog::Accepted && dialog.ChosenQid() != 0)
        m_ctx.data.SwitchLocalUser(dialog.ChosenQid());
    RefreshUserLine();
}

void CMainBar::RemoveUser() {
    CDeleteLocalUserDialog dialog(LocalUserChoices(m_ctx.data), m_ctx.messageBox, this);
    if (dialog.exec() != QDialog::Accepted || dialog.ChosenQid() == 0)
        return;
    m_ctx.data.RemoveLocalUser(dialog.ChosenQid());
    // The current user went: the run goes on as another one if there is any.
    if (m_ctx.data.CurrentLocalUser() == 0 && !m_ctx.data.LocalUsers().empty()) {
        CChooseLocalUserDialog choose(LocalUserChoices(m_ctx.data), m_ctx.messageBox, this);
        if (choose.exec() == QDialog::Accepted && choose.ChosenQid() != 0)
            m_ctx.data.SwitchLocalUser(choose.ChosenQid());
    }
    RefreshUserLine();
}

void CMainBar::AddUser() {
    CUserRecord user;
    if (!RunAddUserWizard(user))
        return;
    BeginBusy();
    // No synchronisation or fetch for a user who is half set up.
    m_ctx.tasks.SuspendPeriodicTasks();
    SetUpNewLocalUser(user);
    m_ctx.tasks.ResumePeriodicTasks();
    EndBusy();
    RefreshUserLine();
}

void CMainBar::SetUpNewLocalUser(CUserRecord& user) {
    // Registers or takes the account, switches to it, logs in (waiting for
    // it) and gives a user new here the service's friends.
    SetUpAddedAccount(user, m_ctx.data, m_ctx.messageBox);
}

// --- the trees

void CMainBar::ConnectTrees() {
    connect(m_friendTree, &CFriendTree::OpenMessageWindow, this, &CMainBar::OpenMessageWindow);
    connect(m_friendTree, &CFriendTree::OpenSmsWindow, this, &CMainBar::OpenSmsWindow);
    connect(m_friendTree, &CFriendTree::OpenFriendDetails, this, &CMainBar::OpenFriendDetails);
    connect(m_friendTree, &CFriendTree::EnterFriendChannel, this, &CMainBar::EnterFriendChannel);
    connect(m_friendTree, &CFriendTree::AddFriendRequested, this, &CMainBar::OpenAddFriendWizard);
    connect(m_friendTree, &CFriendTree::OpenReadWindow, this,
            [this](int index) { OpenReadWindow(index); });
    connect(m_channelList, &CFavouriteChannelList::EnterChannel, this, &CMainBar::EnterChannel);
    connect(m_channelList, &CFavouriteChannelList::ShowChannelInfo, this,
            &CMainBar::OpenChannelInfo);
    connect(m_channelList, &CFavouriteChannelList::ChannelOperator, this,
            &CMainBar::OpenChannelOperator);
    connect(m_channelList, &CFavouriteChannelList::AddFavouriteRequested, this,
            &CMainBar::OpenAddFavouriteChannel);
    connect(m_channelList, &CFavouriteChannelList::SearchChannelsRequested, this,
            &CMainBar::OpenChannelSearch);
}

void CMainBar::EnterChannel(int channelId) {
    BeginBusy();
    const bool entered = m_ctx.data.EnterChannel(channelId);
    EndBusy();
    if (!entered)
        m_ctx.messageBox.ShowMessage(kTextCannotChangeChannel);
}

void CMainBar::EnterFriendChannel(int qid) {
    CDataManager::User user = m_ctx.data.CachedUser(qid);
    if (!user)
        user = m_ctx.data.UserRecord(qid);
    EnterChannel(user ? user->ChatValue() : 0);
}

// --- the heartbeat's pop-ups and questions

void CMainBar::OpenFriendOnlinePopup(int qid) {
    // Filling may ask the service for the friend and the channel.
    BeginBusy();
    auto* popup = new CFriendOnlineDialog(qid, m_ctx.data, m_ctx.channels, this);
    EndBusy();
    connect(popup, &CFriendOnlineDialog::TalkRequested, this, [this](int channelId) {
        // No message here: the pop-up only offers the way in.
        BeginBusy();
        m_ctx.data.EnterChannel(channelId);
        EndBusy();
    });
    connect(popup, &CFriendOnlineDialog::DetailsRequested, this, &CMainBar::OpenFriendDetails);
    // Several may be open at once; the ones that closed drop out.
    std::erase_if(m_popups, [](const QPointer<QWidget>& open) { return open.isNull(); });
    m_popups.emplace_back(popup);
    popup->show();
    if (m_onTop || m_docked)
        popup->raise();
}

SNewFriendAnswer CMainBar::AskNewFriend(int qid) {
    CNewFriendDialog dialog(qid, m_ctx.data, this);
    dialog.exec();
    return dialog.Answer();
}

EVanishedFriendAnswer CMainBar::AskVanishedFriend(int qid) {
    CVanishedFriendDialog dialog(qid, m_ctx.data, this);
    dialog.exec();
    return dialog.Answer();
}

// --- the about box and the feedback dialog

void CMainBar::ShowAboutBox() {
    CSkinDialog box(this);
    box.setModal(true);
    auto* title = new QLabel(FromUtf8(kTextAboutTitle));
    title->setTextFormat(Qt::PlainText);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    auto* body = new QLabel(FromUtf8(kTextAboutBody));
    body->setTextFormat(Qt::PlainText);
    body->setWordWrap(true);
    body->setMinimumWidth(280);
    auto* version = new QLabel(FromUtf8(kTextAboutVersion).arg(QApplication::applicationVersion()));
    version->setTextFormat(Qt::PlainText);
    auto* ok = new QPushButton(FromUtf8(kTextOk));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, &box, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(box.Body());
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addWidget(title);
    layout->addWidget(body);
    layout->addWidget(version);
    layout->addLayout(buttons);
    AttachToMainBar(&box);
    box.exec();
}

void CMainBar::ShowFeedbackDialog() {
    CFeedbackDialog dialog(m_ctx.data, m_ctx.messageBox, this);
    dialog.exec();
}

// --- hooks for the windows of later work: nothing opens yet

void CMainBar::OpenReadWindow(int) {}
void CMainBar::OpenMessageWindow(int) {}
void CMainBar::OpenSmsWindow(int) {}
void CMainBar::OpenFriendDetails(int) {}
void CMainBar::OpenMessageList() {}
void CMainBar::OpenAddFriendWizard(int) {}
void CMainBar::OpenUserSearch() {}
void CMainBar::OpenSendProgram() {}
void CMainBar::OpenAddFavouriteChannel() {}
void CMainBar::OpenChannelSearch() {}
void CMainBar::OpenCreateChannel() {}
void CMainBar::OpenChannelInfo(int) {}
void CMainBar::OpenChannelOperator(int) {}
void CMainBar::OpenCounterDialog() {}
void CMainBar::RunEditUserWizard() {
    CEditUserWizDialog::Run(m_ctx.data, m_ctx.messageBox, m_ctx.openHelp,
                            {[this] { BeginBusy(); }, [this] { EndBusy(); }}, this,
                            [this](QWidget* window) { AttachToMainBar(window); });
}

bool CMainBar::RunAddUserWizard(CUserRecord& user) {
    CAddUserWizDialog wizard(WizardServicesOf(m_ctx), this);
    // The sheet takes its size when it is first shown.
    wizard.show();
    AttachToMainBar(&wizard);
    if (wizard.exec() != QDialog::Accepted)
        return false;
    user = wizard.User();
    return true;
}

} // namespace murmex
