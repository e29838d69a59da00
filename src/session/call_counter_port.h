#pragma once

#include <string>

namespace murmex {

// What the heartbeat needs from the modem call counter; the names are the
// counter's own.
class ICallCounterPort {
public:
    virtual ~ICallCounterPort() = default;

    // The connection came up: a new call with its first impulse charged now.
    virtual void StartCall() = 0;
    // The connection went down: the call is logged and saved. False when no
    // call was running.
    virtual bool EndCall() = 0;
    virtual bool IsCallRunning() const = 0;
    // While the connection stays up: charges the next impulse when due, once
    // per elapsed second of the call. True when a new second began, which is
    // when the counter's text changes.
    virtual bool TimerEvent() = 0;
    // The main bar's cost line (UTF-8): elapsed time and cost by turns.
    virtual std::string CounterText() const = 0;
};

} // namespace murmex
