#pragma once

#include <functional>

class QWidget;

namespace murmex {

class CChannelList;
class IMessageBox;

// What the channel search works with.
struct SChannelSearchServices {
    CChannelList& channels;
    IMessageBox& messageBox;
    std::function<void(int topic)> openHelp;
    // Shows a found channel's information, modally.
    std::function<void(int channelId)> openInfo;
    // Places a dialog as the main bar places its dialogs; may be empty.
    std::function<void(QWidget*)> place;
    QWidget* parent = nullptr;
};

// The search loop: the criterion, then the results, and from the results back
// to a fresh empty criterion as often as the user asks. Each pass makes both
// dialogs anew; "Anuluj" or "Zamknij" ends it.
void RunChannelSearch(const SChannelSearchServices& services);

} // namespace murmex
