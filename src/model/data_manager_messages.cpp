// The data manager's inbox, user search and the commands that store nothing.
#include "model/data_manager.h"
#include "ports/ui_interfaces.h"
#include "protocol/command_codes.h"
#include "protocol/param_record.h"
#include "protocol/request_engine.h"
#include "storage/config_store.h"

#include <algorithm>

namespace murmex {

namespace {

std::string MessagesSection(int qid) {
    return "QID" + std::to_string(qid) + "-Messages";
}

bool CountsAsUnread(const CMessageRecord& m) {
    return !m.IsRead();
}

} // namespace

void CDataManager::RebuildUnreadIndexLocked() {
    m_unreadBySender.clear();
    m_unreadTotal = 0;
    for (const auto& m : m_messages)
        if (CountsAsUnread(m))
            CountUnreadLocked(m.Sender(), +1);
}

void CDataManager::CountUnreadLocked(int sender, int delta) {
    m_unreadTotal += delta;
    int& n = m_unreadBySender[sender];
    n += delta;
    if (n <= 0)
        m_unreadBySender.erase(sender);
}

// Writes one message line (a new one, or a changed one) of local user `qid`.
// The change journal takes it in one flushed append; when the journal cannot
// (no file yet, the section not in step after a damaged load, a write error)
// the whole file is saved instead.
bool CDataManager::StoreMessageLine(int qid, bool append, std::size_t index,
                                    const CParamRecord& line) {
    if (!m_settings.saveChanges)
        return true;
    if (qid == 0)
        return NoteSaveResult(true);
    if (m_messagesInStep) {
        std::lock_guard saveLock(m_saveMutex);
        if (CConfigStore::JournalRecord(MessagesSection(qid), append, index, line))
            return NoteSaveResult(true);
    }
    if (qid != m_current)
        return NoteSaveResult(false); // that user's data is no longer in memory
    return Save();
}

std::future<bool> CDataManager::AppendMessage(CMessageRecord message, int& index) {
    const bool announce = !message.IsRead() && message.Type() == CMessageRecord::Received;
    const int sender = message.Sender();
    std::future<bool> stored;
    {
        std::lock_guard lock(m_mutex);
        if (CountsAsUnread(message))
            CountUnreadLocked(sender, +1);
        CParamRecord line = message.ToRecord();
        m_messages.push_back(std::move(message));
        index = static_cast<int>(m_messages.size()) - 1;
        // Handed over under the lock, so the writer gets the lines in index order.
        const int qid = m_current;
        const std::size_t at = static_cast<std::size_t>(index);
        stored = m_store.Submit([this, qid, at, line = std::move(line)] {
            return StoreMessageLine(qid, true, at, line);
        });
    }
    if (announce)
        if (IFriendTreeView* tree = m_tree)
            tree->TreeFriendHasNewMessage(sender);
    return stored;
}

int CDataManager::AddMessage(CMessageRecord message) {
    int index = 0;
    AppendMessage(std::move(message), index);
    return index;
}

int CDataManager::StoreSentMessage(CMessageRecord message) {
    if (message.Type() == CMessageRecord::Received)
        message.SetType(CMessageRecord::Sent);
    return AddMessage(std::move(message));
}

bool CDataManager::StoreFetchedMessage(CMessageRecord message, bool notify) {
    int index = 0;
    std::future<bool> stored = AppendMessage(std::move(message), index);
    // The service drops a message once we ask for anything after it: it must
    // be on disk before the next request goes out.
    const bool ok = stored.get();
    if (notify)
        if (IHeartbeatSink* sink = m_sink)
            sink->PushNewMessage(index);
    return ok;
}

void CDataManager::FlushStorage() {
    m_store.Flush();
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
        const bool wasUnread = CountsAsUnread(message);
        const std::string before = message.ToRecord().Serialize();
        turnedRead = message.SetRead(read);
        const bool nowUnread = CountsAsUnread(message);
        if (wasUnread != nowUnread)
            CountUnreadLocked(sender, nowUnread ? +1 : -1);
        CParamRecord line = message.ToRecord();
        // The window thread only hands the change over; the writer puts it on
        // disk (and Shutdown waits for it).
        if (line.Serialize() != before) {
            const int qid = m_current;
            const std::size_t at = static_cast<std::size_t>(index);
            m_store.Submit([this, qid, at, line = std::move(line)] {
                return StoreMessageLine(qid, false, at, line);
            });
        }
    }
    if (turnedRead)
        if (IFriendTreeView* tree = m_tree)
            tree->TreeFriendMessageRead(sender);
    return true;
}

int CDataManager::UnreadCount() const {
    std::lock_guard lock(m_mutex);
    return m_unreadTotal;
}

int CDataManager::FirstUnread() const {
    std::lock_guard lock(m_mutex);
    if (m_unreadTotal == 0)
        return -1;
    for (std::size_t i = 0; i < m_messages.size(); ++i)
        if (!m_messages[i].IsRead())
            return static_cast<int>(i);
    return -1;
}

bool CDataManager::HasUnreadFrom(int sender) const {
    return UnreadCountFrom(sender) > 0;
}

int CDataManager::UnreadCountFrom(int sender) const {
    std::lock_guard lock(m_mutex);
    auto it = m_unreadBySender.find(sender);
    return it == m_unreadBySender.end() ? 0 : it->second;
}

int CDataManager::FirstUnreadFrom(int sender) const {
    std::lock_guard lock(m_mutex);
    if (m_unreadBySender.find(sender) == m_unreadBySender.end())
        return 0;
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

bool CDataManager::SearchUsers(const CUserRecord& criteria, bool save) {
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
        if (!FindUserLocked(qid))
            AppendUserLocked(std::move(user));
    }
    if (save)
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
