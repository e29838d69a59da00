#pragma once

#include "model/storable.h"

#include <cstdint>
#include <string>
#include <vector>

namespace murmex {

class CChannelList;

// What the client knows about one chat channel: its description (stored), its
// current state and its operator data (fetched when needed, memory only).
// Channel records belong to the channel list and are used from the UI thread.
class CChannelRecord final : public CStorable {
public:
    static constexpr unsigned kHasId = 1;
    static constexpr unsigned kDescribed = 2;
    static constexpr unsigned kHasState = 4;
    static constexpr unsigned kHasOperatorData = 8;

    CChannelRecord() = default;
    explicit CChannelRecord(int id) { SetId(id); }

    bool ReadFrom(CConfigStore& store) override;
    void WriteTo(CConfigStore& store) const override;

    unsigned Flags() const { return m_flags; }
    void SetFlag(unsigned flag, bool on) { m_flags = on ? (m_flags | flag) : (m_flags & ~flag); }
    bool HasId() const { return (m_flags & kHasId) != 0; }
    bool IsDescribed() const { return (m_flags & kDescribed) != 0; }
    bool HasState() const { return (m_flags & kHasState) != 0; }
    bool HasOperatorData() const { return (m_flags & kHasOperatorData) != 0; }

    // 0 until the record has an id.
    int Id() const { return HasId() ? m_id : 0; }
    void SetId(int id) {
        m_id = id;
        m_flags |= kHasId;
    }
    const std::string& Name() const { return m_name; }
    void SetName(std::string v) { m_name = std::move(v); }
    const std::string& Description() const { return m_description; }
    void SetDescription(std::string v) { m_description = std::move(v); }
    int Category() const { return m_category; }
    void SetCategory(int v) { m_category = v; }
    const std::string& Url() const { return m_url; }
    void SetUrl(std::string v) { m_url = std::move(v); }
    int Creator() const { return m_creator; }
    void SetCreator(int v) { m_creator = v; }
    int MaxUsers() const { return m_maxUsers; }
    void SetMaxUsers(int v) { m_maxUsers = v; }
    const std::string& Topic() const { return m_topic; }
    void SetTopic(std::string v) { m_topic = std::move(v); }
    int TopicSetBy() const { return m_topicSetBy; }
    int CurrentUsers() const { return m_currentUsers; }
    std::int64_t StateTime() const { return m_stateTime; }
    // The state as the service would report it, for windows shown with sample data.
    void SetState(std::string topic, int topicSetBy, int currentUsers, std::int64_t at) {
        m_topic = std::move(topic);
        m_topicSetBy = topicSetBy;
        m_currentUsers = currentUsers;
        m_stateTime = at;
        m_flags |= kHasState;
    }
    const std::vector<int>& Operators() const { return m_operators; }
    const std::string& Password() const { return m_password; }
    void SetPassword(std::string v) { m_password = std::move(v); }

    // --- service operations; the list supplies the engine and is saved where
    // the stored description changes.
    bool LoadDescription(CChannelList& list);                     // CMD_GET_CHANNEL
    bool LoadState(CChannelList& list);                           // CMD_GET_CHANNEL_STATE
    bool LoadOperatorData(CChannelList& list);                    // CMD_GET_CHANNEL_OPERS
    bool ApplySettings(CChannelList& list);                       // CMD_SET_CHANNEL
    bool CheckOperator(CChannelList& list);                       // CMD_CHECK_OPERATOR
    bool AddOperator(CChannelList& list, int qid);                // CMD_ADD_OPERATOR
    bool RemoveOperator(CChannelList& list, int qid);             // CMD_REMOVE_OPERATOR
    bool Create(CChannelList& list);                              // CMD_CREATE_CHANNEL
    bool FindByName(CChannelList& list, const std::string& name); // CMD_FIND_CHANNEL

private:
    unsigned m_flags = 0;
    int m_id = 0;
    std::string m_name;
    std::string m_description;
    int m_category = 0;
    std::string m_url;
    int m_creator = 0;
    int m_maxUsers = 0;
    std::string m_topic;
    int m_topicSetBy = 0;
    int m_currentUsers = 0;
    std::int64_t m_stateTime = 0;
    std::vector<int> m_operators;
    std::string m_password;
};

} // namespace murmex
