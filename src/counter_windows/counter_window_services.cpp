#include "counter_windows/counter_window_services.h"

#include "session/app_context.h"

namespace murmex {

SCounterWindowServices SCounterWindowServices::FromContext(const SAppContext& context) {
    return {context.counter, context.shell, context.messageBox, context.clock, context.openHelp};
}

} // namespace murmex
