#pragma once

#include "session/main_menu_rules.h"
#include "shell/options_dialog.h"
#include "ui/skin_dialog.h"

#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QPushButton;
class QSystemTrayIcon;
class QTabWidget;

namespace murmex {

struct SAppContext;
class CAnimation;
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
    // The strip the bar is moved by, and the edge its height is dragged by.
    static constexpr int kMoveStripHeight = 19;
    static constexpr int kResizeEdge = 5;

    explicit CMainBar(SAppContext& ctx);
    ~CMainBar() override;

    // --- the services the rest of the program uses
    void StartHeartbeat();
    void StopHeartbeat();
    bool IsHeartbeatRunning() const { return m_heartbeatTimer.isActive(); }
    void ShowMainBar(bool show);
    void SetDocking(bool docked, bool onTop) override;
    bool IsDocked() const override { return m_docked; }
    bool IsOnTop() const override { return m_onTop; }
    // Long operations: every child disabled and the logo playing. Nested
    // calls are counted; the last EndBusy ends it.
    void BeginBusy();
    void EndBusy();
    bool IsBusy() const { return m_busy > 0; }
    void PlaceBesideMainBar(QWidget* dialog);
    void AttachToMainBar(QWidget* dialog);
    // The tray icon appears only where the desktop has a tray.
    void ShowTrayIcon();
    void RemoveTrayIcon();
    bool HasTrayIcon() const;
    // Whether the desktop shows tray icons; by default as Qt finds it.
    void SetTrayAvailableCheck(std::function<bool()> check);
    bool TrayAvailable() const;
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
    void SetTrayIcon(int picture);

    // --- what tests and the application look at
    SAppContext& Context() const { return m_ctx; }
    CFriendTree* FriendTree() const { return m_friendTree; }
    CFavouriteChannelList* ChannelList() const { return m_channelList; }
    CMainMenu* MainMenu() const { return m_menu; }
    QTabWidget* Tabs() const { return m_tabs; }
    QLabel* StatusLine() const { return m_statusLine; }
    QLabel* UserLine() const { return m_userLine; }
    QLabel* CostLine() const { return m_costLine; }
    QPushButton* MenuButton() const { return m_menuButton; }
    CAnimation* Logo() const { return m_logo; }
    CImageButton* HideButton() const { return m_hideButton; }
    QWidget* ResizeGrip() const { return m_resizeGrip; }
    // 0 friends, 1 channel favourites.
    int CurrentView() const;
    // The picture the heartbeat asked for last (also without a tray).
    int TrayPictureNumber() const { return m_trayPicture; }
    // The state the menu is enabled by, as it is now.
    SMainMenuState MenuState() const;
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
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // main_bar.cpp: building, placing, moving, docking
    void BuildChildren();
    void LayoutChildren();
    void PlaceFromOptions();
    void ApplyDocking();
    void ReleaseDocking();
    void SetTopmost(bool topmost);
    void StorePosition();
    void OnHideButton();
    bool HandleMoveEvent(QEvent* event, const QPoint& globalPos);
    bool HandleResizeEvent(QEvent* event);
    void OnTrayActivated(int reason);
    void PostTick();

    SAppContext& m_ctx;

    bool m_docked = false;
    bool m_onTop = false;
    bool m_dockRegistered = false;
    bool m_moving = false;
    bool m_resizing = false;
    QPoint m_grabOffset;
    int m_busy = 0;
    std::vector<QPointer<QWidget>> m_disabledByBusy;
    bool m_quitting = false;
    int m_trayPicture = 0;
    std::function<bool()> m_trayAvailable;

    CImageButton* m_hideButton = nullptr;
    QTabWidget* m_tabs = nullptr;
    CFriendTree* m_friendTree = nullptr;
    CFavouriteChannelList* m_channelList = nullptr;
    QLabel* m_statusLine = nullptr;
    QLabel* m_userLine = nullptr;
    QLabel* m_costLine = nullptr;
    QPushButton* m_menuButton = nullptr;
    CAnimation* m_logo = nullptr;
    QWidget* m_resizeGrip = nullptr;
    QWidget* m_moveStrip = nullptr;
    CMainMenu* m_menu = nullptr;
    QSystemTrayIcon* m_tray = nullptr;
    QTimer m_heartbeatTimer;
    bool m_tickPosted = false;
};

} // namespace murmex
