#include "platform/clock.h"
#include "server/command_handler.h"
#include "server/record_args.h"

namespace murmex {

int CCommandHandler::OperatorCheck(int channel, SSession& session) {
    // The channel an operator command names becomes the one a later operator
    // removal works on; a refused one leaves none, so that a removal never
    // lands on a channel the member has since turned away from.
    session.operatorChannel = 0;
    EStore isOperator = m_channels.IsOperator(channel, session.qid);
    if (isOperator == EStore::Ok) {
        session.operatorChannel = channel;
        return RESP_OK;
    }
    if (isOperator == EStore::Failed)
        return RESP_SERVER_ERROR;
    EStore exists = m_channels.Exists(channel);
    if (exists == EStore::Failed)
        return RESP_SERVER_ERROR;
    return exists == EStore::Ok ? RESP_REFUSED : RESP_NOT_FOUND;
}

int CCommandHandler::OperatorCheckArg(Args args, SSession& session, int& channel) {
    if (!ArgInt(args, "chanid", channel))
        return RESP_MALFORMED;
    return OperatorCheck(channel, session);
}

SCommandResult CCommandHandler::GetChannel(Args args) {
    int id = 0;
    if (!ArgInt(args, "chanid", id))
        return Reply(RESP_MALFORMED);
    SChannel channel;
    EStore loaded = m_channels.Load(id, channel);
    if (loaded != EStore::Ok)
        return StoreFailure(loaded);
    SCommandResult result = Reply(RESP_OK);
    CParamRecord& r = result.record;
    ReplyText(r, "name", channel.name);
    ReplyText(r, "description", channel.description);
    ReplyText(r, "url", channel.url);
    r.AddInt("category", channel.category);
    r.AddInt("creator", channel.creator);
    r.AddInt("max_users", channel.maxUsers);
    return result;
}

SCommandResult CCommandHandler::GetChannelState(Args args) {
    int id = 0;
    if (!ArgInt(args, "chanid", id))
        return Reply(RESP_MALFORMED);
    SChannel channel;
    EStore loaded = m_channels.Load(id, channel);
    int users = 0;
    if (loaded == EStore::Ok)
        loaded = m_channels.CurrentUsers(id, users);
    if (loaded != EStore::Ok)
        return StoreFailure(loaded);
    SCommandResult result = Reply(RESP_OK);
    ReplyText(result.record, "topic", channel.topic);
    result.record.AddInt("topicsetby", channel.topicSetBy);
    result.record.AddInt("current_user", users);
    return result;
}

SCommandResult CCommandHandler::GetChannelOpers(Args args, SSession& session) {
    int id = 0;
    const int check = OperatorCheckArg(args, session, id);
    if (check != RESP_OK)
        return Reply(check);
    SChannel channel;
    std::vector<int> operators;
    EStore loaded = m_channels.Load(id, channel);
    if (loaded == EStore::Ok)
        loaded = m_channels.Operators(id, operators);
    if (loaded != EStore::Ok)
        return StoreFailure(loaded);
    SCommandResult result = Reply(RESP_OK);
    result.record.AddIntList("opers", operators);
    ReplyText(result.record, "password", channel.password);
    return result;
}

SCommandResult CCommandHandler::SetChannel(Args args, SSession& session) {
    int id = 0;
    const int check = OperatorCheckArg(args, session, id);
    if (check != RESP_OK)
        return Reply(check);
    SChannel channel;
    EStore loaded = m_channels.Load(id, channel);
    if (loaded != EStore::Ok)
        return StoreFailure(loaded);
    if (args.Has("topic")) {
        std::string topic = ArgText(args, "topic");
        if (topic != channel.topic) {
            channel.topic = std::move(topic);
            channel.topicSetBy = session.qid;
        }
    }
    if (args.Has("password"))
        channel.password = ArgText(args, "password");
    if (args.Has("max_users") && !ArgInt(args, "max_users", channel.maxUsers))
        return Reply(RESP_MALFORMED);
    if (channel.maxUsers < 0)
        return Reply(RESP_MALFORMED);
    EStore saved = m_channels.SaveSettings(channel);
    if (saved != EStore::Ok)
        return StoreFailure(saved);
    return Reply(RESP_OK);
}

SCommandResult CCommandHandler::CheckOperator(Args args, SSession& session) {
    int id = 0;
    return Reply(OperatorCheckArg(args, session, id));
}

SCommandResult CCommandHandler::AddOperator(Args args, SSession& session) {
    int qid = 0;
    if (!ArgInt(args, "userid", qid))
        return Reply(RESP_MALFORMED);
    int id = 0;
    const int check = OperatorCheckArg(args, session, id);
    if (check != RESP_OK)
        return Reply(check);
    EStore done = m_accounts.Exists(qid);
    if (done == EStore::Ok)
        done = m_channels.AddOperator(id, qid);
    if (done != EStore::Ok)
        return StoreFailure(done);
    return Reply(RESP_OK);
}

SCommandResult CCommandHandler::RemoveOperator(Args args, SSession& session) {
    int qid = 0;
    if (!ArgInt(args, "userid", qid))
        return Reply(RESP_MALFORMED);
    const int id = session.operatorChannel;
    if (id == 0)
        return Reply(RESP_REFUSED);
    const int check = OperatorCheck(id, session);
    if (check != RESP_OK)
        return Reply(check == RESP_NOT_FOUND ? RESP_REFUSED : check);
    EStore removed = m_channels.RemoveOperator(id, qid);
    if (removed == EStore::Exists)
        return Reply(RESP_REFUSED); // the last operator stays
    return removed == EStore::Ok ? Reply(RESP_OK) : StoreFailure(removed);
}

SCommandResult CCommandHandler::CreateChannel(Args args, const SSession& session) {
    SChannel channel;
    channel.name = ArgText(args, "name");
    channel.description = ArgText(args, "description");
    channel.url = ArgText(args, "URL");
    channel.category = ArgIntOr(args, "category", 0);
    channel.maxUsers = ArgIntOr(args, "max_users", 0);
    channel.creator = session.qid;
    if (channel.name.empty() || channel.maxUsers < 0)
        return Reply(RESP_MALFORMED);
    EStore created = m_channels.Create(channel, Now());
    if (created != EStore::Ok)
        return StoreFailure(created);
    SCommandResult result = Reply(RESP_OK);
    result.record.AddInt("chanid", channel.id);
    return result;
}

SCommandResult CCommandHandler::FindChannel(Args args) {
    if (!args.Has("name"))
        return Reply(RESP_MALFORMED);
    int id = 0;
    EStore found = m_channels.FindByName(ArgText(args, "name"), id);
    if (found != EStore::Ok)
        return StoreFailure(found);
    SCommandResult result = Reply(RESP_OK);
    result.record.AddInt("chanid", id);
    return result;
}

SCommandResult CCommandHandler::SearchChannels(Args args) {
    std::vector<int> found;
    EStore searched = m_channels.Search(ArgText(args, "query"), kSearchCap, found);
    if (searched != EStore::Ok)
        return StoreFailure(searched);
    SCommandResult result = Reply(RESP_OK);
    result.record.AddIntList("found", found);
    return result;
}

SCommandResult CCommandHandler::JoinChannel(Args args, const SSession& session) {
    int id = 0;
    if (!ArgInt(args, "chanid", id))
        return Reply(RESP_MALFORMED);
    SChannel channel;
    SAccount member;
    EStore loaded = m_channels.Load(id, channel);
    if (loaded == EStore::Ok)
        loaded = m_accounts.Load(session.qid, member);
    if (loaded != EStore::Ok)
        return StoreFailure(loaded);
    // Only a running web chat can be moved; starting one is the web page's job.
    if (member.activeWww == 0)
        return Reply(RESP_REFUSED);
    if (member.activeWww != id && channel.maxUsers > 0) {
        int users = 0;
        if (m_channels.CurrentUsers(id, users) != EStore::Ok)
            return Reply(RESP_SERVER_ERROR);
        if (users >= channel.maxUsers)
            return Reply(RESP_REFUSED);
    }
    EStore moved = m_accounts.SetActiveWww(session.qid, id);
    return moved == EStore::Ok ? Reply(RESP_OK) : StoreFailure(moved);
}

} // namespace murmex
