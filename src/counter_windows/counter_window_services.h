#pragma once

#include <functional>

namespace murmex {

class CallCounter;
class IClock;
class IDesktopShell;
class IMessageBox;
struct SAppContext;

// What the counter's windows work with: the program's one call counter, the
// desktop that opens the billing report, the message box, the clock that says
// which month is the current one, and the help pages.
struct SCounterWindowServices {
    CallCounter& counter;
    IDesktopShell& shell;
    IMessageBox& messageBox;
    const IClock& clock;
    // Topic 0 is the index, any other number that topic's page; may be empty.
    std::function<void(int topic)> openHelp;

    static SCounterWindowServices FromContext(const SAppContext& context);
    void OpenHelp(int topic) const {
        if (openHelp)
            openHelp(topic);
    }
};

} // namespace murmex
