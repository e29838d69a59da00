#include "model/channel_record.h"

#include "model/channel_list.h"
#include "platform/clock.h"
#include "protocol/command_codes.h"
#include "protocol/param_record.h"
#include "protocol/request_engine.h"
#include "storage/config_store.h"

namespace murmex {
namespace {

// Asks the service about one channel; the answer comes back in `r`.
bool AskAboutChannel(CRequestEngine& engine, int code, int channelId, CParamRecord& r) {
    if (!engine.IsLoggedIn())
        return false;
    r.AddInt("chanid", channelId);
    return engine.ExecuteCommand(code, &r);
}

// A record that is not (yet) in the list has nothing on disk to refresh.
void SaveIfListed(CChannelList& list, const CChannelRecord& record) {
    if (list.KnownById(record.Id()).get() == &record)
        list.Save();
}

} // namespace

bool CChannelRecord::ReadFrom(CConfigStore& store) {
    CParamRecord r;
    if (!store.ReadRecord(r))
        return false;
    if (r.Has("CID"))
        SetId(r.GetInt("CID"));
    if (r.Has("Name") && r.Has("Description") && r.Has("Category") && r.Has("CreatorQID") &&
        r.Has("URL") && r.Has("MaxUsers")) {
        m_name = r.Get("Name");
        m_description = r.Get("Description");
        m_category = r.GetInt("Category");
        m_creator = r.GetInt("CreatorQID");
        m_url = r.Get("URL");
        m_maxUsers = r.GetInt("MaxUsers");
        m_flags |= kDescribed;
    }
    return true;
}

void CChannelRecord::WriteTo(CConfigStore& store) const {
    CParamRecord r;
    if (HasId())
        r.AddInt("CID", m_id);
    if (IsDescribed()) {
        r.AddText("Name", m_name);
        r.AddText("Description", m_description);
        r.AddInt("Category", m_category);
        r.AddInt("CreatorQID", m_creator);
        r.AddText("URL", m_url);
        r.AddInt("MaxUsers", m_maxUsers);
    }
    store.WriteRecord(r);
}

bool CChannelRecord::LoadDescription(CChannelList& list) {
    if (IsDescribed())
        return true;
    CParamRecord r;
    if (!HasId() || !AskAboutChannel(list.Engine(), CMD_GET_CHANNEL, m_id, r))
        return false;
    m_name = r.Get("name");
    m_description = r.Get("description");
    m_url = r.Get("url");
    m_category = r.GetInt("category");
    m_creator = r.GetInt("creator");
    m_maxUsers = r.GetInt("max_users");
    m_flags |= kDescribed;
    SaveIfListed(list, *this);
    return true;
}

bool CChannelRecord::LoadState(CChannelList& list) {
    CParamRecord r;
    if (!HasId() || !AskAboutChannel(list.Engine(), CMD_GET_CHANNEL_STATE, m_id, r))
        return false;
    m_topic = r.Get("topic");
    m_topicSetBy = r.GetInt("topicsetby");
    m_currentUsers = r.GetInt("current_user");
    m_stateTime = list.Clock().WallSeconds();
    m_flags |= kHasState;
    return true;
}

bool CChannelRecord::LoadOperatorData(CChannelList& list) {
    if (HasOperatorData())
        return true;
    CParamRecord r;
    if (!HasId() || !AskAboutChannel(list.Engine(), CMD_GET_CHANNEL_OPERS, m_id, r))
        return false;
    r.GetIntList("opers", m_operators);
    m_password = r.Get("password");
    m_flags |= kHasOperatorData;
    SaveIfListed(list, *this);
    return true;
}

bool CChannelRecord::ApplySettings(CChannelList& list) {
    CRequestEngine& engine = list.Engine();
    if (!IsDescribed() || !HasState() || !HasOperatorData() || !engine.IsLoggedIn() || !HasId())
        return false;
    CParamRecord r;
    r.AddInt("chanid", m_id);
    r.AddText("topic", m_topic);
    r.AddText("password", m_password);
    r.AddInt("max_users", m_maxUsers);
    return engine.ExecuteCommand(CMD_SET_CHANNEL, &r);
}

bool CChannelRecord::CheckOperator(CChannelList& list) {
    CParamRecord r;
    r.AddInt("chanid", Id());
    return list.Engine().ExecuteCommand(CMD_CHECK_OPERATOR, &r);
}

bool CChannelRecord::AddOperator(CChannelList& list, int qid) {
    CRequestEngine& engine = list.Engine();
    if (!engine.IsLoggedIn())
        return false;
    CParamRecord r;
    r.AddInt("userid", qid);
    r.AddInt("chanid", Id());
    if (!engine.ExecuteCommand(CMD_ADD_OPERATOR, &r))
        return false;
    m_operators.push_back(qid);
    return true;
}

bool CChannelRecord::RemoveOperator(CChannelList& list, int qid) {
    CRequestEngine& engine = list.Engine();
    if (!engine.IsLoggedIn())
        return false;
    // The service knows the channel from the operator's own session; only the user goes.
    CParamRecord r;
    r.AddInt("userid", qid);
    return engine.ExecuteCommand(CMD_REMOVE_OPERATOR, &r);
}

bool CChannelRecord::Create(CChannelList& list) {
    CRequestEngine& engine = list.Engine();
    if (!engine.IsLoggedIn() || HasId())
        return false;
    CParamRecord r;
    r.AddText("name", m_name);
    r.AddText("description", m_description);
    r.AddInt("category", m_category);
    r.AddText("URL", m_url);
    r.AddInt("max_users", m_maxUsers);
    if (!engine.ExecuteCommand(CMD_CREATE_CHANNEL, &r))
        return false;
    SetId(r.GetInt("chanid"));
    m_creator = engine.CurrentQid();
    m_flags |= kDescribed;
    return true;
}

bool CChannelRecord::FindByName(CChannelList& list, const std::string& name) {
    CRequestEngine& engine = list.Engine();
    if (!engine.IsLoggedIn())
        return false;
    CParamRecord r;
    r.AddText("name", name);
    if (!engine.ExecuteCommand(CMD_FIND_CHANNEL, &r))
        return false;
    SetId(r.GetInt("chanid"));
    return true;
}

} // namespace murmex
