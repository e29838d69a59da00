#include "shell/main_bar.h"

#include "counter/call_counter.h"
#include "friends/favourite_channel_list.h"
#include "friends/friend_tree.h"
#include "model/channel_list.h"
#include "model/data_manager.h"
#include "session/app_context.h"
#include "session/app_texts.h"
#include "session/connection_state.h"
#include "session/heartbeat.h"
#include "session/main_bar_texts.h"
#include "session/shell_texts.h"
#include "session/tray_icon_picture.h"
#include "shell/main_bar_geometry.h"
#include "shell/main_menu.h"
#include "shell/menu_icons.h"
#include "shell/tray_pictures.h"
#include "storage/options.h"
#include "ui/animation.h"
#include "ui/dialog_parts.h"
#include "ui/elided_label.h"
#include "ui/frameless_drag.h"
#include "ui/image_button.h"
#include "ui/local_text.h"
#include "ui/skin_pictures.h"
#include "ui/texts.h"
#include "ui/window_placement.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace murmex {
namespace {

// Layout of the bar (client pixels; a = width, e = height).
constexpr int kMargin = 6;
constexpr int kTabTop = 25;
constexpr int kTabNominalWidth = 140;
constexpr int kTabBottomReserve = 120;
constexpr int kStatusFromBottom = 89;
constexpr int kStatusHeight = 18;
constexpr int kUserFromBottom = 63;
constexpr int kCostFromBottom = 43;
constexpr int kLineHeight = 16;
constexpr int kLinesRightReserve = 79;
constexpr int kMenuButtonFromBottom = 24;
constexpr int kMenuButtonHeight = 18;
constexpr int kLogoFromRight = 63;
constexpr int kLogoFromBottom = 63;
constexpr int kLogoSide = 57;
constexpr int kMinTabWidth = 16;

QWidget* TreePage(std::string_view caption, QWidget* tree) {
    auto* page = new QWidget;
    QLabel* label = dialog_parts::PlainLabel(caption);
    // A list view is named by its own name only, never by a label's buddy.
    tree->setAccessibleName(label->text());
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->setSpacing(3);
    layout->addWidget(label);
    layout->addWidget(tree, 1);
    return page;
}

std::vector<QRect> ScreenAreas() {
    std::vector<QRect> areas;
    for (QScreen* screen : QGuiApplication::screens())
        areas.push_back(screen->availableGeometry());
    return areas;
}

} // namespace

CMainBar::CMainBar(SAppContext& ctx)
    : CSkinDialog(nullptr), m_ctx(ctx),
      m_heartbeat(std::chrono::milliseconds(kHeartbeatMs), [&ctx] { ctx.heartbeat.Tick(); }) {
    // The program's main window, not a dialog of something else: it gets a
    // taskbar entry, so that a minimised bar can always be brought back.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    // The other windows open clear of it.
    SetWindowToKeepClear(this);
    setWindowTitle(FromUtf8(kTextProgramName));
    setWindowIcon(TrayPicture(kTrayOnline));
    setFixedWidth(DialogUnitsToPixelsX(font(), kMainBarWidthUnits));
    setMinimumHeight(kMainBarMinHeight);

    m_docked = GetOption("appbar") == "1";
    m_onTop = GetOption("ontop") == "1";
    BuildChildren();
    PlaceFromOptions();
    SetTopmost(m_docked || m_onTop);
    RefreshUserLine();

    m_ctx.data.SetTitleCallback([this](const std::string&) {
        // Told before the switch is complete: read the new user once it is.
        QMetaObject::invokeMethod(this, &CMainBar::RefreshUserLine, Qt::QueuedConnection);
    });
}

CMainBar::~CMainBar() {
    m_heartbeat.Stop();
    m_ctx.data.SetTitleCallback({});
    RemoveTrayIcon();
    ReleaseDocking();
}

