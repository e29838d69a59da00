// What the main menu and the trees ask for: the dialogs they open and the few
// commands that open none.
#include "channels/service_site.h"
#include "friends/add_group_dialog.h"
#include "friends/favourite_channel_list.h"
#include "friends/friend_tree.h"
#include "model/data_manager.h"
#include "platform/build_version.h"
#include "platform/code_page.h"
#include "ports/ui_interfaces.h"
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
#include "shell/murmex_app.h"
#include "shell/options_dialog.h"
#include "shell/window_router.h"
#include "ui/dialog_parts.h"
#include "ui/local_text.h"
#include "ui/question_dialog.h"
#include "ui/skin_dialog.h"
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
#include <algorithm>

namespace murmex {

void CWindowRouter::ConnectBar() {
    CFriendTree* friends = m_bar.FriendTree();
    connect(friends, &CFriendTree::OpenMessageWindow, this, &CWindowRouter::OpenMessageWindow);
    connect(friends, &CFriendTree::OpenSmsWindow, this, &CWindowRouter::OpenSmsWindow);
    connect(friends, &CFriendTree::OpenFriendDetails, this,
            qOverload<int>(&CWindowRouter::OpenFriendDetails));
    connect(friends, &CFriendTree::EnterFriendChannel, this, &CWindowRouter::EnterFriendChannel);
    connect(friends, &CFriendTree::AddFriendRequested, this, &CWindowRouter::OpenAddFriendWizard);
    connect(friends, &CFriendTree::OpenReadWindow, this, &CWindowRouter::OpenReadWindow);
    CFavouriteChannelList* channels = m_bar.ChannelList();
    connect(channels, &CFavouriteChannelList::EnterChannel, this, &CWindowRouter::EnterChannel);
    connect(channels, &CFavouriteChannelList::ShowChannelInfo, this,
            &CWindowRouter::OpenChannelInfo);
    connect(channels, &CFavouriteChannelList::ChannelOperator, this,
            &CWindowRouter::OpenChannelOperator);
    connect(channels, &CFavouriteChannelList::AddFavouriteRequested, this,
            &CWindowRouter::OpenAddFavouriteChannel);
    connect(channels, &CFavouriteChannelList::SearchChannelsRequested, this,
            &CWindowRouter::OpenChannelSearch);
    connect(m_bar.MainMenu(), &CMainMenu::Triggered, this, &CWindowRouter::RunMenuCommand);
    connect(&m_bar, &CMainBar::ReadWindowRequested, this, &CWindowRouter::OpenReadWindow);
}

// --- the main menu

void CWindowRouter::RunMenuCommand(EMenuCommand command) {
    switch (command) {
    case EMenuCommand::AddFriend:
        OpenAddFriendWizard(0);
        break;
    case EMenuCommand::AddGroup:
        AddGroup();
        break;
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
            m_ctx.openHelp(CMurmexApp::kHelpIndexTopic);
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

void CWindowRouter::AddGroup() {
    CAddGroupDlg dialog(&m_bar);
    if (dialog.exec() == QDialog::Accepted)
        m_ctx.data.NewGroup(ToLocal(dialog.GroupName()));
}

void CWindowRouter::ShowOptions() {
    COptionsDialog dialog(m_bar, m_ctx.connection, &m_bar);
    dialog.exec();
}

void CWindowRouter::ToggleLogin() {
    m_ctx.heartbeat.LogInOrOut();
}

void CWindowRouter::ToggleConnection() {
    if (m_ctx.connectionState.IsConnected())
        m_ctx.connection.HangUp();
    else
        m_ctx.connection.StartDialling();
}

void CWindowRouter::OpenChat() {
    m_ctx.shell.OpenDocument(Win1250ToUtf8(ServiceWebAddress()));
}

// --- local users

void CWindowRouter::ChangeUser() {
    if (m_ctx.data.LocalUsers().empty()) {
        AddUser();
        return;
    }
    CChooseLocalUserDialog dialog(LocalUserChoices(m_ctx.data), m_ctx.messageBox, &m_bar);
    if (dialog.exec() == QDialog::Accepted && dialog.ChosenQid() != 0)
        m_ctx.data.SwitchLocalUser(dialog.ChosenQid());
    m_bar.RefreshUserLine();
}

void CWindowRouter::RemoveUser() {
    const std::vector<SChoice> users = LocalUserChoices(m_ctx.data);
    CDeleteLocalUserDialog dialog(users, m_ctx.messageBox, &m_bar);
    if (dialog.exec() != QDialog::Accepted || dialog.ChosenQid() == 0)
        return;
    const int qid = dialog.ChosenQid();
    // The user's friends and messages go with the user: asked once more.
    const auto chosen =
        std::find_if(users.begin(), users.end(), [qid](const SChoice& c) { return c.id == qid; });
    const QString name = chosen == users.end() ? QString::number(qid) : FromLocal(chosen->text);
    if (!CQuestionDialog::Ask(&m_bar, FromUtf8(kTextDeleteUserConfirm) + name +
                                          FromUtf8(kTextDeleteUserConfirmTail)))
        return;
    m_ctx.data.RemoveLocalUser(qid);
    // The current user went: the run goes on as another one if there is any.
    if (m_ctx.data.CurrentLocalUser() == 0 && !m_ctx.data.LocalUsers().empty()) {
        CChooseLocalUserDialog choose(LocalUserChoices(m_ctx.data), m_ctx.messageBox, &m_bar);
        if (choose.exec() == QDialog::Accepted && choose.ChosenQid() != 0)
            m_ctx.data.SwitchLocalUser(choose.ChosenQid());
    }
    m_bar.RefreshUserLine();
}

void CWindowRouter::AddUser() {
    CUserRecord user;
    if (!RunAddUserWizard(user))
        return;
    m_bar.BeginBusy();
    // No synchronisation or fetch for a user who is half set up.
    m_ctx.tasks.SuspendPeriodicTasks();
    // Registers or takes the account, switches to it, logs in (waiting for
    // it) and gives a user new here the service's friends.
    SetUpAddedAccount(user, m_ctx.data, m_ctx.messageBox);
    m_ctx.tasks.ResumePeriodicTasks();
    m_bar.EndBusy();
    m_bar.RefreshUserLine();
}

bool CWindowRouter::RunAddUserWizard(CUserRecord& user) {
    CAddUserWizDialog wizard(WizardServicesOf(m_ctx), &m_bar);
    // The sheet takes its size when it is first shown.
    wizard.show();
    m_bar.AttachToMainBar(&wizard);
    if (wizard.exec() != QDialog::Accepted)
        return false;
    user = wizard.User();
    return true;
}

void CWindowRouter::RunEditUserWizard() {
    CEditUserWizDialog::Run(m_ctx.data, m_ctx.messageBox, m_ctx.openHelp,
                            {[this] { m_bar.BeginBusy(); }, [this] { m_bar.EndBusy(); }}, &m_bar,
                            [this](QWidget* window) { m_bar.AttachToMainBar(window); });
}

// --- the about box and the feedback dialog

void CWindowRouter::ShowAboutBox() {
    CSkinDialog box(&m_bar);
    box.setModal(true);
    QLabel* title = dialog_parts::BoldLabel(kTextAboutTitle);
    QLabel* body = dialog_parts::WrappedLabel(kTextAboutBody);
    body->setMinimumWidth(280);
    QLabel* version = dialog_parts::PlainLabel();
    version->setText(FromUtf8(kTextAboutVersion).arg(QString::fromUtf8(MurmexVersion())));
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
    m_bar.AttachToMainBar(&box);
    box.exec();
}

void CWindowRouter::ShowFeedbackDialog() {
    CFeedbackDialog dialog(m_ctx.data, m_ctx.messageBox, &m_bar);
    dialog.exec();
}

// --- the trees' ways into a channel

void CWindowRouter::EnterChannel(int channelId) {
    m_bar.BeginBusy();
    const bool entered = m_ctx.data.EnterChannel(channelId);
    m_bar.EndBusy();
    if (!entered)
        m_ctx.messageBox.ShowMessage(kTextCannotChangeChannel);
}

void CWindowRouter::EnterFriendChannel(int qid) {
    CDataManager::User user = m_ctx.data.CachedUser(qid);
    if (!user)
        user = m_ctx.data.UserRecord(qid);
    EnterChannel(user ? user->ChatValue() : 0);
}

} // namespace murmex
