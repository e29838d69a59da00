#pragma once

#include <functional>

namespace murmex {

class CRequestEngine;
class CDataManager;
class CChannelList;
class CallCounter;
class CInternetConnection;
class CConnectionState;
class CHeartbeat;
class CPeriodicTasks;
class IMessageBox;
class IDesktopShell;
class IClock;

// The application's long-lived objects, handed by reference to the windows that
// need them. The application object owns everything named here and outlives
// every window.
struct SAppContext {
    CRequestEngine& engine;
    CDataManager& data;
    CChannelList& channels;
    CallCounter& counter;
    CInternetConnection& connection;
    CConnectionState& connectionState;
    CHeartbeat& heartbeat;
    CPeriodicTasks& tasks;
    IMessageBox& messageBox;
    IDesktopShell& shell;
    const IClock& clock;
    // Opens the help pages: topic 0 is the index, any other number that topic's page.
    std::function<void(int topic)> openHelp;
    // Asks for shutdown as "Koniec" and the main bar's close button do.
    std::function<void()> requestQuit;
};

} // namespace murmex