void CMainBar::BuildChildren() {
    m_hideButton = AddTitleButton(kPicHideNormal, kPicHideHover, kPicHidePressed);
    m_hideButton->setObjectName(QStringLiteral("hideButton"));
    m_hideButton->setAccessibleName(FromUtf8(kTextHideWindow));
    connect(m_hideButton, &CImageButton::clicked, this, &CMainBar::OnHideButton,
            Qt::QueuedConnection);

    // The title strip moves the bar and the bottom edge resizes it, neither
    // while it is docked; where it then stands is kept for the next start.
    auto* drag = new CFramelessDrag(this, kMainBarMinHeight);
    drag->SetLocked([this] { return m_docked; });
    drag->SetPlaced([this](bool resized) {
        if (resized)
            LayoutChildren();
        StorePosition();
    });
    for (const QRect& box : {LogoBoxRect(), CaptionBoxRect()})
        if (QWidget* strip = childAt(box.center()))
            drag->AddMoveStrip(strip);

    m_friendTree = new CFriendTree(m_ctx.data, nullptr);
    m_friendTree->SetMessageBox(&m_ctx.messageBox);
    m_friendTree->SetClock(&m_ctx.clock);
    m_channelList = new CFavouriteChannelList(m_ctx.channels, m_ctx.data, nullptr);
    const CConnectionState& state = m_ctx.connectionState;
    m_friendTree->SetConnectionCheck([&state] { return state.IsConnected(); });
    m_channelList->SetConnectionCheck([&state] { return state.IsConnected(); });
    m_ctx.data.SetTreeView(m_friendTree);
    m_ctx.channels.SetFavouritesView(m_channelList);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("views"));
    // On the bar alone: a style sheet on the tabs would restyle both trees too.
    m_tabs->tabBar()->setStyleSheet(
        QStringLiteral("QTabBar::tab { min-width: %1px; }").arg(kMinTabWidth));
    QIcon friendsIcon, channelsIcon;
    for (qreal ratio : {1.0, 2.0}) {
        friendsIcon.addPixmap(MenuIcon(kIconFriends, ratio));
        channelsIcon.addPixmap(MenuIcon(kIconChannels, ratio));
    }
    m_tabs->insertTab(kViewFriends, TreePage(kTextFriendsView, m_friendTree), friendsIcon, {});
    m_tabs->insertTab(kViewChannels, TreePage(kTextChannelsView, m_channelList), channelsIcon, {});
    m_tabs->setTabToolTip(kViewFriends, FromUtf8(kTextFriendsView));
    m_tabs->setTabToolTip(kViewChannels, FromUtf8(kTextChannelsView));
    // The tabs show only pictures: a screen reader reads these names instead.
    m_tabs->tabBar()->setAccessibleName(FromUtf8(kTextViewTabs));
    m_tabs->tabBar()->setAccessibleTabName(kViewFriends, FromUtf8(kTextFriendsView));
    m_tabs->tabBar()->setAccessibleTabName(kViewChannels, FromUtf8(kTextChannelsView));
    m_tabs->setCurrentIndex(kViewFriends);

    m_statusLine = dialog_parts::PlainLabel({}, this);
    m_statusLine->setObjectName(QStringLiteral("statusLine"));
    m_statusLine->setFrameShape(QFrame::Panel);
    m_statusLine->setFrameShadow(QFrame::Sunken);
    m_statusLine->setText(FromUtf8(kTextOffline));
    // A long name ends in "…" and shows whole in its tool tip.
    m_userLine = new CElidedLabel(this);
    m_userLine->setObjectName(QStringLiteral("userLine"));
    m_costLine = dialog_parts::PlainLabel({}, this);
    m_costLine->setObjectName(QStringLiteral("costLine"));

    m_menuButton = new QPushButton(FromUtf8(kTextProgramName), this);
    m_menuButton->setObjectName(QStringLiteral("menuButton"));
    // Enter must not "press" anything in the bar.
    m_menuButton->setAutoDefault(false);
    connect(m_menuButton, &QPushButton::clicked, this, &CMainBar::OpenMainMenu);

    m_logo = new CAnimation(this);
    m_logo->OpenLogo();
    m_busy = std::make_unique<CBusyState>(this, m_logo);

    m_resizeGrip = new QWidget(this);
    m_resizeGrip->setObjectName(QStringLiteral("resizeGrip"));
    m_resizeGrip->setCursor(Qt::SizeVerCursor);
    drag->SetResizeGrip(m_resizeGrip);

    m_menu = new CMainMenu(!m_ctx.connectionState.IsLAN(), this);
    LayoutChildren();
}

