#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The gallery: every window of the program, made with sample data and drawn
// offscreen into DIR/<ClassName>.png. Each window folder registers its windows
// in its own Add…Shots function; murmex_gallery calls them all.
//
// Registering a window:
//
//   void AddFriendsShots(CGalleryBook& book) {
//       book.Add("CAddGroupDialog", [](CGalleryWorld& world) {
//           return std::make_unique<CAddGroupDialog>(world.Data(), nullptr);
//       });
//   }
//
// The maker returns the window ready to be seen (page chosen, fields filled);
// the book shows it, lets it lay itself out and grabs it. A wizard or a tab
// sheet registers one shot per page, under the page's class name.
namespace murmex {

class CDataManager;
class CSheetBase;
struct SAppContext;

// The sample world the windows are made in: no server, no display. A signed-in
// looking local user with groups, friends with Polish names and a few
// messages, on a temporary data folder; the dictionaries loaded.
class CGalleryWorld {
public:
    CGalleryWorld();
    ~CGalleryWorld();
    CGalleryWorld(const CGalleryWorld&) = delete;
    CGalleryWorld& operator=(const CGalleryWorld&) = delete;

    // The application's objects as the windows are handed them. Nothing is
    // connected: a window that asks the service gets "no connection".
    SAppContext& Context();
    CDataManager& Data();
    // The path of a read-only resource of the program ("logo1.avi", "misc.cfg",
    // "help/index.html").
    std::string Resource(const std::string& name) const;
    // The sample local user's number and the numbers of the sample friends.
    int LocalQid() const;
    std::vector<int> FriendQids() const;

private:
    struct SParts;
    std::unique_ptr<SParts> m_parts;
};

class CGalleryBook {
public:
    using Maker = std::function<std::unique_ptr<QWidget>(CGalleryWorld&)>;

    // One PNG: DIR/<className>.png. A name added twice keeps the last maker.
    void Add(const std::string& className, Maker make);

    struct SShot {
        std::string className;
        Maker make;
    };
    const std::vector<SShot>& Shots() const { return m_shots; }

private:
    std::vector<SShot> m_shots;
};

// A wizard or tab sheet (a CSheetBase) shown on the page at `index`, whose
// class must be `pageClass`; null (a fault in the gallery) when it is another
// class, so a reordered sheet cannot file a page under the wrong name.
std::unique_ptr<QWidget> OnPage(std::unique_ptr<QWidget> sheet, int index,
                                const std::string& pageClass);
// The class name of a widget's dynamic type, without the namespace.
std::string ClassNameOf(const QWidget& widget);

// One per window folder; each adds that folder's windows.
void AddShellShots(CGalleryBook&);           // shell_shots.cpp
void AddFriendsShots(CGalleryBook&);         // friends_shots.cpp
void AddFriendDetailsShots(CGalleryBook&);   // friend_details_shots.cpp
void AddAddFriendShots(CGalleryBook&);       // add_friend_shots.cpp
void AddWizardShots(CGalleryBook&);          // wizard_shots.cpp
void AddUiShots(CGalleryBook&);              // ui_shots.cpp
void AddChannelWindowShots(CGalleryBook&);   // channel_window_shots.cpp
void AddCounterWindowShots(CGalleryBook&);   // counter_window_shots.cpp
void AddChannelOperatorShots(CGalleryBook&); // channel_operator_shots.cpp

// Every window of the program, as murmex_gallery renders them.
CGalleryBook WholeGalleryBook();

} // namespace murmex
