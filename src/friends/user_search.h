#pragma once

#include <functional>

class QWidget;

namespace murmex {

class CDataManager;
class IMessageBox;

// What the user search works with.
struct SUserSearchServices {
    CDataManager& data;
    IMessageBox& messageBox;
    std::function<void(int topic)> openHelp;
    // Opens a found user's details window.
    std::function<void(int qid)> openDetails;
    // Places a dialog as the main bar places its dialogs; may be empty.
    std::function<void(QWidget*)> place;
    QWidget* parent = nullptr;
};

// The search loop: the criteria, then the results, and from the results back
// to fresh empty criteria as often as the user asks. Each pass makes both
// dialogs anew.
void RunUserSearch(const SUserSearchServices& services);

} // namespace murmex
