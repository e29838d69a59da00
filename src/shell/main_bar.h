#pragma once

#include "session/main_menu_rules.h"
#include "shell/options_dialog.h"
#include "shell/tray_icon.h"
#include "ui/busy_state.h"
#include "ui/queued_ticker.h"
#include "ui/skin_dialog.h"

#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QTabWidget;

namespace murmex {

struct SAppContext;
class CAnimation;
class CElidedLabel;
class CFavouriteChannelList;
class CFriendTree;
class CImageButton;
class CMainMenu;

// The application's main window: a narrow, tall window without the system's
// frame that floats where the user left it or docks at the right edge of the
// screen. It shows the current user, the friends and the favourite channels,
// the connection and the running call's cost, opens the main menu, owns the
// tray icon and drives the heartbeat with its 200 ms timer. The windows it
// leads to are opened by the window router (window_router.h), which listens
// to the bar's trees, menu and tray.
class CMainBar : public CSkinDialog, public IDockingHost {
    Q_OBJECT

public:
    static constexpr int kHeartbeatMs = 200;
    // The edge the bar's height is dragged by.
    static constexpr int kResizeEdge = 5;

    explicit CMainBar(SAppContext& ctx);
    ~CMainBar() override;

    // --- the services the rest of the program uses
    void StartHeartbeat() { m_heartbeat.Start(); }
    void StopHeartbeat() { m_heartbeat.Stop(); }
    bool IsHeartbeatRunning() const { return m_heartbeat.IsRunning(); }
    void ShowMainBar(bool show);
    void SetDocking(bool docked, bool onTop) override;
    bool IsDocked() const override { return m_docked; }
    bool IsOnTop() const override { return m_onTop; }
    // Long operations: every child disabled and the logo playing. Nested
    // calls are counted; the last EndBusy ends it.
    void BeginBusy() { m_busy->Begin(); }
    void EndBusy() { m_busy->End(); }
    bool IsBusy() const { return m_busy->IsBusy(); }
    void PlaceBesideMainBar(QWidget* dialog) { PlaceDialog(dialog, false); }
    void AttachToMainBar(QWidget* dialog) { PlaceDialog(dialog, true); }
    // The tray icon appears only where the desktop has a tray.
    void ShowTrayIcon() { m_tray.Show(); }
    bool HasTrayIcon() const { return m_tray.IsShown(); }
    // Whether the desktop shows tray icons; by default as Qt finds it.
    void SetTrayAvailableCheck(std::function<bool()> check) {
        m_tray.SetAvailableCheck(std::move(check));
    }
    bool TrayAvailable() const { return m_tray.Available(); }
    // A message from the tray icon; false without one.
    bool ShowTrayMessage(const QString& title, const QString& text, std::function<void()> clicked) {
        return m_tray.ShowMessage(title, text, std::move(clicked));
    }
    void RefreshUserLine();
    // The end of the program: tray icon gone, a running call ended and
    // logged, the docking released, the window closed.
    void QuitApplication();

    // --- what the heartbeat shows here
    bool IsMainBarHidden() const;
    void ShowMainBar() { ShowMainBar(true); }
    void SetStatusLine(std::string_view textUtf8);
    void SetCostLine(std::string_view textUtf8);
    // One of the tray pictures of tray_icon_picture.h.
    void SetTrayIcon(int picture) { m_tray.SetPicture(picture); }

    // --- what tests and the application look at
    SAppContext& Context() const { return m_ctx; }
    CFriendTree* FriendTree() const { return m_friendTree; }
    CFavouriteChannelList* ChannelList() const { return m_channelList; }
    CMainMenu* MainMenu() const { return m_menu; }
    QTabWidget* Tabs() const { return m_tabs; }
    QLabel* StatusLine() const { return m_statusLine; }
    CElidedLabel* UserLine() const { return m_userLine; }
    QLabel* CostLine() const { return m_costLine; }
    QPushButton* MenuButton() const { return m_menuButton; }
    CAnimation* Logo() const { return m_logo; }
    CImageButton* HideButton() const { return m_hideButton; }
    QWidget* ResizeGrip() const { return m_resizeGrip; }
    // The view shown: the friends or the channel favourites.
    static constexpr int kViewFriends = 0;
    static constexpr int kViewChannels = 1;
    int CurrentView() const;
    // The picture the heartbeat asked for last (also without a tray).
    int TrayPictureNumber() const { return m_tray.Picture(); }
    // Opens the main menu above its button, enabled for the current state.
    void OpenMainMenu();

signals:
    // A double click on the tray icon while messages wait unread.
    void ReadWindowRequested(int messageIndex);

protected:
    // --- window events
    void OnCloseRequest() override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // main_bar.cpp: building, placing, moving, docking
    void BuildChildren();
    void LayoutChildren();
    void PlaceFromOptions();
    void ApplyDocking();
    void ReleaseDocking();
    void SetTopmost(bool topmost);
    void StorePosition();
    void PlaceDialog(QWidget* dialog, bool attached);
    void OnHideButton();
    void RemoveTrayIcon() { m_tray.Remove(); }
    void OnTrayActivated(int reason);
    // The state the menu is enabled by, as it is now.
    SMainMenuState MenuState() const;

    SAppContext& m_ctx;

    bool m_docked = false;
    bool m_onTop = false;
    bool m_dockRegistered = false;
    bool m_quitting = false;

    CImageButton* m_hideButton = nullptr;
    QTabWidget* m_tabs = nullptr;
    CFriendTree* m_friendTree = nullptr;
    CFavouriteChannelList* m_channelList = nullptr;
    QLabel* m_statusLine = nullptr;
    CElidedLabel* m_userLine = nullptr;
    QLabel* m_costLine = nullptr;
    QPushButton* m_menuButton = nullptr;
    CAnimation* m_logo = nullptr;
    QWidget* m_resizeGrip = nullptr;
    CMainMenu* m_menu = nullptr;
    CTrayIcon m_tray{this, [this](int reason) { OnTrayActivated(reason); }};
    std::unique_ptr<CBusyState> m_busy;
    CQueuedTicker m_heartbeat;
};

} // namespace murmex
