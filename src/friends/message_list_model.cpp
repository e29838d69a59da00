#include "friends/message_list_model.h"

#include "model/data_manager.h"
#include "ui/local_text.h"

namespace murmex {

CMessageListModel::CMessageListModel(CDataManager& data, QObject* parent)
    : QAbstractListModel(parent), m_data(data) {}

void CMessageListModel::Reload() {
    // Looked up before the reset: asking the service about a stranger turns
    // the event loop, and the view must not draw a half-reset model meanwhile.
    std::unordered_map<int, std::string> nicks;
    int count = m_data.MessageCount();
    for (int i = 0; i < count; ++i) {
        const std::optional<CMessageRecord> message = m_data.MessageAt(i);
        if (!message) {
            // The inbox was replaced under us (another local user): show what there is.
            count = i;
            break;
        }
        nicks.try_emplace(message->Sender());
    }
    for (auto& [qid, nick] : nicks) {
        CDataManager::User user = m_data.CachedUser(qid);
        if (!user)
            user = m_data.UserRecord(qid);
        nick = user->Nick();
    }
    beginResetModel();
    m_count = count;
    m_nicks = std::move(nicks);
    endResetModel();
}

void CMessageListModel::RewriteRow(int row) {
    if (row < 0 || row >= m_count)
        return;
    const QModelIndex at = index(row);
    emit dataChanged(at, at, {Qt::DisplayRole});
}

int CMessageListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_count;
}

QVariant CMessageListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_count)
        return {};
    const int messageIndex = MessageIndex(index.row());
    if (role == Qt::UserRole)
        return messageIndex;
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    const std::optional<CMessageRecord> message = m_data.MessageAt(messageIndex);
    if (!message)
        return {};
    const auto nick = m_nicks.find(message->Sender());
    return FromLocal(message->Summary(nick != m_nicks.end() ? nick->second : std::string()));
}

} // namespace murmex
