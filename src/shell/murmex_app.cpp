#include "shell/murmex_app.h"

#include "counter/call_counter.h"
#include "model/channel_list.h"
#include "model/data_manager.h"
#include "model/user_record.h"
#include "platform/autostart.h"
#include "platform/clock.h"
#include "platform/paths.h"
#include "platform/ppp_platform.h"
#include "platform/program_path.h"
#include "platform/tcp_socket.h"
#include "protocol/command_codes.h"
#include "protocol/request_engine.h"
#include "session/app_context.h"
#include "session/app_texts.h"
#include "session/connection_state.h"
#include "session/heartbeat.h"
#include "session/internet_connection.h"
#include "session/periodic_tasks.h"
#include "shell/autorun_question_dialog.h"
#include "shell/exit_confirm_dialog.h"
#include "shell/hot_tip_dialog.h"
#include "shell/local_user_dialogs.h"
#include "shell/main_bar.h"
#include "shell/password_prompt.h"
#include "shell/personalizing_window.h"
#include "shell/single_instance.h"
#include "shell/splash_window.h"
#include "shell/unix_signal_watcher.h"
#include "shell/window_router.h"
#include "storage/dictionaries.h"
#include "storage/options.h"
#include "ui/modal_turns.h"
#include "ui/qt_desktop_shell.h"
#include "ui/qt_message_box.h"
#include "ui/qt_wait_loop.h"
#include "wizards/account_setup.h"
#include "wizards/reg_wiz_dialog.h"
#include "wizards/wizard_state.h"

#include <QApplication>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <thread>

