#include "friends/friend_details_host.h"

#include "model/data_manager.h"

namespace murmex {

CFriendDetailsHost::CFriendDetailsHost(SFriendDetailsServices services, QWidget* parent)
    : m_services(std::move(services)), m_parent(parent) {}

CFriendDetailsHost::~CFriendDetailsHost() {
    // The window is a child of the parent window, not of the host.
    Close();
}

CFriendDetailsDlg* CFriendDetailsHost::Window() const {
    return m_window && m_window->isVisible() ? m_window.data() : nullptr;
}

void CFriendDetailsHost::Close() {
    if (!m_window)
        return;
    QPointer<CFriendDetailsDlg> window = m_window;
    m_window.clear();
    window->close();
    // A window that could not close (a send under way) closes itself once done.
}

CFriendDetailsDlg* CFriendDetailsHost::Open(int qid, int page) {
    if (qid <= 0)
        return nullptr;
    Close();
    // The cached record, else the service's (a friend the service does not
    // know comes as "[nieznany]").
    CDataManager::User user = m_services.data.CachedUser(qid);
    if (!user)
        user = m_services.data.UserRecord(qid);
    if (!user)
        return nullptr;
    auto* window = new CFriendDetailsDlg(m_services, std::move(user), m_parent);
    m_window = window;
    connect(window, &CFriendDetailsDlg::Confirmed, this, [this, window](int friendQid) {
        if (m_window == window)
            m_window.clear();
        if (m_refresh)
            m_refresh(friendQid);
    });
    window->ShowPage(page);
    if (m_place)
        m_place(window);
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace murmex
