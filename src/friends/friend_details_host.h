#pragma once

#include "friends/friend_details_dlg.h"

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace murmex {

// Keeps the one friend details window: opening another closes the one open,
// confirming it refreshes the friend's items, and it closes when the local
// user changes. The window router owns one.
class CFriendDetailsHost : public QObject {
    Q_OBJECT

public:
    // `parent` is the window the details window stands over (may be none).
    CFriendDetailsHost(SFriendDetailsServices services, QWidget* parent = nullptr);
    ~CFriendDetailsHost() override;

    // After "OK": refresh the friend's items (the friend tree's update).
    void SetRefreshFriend(std::function<void(int qid)> refresh) { m_refresh = std::move(refresh); }
    // Places a window once it has its size (beside the main bar).
    void SetPlacement(std::function<void(QWidget*)> place) { m_place = std::move(place); }

    // Closes an open window, then opens one for the friend on `page`
    // (CFriendDetailsDlg::EPage). Returns it; none for a QID of nobody.
    CFriendDetailsDlg* Open(int qid, int page = CFriendDetailsDlg::kPageData);
    void Close();
    // The open window, if any.
    CFriendDetailsDlg* Window() const;
    // The friends belong to the old local user: their window goes.
    void LocalUserSwitching() { Close(); }

private:
    SFriendDetailsServices m_services;
    QPointer<QWidget> m_parent;
    std::function<void(int)> m_refresh;
    std::function<void(QWidget*)> m_place;
    QPointer<CFriendDetailsDlg> m_window;
};

} // namespace murmex
