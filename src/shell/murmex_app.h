#pragma once

#include "platform/instance_lock.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace murmex {

class CallCounter;
class CChannelList;
class CConnectionState;
class CDataManager;
class CHeartbeat;
class CInternetConnection;
class CMainBar;
class CPeriodicTasks;
class CPersonalizingWindow;
class CQtDesktopShell;
class CQtMessageBox;
class CQtPasswordPrompt;
class CQtWaitLoop;
class CRequestEngine;
class CSingleInstance;
class CUnixSignalWatcher;
class CUserRecord;
class CWindowRouter;
class IDialUpPlatform;
struct SAppContext;

// What a run may change from the outside: tests, the demo.
struct SAppSettings {
    // The 3-second splash; tests go without it.
    bool showSplash = true;
    // The modal hint of the day; tests go without it.
    bool showHotTip = true;
    // The service port; 0 takes $MURMEX_PORT when it holds a port number,
    // else the service's standard port.
    std::uint16_t port = 0;
    // Where the autostart entry is made; empty: the user's autostart folder.
    std::string autostartFolder;
    // The system's dial-up services; null: the real ones.
    IDialUpPlatform* platform = nullptr;
    // Whether the desktop shows tray icons; unset: as Qt finds it.
    std::function<bool()> trayAvailable;
    // Hands a checked address (help pages, web pages) to the desktop; unset:
    // the user's default programs.
    std::function<bool(const std::string& url)> openUrl;
};

// The program: builds every long-lived object in start-up order, hands them to
// the windows as one context, and takes everything down again at the end. A
// QApplication must exist before Start or Run.
class CMurmexApp {
public:
    // The option names start-up reads and writes.
    static constexpr const char* kOptRegWizStart = "RegWizStart";
    static constexpr const char* kOptAutorunDontAsk = "autorun_dontask";
    static constexpr const char* kOptHotTipDisabled = "HotTipDisabled";
    static constexpr const char* kPortVariable = "MURMEX_PORT";
    // The help topic of the help's index page.
    static constexpr int kHelpIndexTopic = 0;

    explicit CMurmexApp(SAppSettings settings = {});
    virtual ~CMurmexApp();
    CMurmexApp(const CMurmexApp&) = delete;
    CMurmexApp& operator=(const CMurmexApp&) = delete;

    // Start, the message loop until the main bar goes, Stop. The exit status:
    // 0 also when another copy of the program already runs on the data folder
    // and took over.
    int Run(int argc, char** argv);
    // Every start-up step up to the message loop; false when the program
    // cannot run (the reason has been shown). args[0] is the program.
    bool Start(const std::vector<std::string>& args);
    // What "Koniec" and the main bar's close button do: asks first while a
    // dial-up call is being timed; then closes the main bar and leaves the loop.
    void RequestQuit();
    // "Koniec" without its question, for SIGTERM and SIGINT: the same closing
    // steps, and a logout once the workers are done.
    void QuitNow();
    // Another start on the same data folder asked for the main bar.
    void BringForward();
    // After the loop: background work ends and every worker is joined while
    // the windows still exist. Safe to call twice.
    void Stop();

    // "/autorun" anywhere in the arguments (a plain substring test).
    static bool HasAutorunSwitch(const std::vector<std::string>& args);
    // The main bar stays hidden only with the switch and a tray to come back from.
    static bool StartsHidden(const std::vector<std::string>& args, bool trayAvailable);
    // The service port from the settings or the environment.
    static std::uint16_t ServicePort(std::uint16_t configured);
    // The help page of a topic (0: the index) among the program's resources.
    static std::string HelpPage(int topic);

    // --- what the start-up made (null before then)
    CRequestEngine& Engine() const { return *m_engine; }
    CDataManager* Data() const { return m_data.get(); }
    CMainBar* MainBar() const { return m_mainBar.get(); }
    CWindowRouter* WindowRouter() const { return m_router.get(); }
    SAppContext* Context() const { return m_context.get(); }
    CHeartbeat* Heartbeat() const { return m_heartbeat.get(); }
    CQtMessageBox& MessageBox() const { return *m_messageBox; }
    CQtPasswordPrompt& PasswordPrompt() const { return *m_prompt; }
    const std::string& ProgramPath() const { return m_programPath; }
    bool FirstRunDone() const { return m_firstRun; }
    bool QuitRequested() const { return m_quitting; }
    void OpenHelp(int topic);

protected:
    // The registration wizard of a first run: true with the new user's data
    // (a QID when the user identified himself as a member already), false
    // when the user gave up. Tests stand in for the user here.
    virtual bool RunRegistrationWizard(CUserRecord& user);

private:
    void CreateModel();
    void ChooseLocalUser();
    void RunFirstRun();
    void CreateMainBar();
    void RunFirstRunInitialisation();
    void AskAboutAutostart();
    void ShowAtStart(const std::vector<std::string>& args);
    bool ConfirmExit();
    void Quit(bool fromSignal);
    void EndStartUpWindows();
    // One program per data folder: false when this start must end (another
    // copy runs; it has been asked to show itself, or the user was told).
    bool ClaimDataFolder();

    SAppSettings m_settings;
    std::string m_programPath;
    bool m_firstRun = false;
    bool m_firstRunInitDue = false;
    bool m_quitting = false;
    // The message loop of Run is turning: quitting has a loop to leave.
    bool m_inLoop = false;
    bool m_confirmingExit = false;
    bool m_stopped = false;
    bool m_logoutAtStop = false;
    int m_exitStatus = 1;

    // Declared in the order they are made; they go in reverse.
    std::unique_ptr<CUnixSignalWatcher> m_signals;
    CInstanceLock m_instanceLock;
    std::unique_ptr<CSingleInstance> m_instance;
    std::unique_ptr<CQtWaitLoop> m_waitLoop;
    std::unique_ptr<CRequestEngine> m_engine;
    std::unique_ptr<CQtMessageBox> m_messageBox;
    std::unique_ptr<CQtPasswordPrompt> m_prompt;
    std::unique_ptr<CQtDesktopShell> m_shell;
    std::unique_ptr<CPeriodicTasks> m_tasks;
    std::unique_ptr<IDialUpPlatform> m_ownPlatform;
    std::unique_ptr<CInternetConnection> m_connection;
    std::unique_ptr<CConnectionState> m_connectionState;
    std::unique_ptr<CHeartbeat> m_heartbeat;
    std::unique_ptr<CallCounter> m_counter;
    std::unique_ptr<CChannelList> m_channels;
    std::unique_ptr<CDataManager> m_data;
    std::unique_ptr<SAppContext> m_context;
    std::unique_ptr<CPersonalizingWindow> m_personalizing;
    std::unique_ptr<CMainBar> m_mainBar;
    // Opens every window; it goes before the bar it places them beside.
    std::unique_ptr<CWindowRouter> m_router;
};

} // namespace murmex
