// The data manager's inbox, user search and the commands that store nothing.
#include "model/data_manager.h"
#include "ports/ui_interfaces.h"
#include "protocol/command_codes.h"
#include "protocol/param_record.h"
#include "protocol/request_engine.h"

#include <algorithm>

namespace murmex {

int CDataManager::AppendMessage(CMessageRecord message, bool save) {
    const bool announce = !message.IsRead() && message.Type() == CMessageRecord::Received;
    const int sender = message.Sender();
    int index = 0;
    {
        std::lock_guard lock(m_mutex);
        m_messages.push_back(std::move(message));
        index = static_cast<int>(m_messages.size()) - 1;
    }
    if (save)
        Save();
    if (announce)
        if (IFriendTreeView* tree = m_tree)
            tree->TreeFriendHasNewMessage(sender);
    return index;
}

int CDataManager::AddMessage(CMessageRecord message) {
    return AppendMessage(std::move(message), true);
}

int CDataManager::AddMessageAndNotify(CMessageRecord message) {
    const int index = AddMessage(std::move(message));
    if (IHeartbeatSink* sink = m_sink)
        sink->PushNewMessage(index);
    return index;
}

int CDataManager::MessageCount() const {
    std::lock_guard lock(m_mutex);
    return static_cast<int>(m_messages.size());
}

std::optional<CMessageRecord> CDataManager::MessageAt(int index) const {
    std::lock_guard lock(m_mutex);
    if (index < 0 || static_cast<std::size_t>(index) >= m_messages.size())
        return std::nullopt;
    return m_messages[static_cast<std::size_t>(index)];
}

bool CDataManager::SetMessageRead(int index, bool read) {
    bool turnedRead = false;
    int sender = 0;
    {
        std::lock_guard lock(m_mutex);
        if (index < 0 || static_cast<std::size_t>(index) >= m_messages.size())
            return false;
        CMessageRecord& message = m_messages[static_cast<std::size_t>(index)];
        sender = message.Sender();
        turnedRead = message.SetRead(read);
    }
    if (turnedRead)
        if (IFriendTreeView* tree = m_tree)
            tree->TreeFriendMessageRead(sender);
    Save();
    return true;
}

int CDataManager::UnreadCount() const {
    std::lock_guard lock(m_mutex);
    return static_cast<int>(std::count_if(m_messages.begin(), m_messages.end(),
                                          [](const CMessageRecord& m) { return !m.IsRead(); }));
}

int CDataManager::FirstUnread() const {
    std::lock_guard lock(m_mutex);
    for (std::size_t i = 0; i < m_messages.size(); ++i)
        if (!m_messages[i].IsRead())
            return static_cast<int>(i);
    return -1;
}

bool CDataManager::HasUnreadFrom(int sender) const {
    std::lock_guard lock(m_mutex);
    return std::any_of(m_messages.begin(), m_messages.end(), [sender](const CMessageRecord& m) {
        return !m.IsRead() && m.Sender() == sender;
    });
}

int CDataManager::FirstUnreadFrom(int sender) const {
    std::lock_guard lock(m_mutex);
    for (std::size_t i = 0; i < m_messages.size(); ++i)
        if (!m_messages[i].IsRead() && m_messages[i].Sender() == sender)
            return static_cast<int>(i);
    return 0;
}

std::vector<SMessageRow> CDataManager::MessageRows() {
    std::vector<CMessageRecord> messages;
    {
        std::lock_guard lock(m_mutex);
        messages = m_messages;
    }
    std::vector<SMessageRow> rows;
    rows.reserve(messages.size());
    for (int i = static_cast<int>(messages.size()) - 1; i >= 0; --i) {
        const CMessageRecord& message = messages[static_cast<std::size_t>(i)];
        rows.push_back({i, message.Summary(UserRecord(message.Sender())->Nick())});
    }
    return rows;
}

std::vector<SMessageRow> CDataManager::SenderMessageRows(int sender) const {
    std::lock_guard lock(m_mutex);
    std::vector<SMessageRow> rows;
    for (int i = static_cast<int>(m_messages.size()) - 1; i >= 0; --i) {
        const CMessageRecord& message = m_messages[static_cast<std::size_t>(i)];
        if (message.Sender() == sender)
            rows.push_back({i, message.Summary()});
    }
    return rows;
}

bool CDataManager::SearchUsers(const CUserRecord& criteria) {
    {
        std::lock_guard lock(m_mutex);
        m_searchResults.clear();
    }
    if (!m_engine.IsLoggedIn())
        return false;
    const SUserData c = criteria.Snapshot();
    CParamRecord r;
    r.AddText("nick", c.nick);
    r.AddText("email", c.email);
    r.AddText("name", c.name);
    r.AddText("surname", c.surname);
    r.AddText("city", c.city);
    r.AddText("age", c.age);
    const std::pair<const char*, int> numbers[] = {
        {"sex", c.sex},
        {"education", c.education},
        {"job", c.job},
        {"country", c.country},
        {"language", criteria.FirstLanguage()},
        {"interestance", criteria.FirstInterest()},
    };
    for (const auto& [name, value] : numbers)
        if (value != 0)
            r.AddInt(name, value);
    if (!m_engine.ExecuteCommand(CMD_SEARCH_USERS, &r))
        return false;
    std::vector<int> found;
    r.GetIntList("found", found);
    if (found.size() > kMaxSearchResults)
        found.resize(kMaxSearchResults);
    {
        std::lock_guard lock(m_mutex);
        m_searchResults = found;
    }
    for (int qid : found) {
        if (CachedUser(qid))
            continue;
        auto user = std::make_shared<CUserRecord>(qid);
        if (!user->LoadBrief(m_engine))
            continue;
        std::lock_guard lock(m_mutex);
        if (std::none_of(m_users.begin(), m_users.end(),
                         [qid](const User& u) { return u->Qid() == qid; }))
            m_users.push_back(std::move(user));
    }
    Save();
    return true;
}

std::vector<int> CDataManager::SearchResultQids() const {
    std::lock_guard lock(m_mutex);
    return m_searchResults;
}

int CDataManager::SearchResultCount() const {
    std::lock_guard lock(m_mutex);
    return static_cast<int>(m_searchResults.size());
}

CDataManager::User CDataManager::SearchResult(int index) {
    int qid = 0;
    {
        std::lock_guard lock(m_mutex);
        if (index < 0 || static_cast<std::size_t>(index) >= m_searchResults.size())
            return nullptr;
        qid = m_searchResults[static_cast<std::size_t>(index)];
    }
    return UserRecord(qid);
}

bool CDataManager::Recommend(const std::string& email) {
    CParamRecord r;
    r.AddText("email", email);
    return m_engine.ExecuteCommand(CMD_RECOMMEND, &r);
}

bool CDataManager::SendFeedback(const std::string& text) {
    CParamRecord r;
    r.AddText("text", text);
    return m_engine.ExecuteCommand(CMD_FEEDBACK, &r);
}

} // namespace murmex
