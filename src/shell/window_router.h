#pragma once

#include "session/heartbeat_view.h"
#include "session/main_menu_rules.h"

#include <QObject>
#include <QPointer>
#include <map>
#include <memory>
#include <vector>

class QWidget;

namespace murmex {

struct SAppContext;
class CChannelInfoDlg;
class CChannelSettingsDlg;
class CDesktopNotifier;
class CFriendDetailsHost;
class CMainBar;
class CMessageWindows;
class CUserRecord;
class ICallCounterPort;

// Opens every window of the program: what the main menu, the friend and
// channel trees, the tray and the heartbeat ask for comes here, and the
// windows that may be open only once are kept here. The main bar only shows;
// it places the windows opened here beside itself and is made busy while one
// fills.
//
// It is the heartbeat's view: the windows the heartbeat opens are its own
// part, the lines and the tray picture go on to the main bar.
class CWindowRouter : public QObject, public IHeartbeatView {
    Q_OBJECT

public:
    // Connects the bar's trees, menu and tray to the router and plugs the
    // router into the heartbeat. Both outlive the router.
    CWindowRouter(SAppContext& ctx, CMainBar& bar);
    ~CWindowRouter() override;
    CWindowRouter(const CWindowRouter&) = delete;
    CWindowRouter& operator=(const CWindowRouter&) = delete;

    // --- the windows
    void OpenReadWindow(int messageIndex) override;
    void OpenFriendOnlinePopup(int qid) override;
    // The desktop's notices (window_router_notices.cpp): only while the main
    // bar is hidden or not the active window, and the option allows them.
    void NotifyNewMessage(int messageIndex) override;
    void NotifyFriendOnline(int qid) override;
    // Tests put a notifier on their own bus.
    void SetDesktopNotifier(std::unique_ptr<CDesktopNotifier> notifier);
    CDesktopNotifier& DesktopNotifier() { return *m_notifier; }
    void OpenMessageWindow(int qid);
    void OpenSmsWindow(int qid);
    void OpenFriendDetails(int qid);
    // On one of its pages (CFriendDetailsDlg::EPage).
    void OpenFriendDetails(int qid, int page);
    void OpenMessageList();
    // 0: no group chosen in advance.
    void OpenAddFriendWizard(int groupId);
    void OpenUserSearch();
    void OpenSendProgram();
    void OpenAddFavouriteChannel();
    void OpenChannelSearch();
    void OpenCreateChannel();
    void OpenChannelInfo(int channelId);
    // "Funkcje operatorskie": the channel's settings, for its operators only;
    // one window per channel, raised when asked for again.
    void OpenChannelOperator(int channelId);
    void OpenCounterDialog();

    // --- the heartbeat's questions (the tick goes on while they are open)
    SNewFriendAnswer AskNewFriend(int qid) override;
    EVanishedFriendAnswer AskVanishedFriend(int qid) override;
    // Closes what was opened for the old user's friends.
    void LocalUserSwitching() override;
    // --- the heartbeat's lines and pictures: the main bar's
    void AdvanceTreeBlink() override;
    bool IsMainBarHidden() override;
    void ShowMainBar() override;
    void SetStatusLine(std::string_view textUtf8) override;
    void SetCostLine(std::string_view textUtf8) override;
    void SetTrayIcon(int picture) override;

    // Runs one command of the main menu.
    void RunMenuCommand(EMenuCommand command);
    // The program ends: every window opened here closes.
    void CloseAll();

    // The open friend-online pop-ups.
    std::vector<QWidget*> FriendOnlinePopups() const;
    // The one friend details window.
    CFriendDetailsHost& FriendDetails() { return *m_details; }
    // The open settings window of a channel, or null.
    CChannelSettingsDlg* ChannelSettings(int channelId) const;
    // The channel information window opened from the favourite list, if open.
    CChannelInfoDlg* ChannelInfo() const;

private:
    // window_router_commands.cpp: the menu's and the trees' commands
    void ConnectBar();
    void AddGroup();
    void ShowOptions();
    void ToggleLogin();
    void ToggleConnection();
    void OpenChat();
    void ChangeUser();
    void AddUser();
    void RemoveUser();
    bool RunAddUserWizard(CUserRecord& user);
    void RunEditUserWizard();
    void ShowAboutBox();
    void ShowFeedbackDialog();
    void EnterChannel(int channelId);
    void EnterFriendChannel(int qid);
    // window_router_operator.cpp
    void CloseChannelSettings();
    void OpenChannelSettings(int channelId);

    // window_router_notices.cpp
    bool DesktopNoticeWanted() const;

    SAppContext& m_ctx;
    CMainBar& m_bar;
    std::unique_ptr<CDesktopNotifier> m_notifier;
    std::unique_ptr<ICallCounterPort> m_counterPort;
    std::unique_ptr<CMessageWindows> m_messageWindows;
    std::unique_ptr<CFriendDetailsHost> m_details;
    std::vector<QPointer<QWidget>> m_popups;
    // The open channel settings windows by channel id; closed ones drop out.
    std::map<int, QPointer<QWidget>> m_channelSettings;
    // Channels whose settings window is being asked for (the service may take a while).
    std::vector<int> m_settingsOpening;
    // One at a time: opening another closes it. It deletes itself on close.
    QPointer<CChannelInfoDlg> m_channelInfo;
};

} // namespace murmex