namespace murmex {
namespace {

std::string AlreadyRunningText(const std::string& folder) {
    std::string text(kTextAlreadyRunning);
    text += "\n";
    text += folder.empty() ? std::string(".") : folder;
    return text;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace

CMurmexApp::CMurmexApp(SAppSettings settings) : m_settings(std::move(settings)) {
    // The UI thread's objects, and the engine: UI-mode commands from this
    // thread keep the windows alive while they wait.
    m_waitLoop = std::make_unique<CQtWaitLoop>();
    SEngineSettings engineSettings;
    engineSettings.port = ServicePort(m_settings.port);
    engineSettings.serverAddress = [] {
        return HasOption("Server") ? GetOption("Server") : CRequestEngine::DefaultServerAddress();
    };
    m_engine = std::make_unique<CRequestEngine>(engineSettings);
    m_engine->SetUiThread(std::this_thread::get_id());
    m_engine->SetHostWindow(m_waitLoop.get());
    m_messageBox = std::make_unique<CQtMessageBox>();
    m_prompt = std::make_unique<CQtPasswordPrompt>();
}

CMurmexApp::~CMurmexApp() {
    Stop();
    // The windows go first; nothing may tell them anything afterwards.
    if (m_data)
        m_data->SetTreeView(nullptr);
    if (m_channels)
        m_channels->SetFavouritesView(nullptr);
    m_messageBox->SetOwner(nullptr);
    m_prompt->SetOwner(nullptr);
    m_router.reset();
    m_mainBar.reset();
    m_personalizing.reset();
}

int CMurmexApp::Run(int argc, char** argv) {
    std::vector<std::string> args(argv, argv + argc);
    if (args.empty())
        args.emplace_back("murmex");
    m_signals = std::make_unique<CUnixSignalWatcher>(std::initializer_list<int>{SIGTERM, SIGINT});
    QObject::connect(m_signals.get(), &CUnixSignalWatcher::Received, [this] { QuitNow(); });
    if (!Start(args)) {
        Stop();
        return m_exitStatus;
    }
    // A quit asked for during start-up (say, from the hint of the day) came
    // before there was a loop to leave.
    int status = 0;
    if (!m_quitting) {
        m_inLoop = true;
        status = QApplication::exec();
        m_inLoop = false;
    }
    Stop();
    return status;
}

bool CMurmexApp::Start(const std::vector<std::string>& args) {
    // Start-up asks its questions unbidden: each waits for a window that is up
    // (the login's password question) rather than landing on top of it.
    CModalTurns::CBackground background;
    // The network layer first: without it nothing else is worth starting.
    if (!CTcpSocket::StartSocketsLayer()) {
        m_messageBox->ShowMessage(kTextNoNetworkLayer);
        return false;
    }
    // The main bar may be hidden with only the tray icon left; closing some
    // other window must not end the program then. Only quitting does.
    QApplication::setQuitOnLastWindowClosed(false);

    // The program's own path and its folders.
    const std::string argv0 = args.empty() ? std::string() : args.front();
    m_programPath = ProgramPathFromArgv0(argv0);
    CPaths::Init(m_programPath.empty() ? argv0 : m_programPath);
    if (!ClaimDataFolder())
        return false;
    CQtDesktopShell::Opener opener;
    if (m_settings.openUrl)
        opener = [open = m_settings.openUrl](const QUrl& url) {
            return open(url.toString().toStdString());
        };
    m_shell = std::make_unique<CQtDesktopShell>(
        std::vector<std::string>{CPaths::DataDirectory(), CPaths::ProgramDirectory(),
                                 FolderOf(HelpPage(kHelpIndexTopic))},
        std::move(opener));

    // The splash; it closes itself.
    if (m_settings.showSplash) {
        CSplashWindow splash;
        splash.exec();
    }

    // Dictionaries, options, the model and the connection.
    LoadDictionaries();
    LoadOptions();
    CreateModel();

    // Whose data this run shows.
    ChooseLocalUser();

    // The main bar, the first user's set-up, the heartbeat.
    CreateMainBar();
    if (m_firstRunInitDue)
        RunFirstRunInitialisation();
    if (m_personalizing)
        m_personalizing->hide();
    m_mainBar->StartHeartbeat();

    // The questions and hints of a start, once the bar stands.
    AskAboutAutostart();
    ShowAtStart(args);
    m_mainBar->ShowTrayIcon();
    if (m_settings.showHotTip && GetOption(kOptHotTipDisabled) != "1") {
        CHotTipDialog tip(m_mainBar.get());
        tip.exec();
    }

    // The personalizing window was only the first run's backdrop.
    m_personalizing.reset();
    return true;
}

void CMurmexApp::CreateModel() {
    const IClock& clock = CSystemClock::Instance();
    m_tasks = std::make_unique<CPeriodicTasks>(clock);
    IDialUpPlatform* platform = m_settings.platform;
    if (!platform) {
        m_ownPlatform = std::make_unique<CPppPlatform>();
        platform = m_ownPlatform.get();
    }
    m_connection = std::make_unique<CInternetConnection>(*platform);
    m_connectionState = std::make_unique<CConnectionState>(*m_connection, *m_engine);
    // The data manager reports to the heartbeat from its first moment; the
    // heartbeat itself starts ticking only once the main bar exists.
    m_heartbeat =
        std::make_unique<CHeartbeat>(clock, *m_tasks, *m_connection, *m_engine, *m_messageBox);

    m_counter = std::make_unique<CallCounter>(clock);
    m_channels = std::make_unique<CChannelList>(*m_engine, clock);
    m_channels->Load();
    m_data = std::make_unique<CDataManager>(*m_engine, *m_channels, clock, m_tasks.get());
    m_data->SetHeartbeatSink(m_heartbeat.get());
    m_data->SetPasswordPrompt(m_prompt.get());
    m_data->SetMessageBox(m_messageBox.get());
    m_data->SetDesktopShell(m_shell.get());

    m_connection->Init();
}

void CMurmexApp::ChooseLocalUser() {
    const std::size_t users = m_data->LocalUsers().size();
    if (users == 0) {
        m_firstRun = true;
        RunFirstRun();
        // Whether it worked or not, the next start goes straight on.
        SetOption(kOptRegWizStart, "0");
        SaveOptions();
        return;
    }
    if (users == 1) {
        m_data->SwitchToFirstLocalUser();
        return;
    }
    // Cancel leaves the run without a user until one is chosen from the menu.
    CChooseLocalUserDialog dialog(LocalUserChoices(*m_data), *m_messageBox);
    if (dialog.exec() == QDialog::Accepted && dialog.ChosenQid() != 0)
        m_data->SwitchLocalUser(dialog.ChosenQid());
}

bool CMurmexApp::RunRegistrationWizard(CUserRecord& user) {
    CRegWizDialog wizard(
        SWizardServices{*m_engine, *m_connection, *m_connectionState, *m_messageBox},
        m_personalizing.get());
    if (wizard.exec() != QDialog::Accepted)
        return false;
    user = wizard.User();
    return true;
}

void CMurmexApp::RunFirstRun() {
    m_personalizing = std::make_unique<CPersonalizingWindow>();
    m_messageBox->SetOwner(m_personalizing.get());
    m_prompt->SetOwner(m_personalizing.get());

    CUserRecord user;
    if (!RunRegistrationWizard(user))
        return;
    m_personalizing->show();
    // Registers a new account, makes the local user and switches to it; a
    // failure has been told and leaves the run without a user.
    const SAccountSetup setup = SetUpLocalAccount(user, *m_data, *m_messageBox);
    m_firstRunInitDue = setup.qid != 0 && !setup.wasLocalUser;
}

void CMurmexApp::CreateMainBar() {
    m_context.reset(new SAppContext{
        *m_engine,
        *m_data,
        *m_channels,
        *m_counter,
        *m_connection,
        *m_connectionState,
        *m_heartbeat,
        *m_tasks,
        *m_messageBox,
        *m_shell,
        CSystemClock::Instance(),
        [this](int topic) { OpenHelp(topic); },
        [this] { RequestQuit(); },
    });
    m_mainBar = std::make_unique<CMainBar>(*m_context);
    // The bar's trees, menu and tray, and the heartbeat, open windows through it.
    m_router = std::make_unique<CWindowRouter>(*m_context, *m_mainBar);
    if (m_settings.trayAvailable)
        m_mainBar->SetTrayAvailableCheck(m_settings.trayAvailable);
    // The main window from now on: the owner of every box and question.
    m_messageBox->SetOwner(m_mainBar.get());
    m_prompt->SetOwner(m_mainBar.get());
}

void CMurmexApp::RunFirstRunInitialisation() {
    // Logs in (asking for the password when none is kept) and brings the
    // service's friends into a first group; a login that fails ends it here.
    InitialiseNewLocalUser(*m_data);
}

void CMurmexApp::AskAboutAutostart() {
    if (HasOption(kOptAutorunDontAsk))
        return;
    const CAutostartEntry entry(m_settings.autostartFolder);
    // No folder for entries, or one there already (whatever it says): no question.
    if (!entry.Open() || entry.Exists())
        return;
    CAutorunQuestionDialog dialog(m_mainBar.get());
    const bool yes = dialog.exec() == QDialog::Accepted;
    // A failure to write it is not worth a message: the user can add the
    // program to the session by hand.
    if (yes)
        entry.Create(m_programPath);
    if (dialog.DontAskAgain())
        SetOption(kOptAutorunDontAsk, "1");
}

void CMurmexApp::ShowAtStart(const std::vector<std::string>& args) {
    // Without a tray there would be no way back to a hidden main bar.
    if (!StartsHidden(args, m_mainBar->TrayAvailable()))
        m_mainBar->ShowMainBar(true);
}

bool CMurmexApp::HasAutorunSwitch(const std::vector<std::string>& args) {
    // The program's own path is not an argument: a folder named "autorun"
    // must not hide the main bar.
    for (std::size_t i = 1; i < args.size(); ++i)
        if (args[i].find(CAutostartEntry::kAutorunSwitch) != std::string::npos)
            return true;
    return false;
}

bool CMurmexApp::StartsHidden(const std::vector<std::string>& args, bool trayAvailable) {
    return trayAvailable && HasAutorunSwitch(args);
}

std::uint16_t CMurmexApp::ServicePort(std::uint16_t configured) {
    if (configured != 0)
        return configured;
    const char* text = std::getenv(kPortVariable);
    if (!text || !*text)
        return kServicePort;
    // Digits only: a typo must not quietly pick some other port.
    long port = 0;
    for (const char* c = text; *c; ++c) {
        if (*c < '0' || *c > '9')
            return kServicePort;
        port = port * 10 + (*c - '0');
        if (port > 65535)
            return kServicePort;
    }
    return port == 0 ? kServicePort : static_cast<std::uint16_t>(port);
}

std::string CMurmexApp::HelpPage(int topic) {
    if (topic <= kHelpIndexTopic)
        return CPaths::Resource("help/index.html");
    return CPaths::Resource("help/" + std::to_string(topic) + ".html");
}

void CMurmexApp::OpenHelp(int topic) {
    std::string page = HelpPage(topic);
    // A topic without a page of its own still leads somewhere useful.
    if (!FileExists(page))
        page = HelpPage(kHelpIndexTopic);
    if (m_shell && !m_shell->OpenDocument(page))
        m_messageBox->ShowMessage(std::string(kTextNoHelpViewer) + "\n" + page);
}

bool CMurmexApp::ConfirmExit() {
    // Quitting stops the counter; a LAN costs nothing to leave running.
    if (!m_connectionState || !m_connectionState->IsConnected() || m_connectionState->IsLAN())
        return true;
    CExitConfirmDialog dialog(m_mainBar.get());
    return dialog.exec() == QDialog::Accepted;
}

void CMurmexApp::RequestQuit() {
    // A second request while the question is up (the tray, the menu) waits for its answer.
    if (m_quitting || m_confirmingExit)
        return;
    m_confirmingExit = true;
    const bool confirmed = ConfirmExit();
    m_confirmingExit = false;
    if (!confirmed)
        return;
    Quit(false);
}

void CMurmexApp::QuitNow() {
    Quit(true);
}

void CMurmexApp::Quit(bool fromSignal) {
    if (m_quitting)
        return;
    m_quitting = true;
    // The session is told it ends; the main bar's close button leaves that to
    // the dropped connection.
    m_logoutAtStop = fromSignal;
    if (m_router)
        m_router->CloseAll();
    if (m_mainBar)
        m_mainBar->QuitApplication();
    // Before Run's loop (still starting up) Run sees the flag instead: a quit
    // with no loop to leave would leave every later loop at once. That is
    // just what a signal wants: a start-up question that is up, and those
    // still to come, end unanswered, and start-up runs through to Stop.
    if (m_inLoop || fromSignal)
        QCoreApplication::quit();
}

bool CMurmexApp::ClaimDataFolder() {
    const std::string folder = CPaths::DataDirectory();
    switch (m_instanceLock.Acquire(folder)) {
    case CInstanceLock::EState::Held:
        m_instance = std::make_unique<CSingleInstance>();
        if (!m_instance->Listen(folder, [this] { BringForward(); }))
            std::fprintf(stderr, "murmex: a later start cannot reach this one: no local socket\n");
        return true;
    case CInstanceLock::EState::HeldElsewhere:
        if (CSingleInstance::ActivateRunning(folder)) {
            m_exitStatus = 0;
            return false;
        }
        m_messageBox->ShowMessage(AlreadyRunningText(folder));
        return false;
    case CInstanceLock::EState::Failed:
        // A folder we cannot even make a lock file in will refuse murmex.cfg
        // too; the saves say so when they fail. Nothing here to protect.
        std::fprintf(stderr, "murmex: %s\n", m_instanceLock.ErrorText().c_str());
        return true;
    }
    return true;
}

void CMurmexApp::BringForward() {
    if (m_mainBar && !m_quitting)
        m_mainBar->ShowMainBar(true);
}

void CMurmexApp::Stop() {
    if (m_stopped)
        return;
    m_stopped = true;
    // A login thread waiting for a password or a message box must not wait
    // for a UI thread that is about to join it.
    m_prompt->StopForShutdown();
    m_messageBox->StopForShutdown();
    if (m_data) {
        // Joins the fetch first, so a message taken from the service is on
        // disk before the logout tells the service it may forget it.
        m_data->Shutdown();
        if (m_logoutAtStop && m_engine->IsLoggedIn())
            m_data->Logout();
    }
    m_engine->Abort();
    if (m_connection)
        m_connection->WaitForDialling();
}

} // namespace murmex