void CMainBar::LayoutChildren() {
    const int a = width();
    const int e = height();
    // The tab control is 140 pixels wide at the bar's nominal width and takes
    // the full width when the font makes the bar wider.
    m_tabs->setGeometry(kMargin, kTabTop, std::max(kTabNominalWidth, a - 2 * kMargin),
                        std::max(0, e - kTabBottomReserve));
    m_statusLine->setGeometry(kMargin, e - kStatusFromBottom, a - 2 * kMargin, kStatusHeight);
    m_userLine->setGeometry(kMargin, e - kUserFromBottom, a - kLinesRightReserve, kLineHeight);
    m_costLine->setGeometry(kMargin, e - kCostFromBottom, a - kLinesRightReserve, kLineHeight);
    m_menuButton->setGeometry(kMargin, e - kMenuButtonFromBottom, a - kLinesRightReserve,
                              kMenuButtonHeight);
    m_logo->setGeometry(a - kLogoFromRight, e - kLogoFromBottom, kLogoSide, kLogoSide);
    m_resizeGrip->setGeometry(0, e - kResizeEdge, a, kResizeEdge);
    m_resizeGrip->raise();
    m_resizeGrip->setVisible(!m_docked);
}

void CMainBar::resizeEvent(QResizeEvent* event) {
    CSkinDialog::resizeEvent(event);
    if (m_tabs)
        LayoutChildren();
}

int CMainBar::CurrentView() const {
    return m_tabs->currentIndex();
}

// --- the main menu; the window router runs its commands

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

// --- placing, moving, resizing

void CMainBar::PlaceFromOptions() {
    if (m_docked) {
        QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
        if (screen)
            setGeometry(DockedArea(screen->geometry(), screen->availableGeometry(), width()));
        LayoutChildren();
        return;
    }
    std::optional<std::string> stored;
    if (HasOption("lastpos"))
        stored = GetOption("lastpos");
    const SFloatingPlace place = KeepReachable(
        ParseLastPos(stored ? std::optional<std::string_view>(*stored) : std::nullopt), width(),
        ScreenAreas());
    setGeometry(place.left, place.top, width(), place.height);
    // A hidden window hears of its new size only when shown.
    LayoutChildren();
}

void CMainBar::StorePosition() {
    SetOption("lastpos", LastPosText(geometry()));
    SaveOptions();
}

// --- lines, heartbeat, shutdown

void CMainBar::RefreshUserLine() {
    const int qid = m_ctx.data.CurrentLocalUser();
    const CDataManager::User user = qid ? m_ctx.data.LocalUser(qid) : nullptr;
    SetCaptionText(qid ? QString::number(qid) : QString());
    m_userLine->SetFullText(user ? FromLocal(user->DisplayName()) : QString());
}

void CMainBar::SetStatusLine(std::string_view textUtf8) {
    m_statusLine->setText(FromUtf8(textUtf8));
}

void CMainBar::SetCostLine(std::string_view textUtf8) {
    m_costLine->setText(FromUtf8(textUtf8));
}

void CMainBar::QuitApplication() {
    m_quitting = true;
    StopHeartbeat();
    RemoveTrayIcon();
    // The call so far is logged as if the line had gone down now.
    if (m_ctx.counter.IsCallRunning())
        m_ctx.counter.EndCall();
    ReleaseDocking();
    close();
}

void CMainBar::OnCloseRequest() {
    m_ctx.requestQuit();
}

void CMainBar::closeEvent(QCloseEvent* event) {
    // Closing from outside (the window manager) asks as the close button does.
    if (!m_quitting) {
        event->ignore();
        m_ctx.requestQuit();
        return;
    }
    event->accept();
}

void CMainBar::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Neither closes the bar nor presses a button of it.
        event->accept();
        return;
    default:
        CSkinDialog::keyPressEvent(event);
    }
}

void CMainBar::reject() {
    // A dialog's "reject" would hide the bar; only QuitApplication ends it.
    if (m_quitting)
        CSkinDialog::reject();
}

} // namespace murmex
