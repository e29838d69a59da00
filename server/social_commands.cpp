#include "platform/clock.h"
#include "server/command_handler.h"
#include "server/instance_lease.h"
#include "server/record_args.h"
#include "server/user_search.h"

namespace murmex {
namespace {

std::string Trimmed(std::string text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// A number a gateway could dial: digits with the usual separators, at least one digit.
bool IsPlausiblePhone(std::string_view phone) {
    bool digit = false;
    for (char c : phone) {
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c != ' ' && c != '+' && c != '-' && c != '(' && c != ')')
            return false;
    }
    return digit;
}

} // namespace

SCommandResult CCommandHandler::AddFriend(Args args, const SSession& session) {
    int friendQid = 0;
    if (!ArgInt(args, "userid", friendQid))
        return Reply(RESP_MALFORMED);
    if (friendQid == session.qid)
        return Reply(RESP_REFUSED);
    EStore exists = m_accounts.Exists(friendQid);
    if (exists != EStore::Ok)
        return StoreFailure(exists);
    EStore added = m_friends.Add(session.qid, friendQid);
    return added == EStore::Ok ? Reply(RESP_OK) : StoreFailure(added);
}

SCommandResult CCommandHandler::RemoveFriend(Args args, const SSession& session) {
    int friendQid = 0;
    if (!ArgInt(args, "userid", friendQid))
        return Reply(RESP_MALFORMED);
    EStore removed = m_friends.Remove(session.qid, friendQid);
    return removed == EStore::Ok ? Reply(RESP_OK) : StoreFailure(removed);
}

SCommandResult CCommandHandler::GetFriends(const SSession& session) {
    std::vector<int> friends;
    EStore listed = m_friends.List(session.qid, friends);
    if (listed != EStore::Ok)
        return StoreFailure(listed);
    SCommandResult result = Reply(RESP_OK);
    result.record.AddIntList("friends", friends);
    return result;
}

SCommandResult CCommandHandler::SendMessage(Args args, const SSession& session) {
    int recipient = 0;
    const std::string text = ArgText(args, "message");
    if (!ArgInt(args, "userid", recipient) || text.empty())
        return Reply(RESP_MALFORMED);
    EStore exists = m_accounts.Exists(recipient);
    if (exists != EStore::Ok)
        return StoreFailure(exists);
    EStore queued = m_messages.Push(recipient, session.qid, text, Now());
    return queued == EStore::Ok ? Reply(RESP_OK) : StoreFailure(queued);
}

SCommandResult CCommandHandler::FetchMessage(const SSession& session) {
    SQueuedMessage message;
    SClaimant claimant;
    claimant.instance = m_shared.lease.Id();
    claimant.connection = static_cast<std::int64_t>(session.connection);
    claimant.nowMs = CInstanceLease::NowMs();
    EStore found = m_messages.ClaimOldest(session.qid, claimant, message);
    if (found != EStore::Ok)
        return StoreFailure(found);
    SCommandResult result = Reply(RESP_OK);
    result.record.AddInt("sender", message.sender);
    ReplyText(result.record, "msg", message.text);
    result.record.AddInt("date", static_cast<int>(message.sent));
    result.deliveredMessage = message.id;
    return result;
}

SCommandResult CCommandHandler::SendSms(Args args, const SSession& session) {
    SSmsRecord sms;
    sms.sender = session.qid;
    sms.created = Now();
    sms.text = ArgText(args, "message");
    // The client may name the number twice; the first one is the one it means.
    sms.phone = Trimmed(ArgText(args, "cellphone"));
    const bool toMember = args.Has("userid");
    if (sms.text.empty() || (!toMember && sms.phone.empty()))
        return Reply(RESP_MALFORMED);
    if (toMember) {
        if (!ArgInt(args, "userid", sms.recipient))
            return Reply(RESP_MALFORMED);
        SAccount member;
        EStore loaded = m_accounts.Load(sms.recipient, member);
        if (loaded != EStore::Ok)
            return StoreFailure(loaded);
        if (sms.phone.empty())
            sms.phone = Trimmed(member.cellphone);
        if (sms.phone.empty())
            return Reply(RESP_REFUSED);
    }
    if (!IsPlausiblePhone(sms.phone))
        return Reply(RESP_MALFORMED);
    EStore stored = m_sms.Push(sms);
    return stored == EStore::Ok ? Reply(RESP_OK) : StoreFailure(stored);
}

SCommandResult CCommandHandler::SetNotify(Args args, const SSession& session) {
    int friendQid = 0;
    int method = 0;
    int action = 0;
    if (!ArgInt(args, "userid", friendQid) || !ArgInt(args, "method", method) ||
        !ArgInt(args, "action", action))
        return Reply(RESP_MALFORMED);
    if ((method != CFriendTable::kNotifyEmail && method != CFriendTable::kNotifySms) ||
        (action != 0 && action != 1))
        return Reply(RESP_MALFORMED);
    EStore exists = m_accounts.Exists(friendQid);
    if (exists != EStore::Ok)
        return StoreFailure(exists);
    EStore set = m_friends.SetNotify(session.qid, friendQid, method, action == 1);
    return set == EStore::Ok ? Reply(RESP_OK) : StoreFailure(set);
}

SCommandResult CCommandHandler::SearchUsers(Args args, const SSession& session) {
    SUserQuery query;
    query.nick = ArgText(args, "nick");
    query.email = ArgText(args, "email");
    query.name = ArgText(args, "name");
    query.surname = ArgText(args, "surname");
    query.city = ArgText(args, "city");
    if (!ParseAgeRange(ArgText(args, "age"), Now(), query))
        return Reply(RESP_MALFORMED);
    query.sex = ArgIntOr(args, "sex", 0);
    query.education = ArgIntOr(args, "education", 0);
    query.job = ArgIntOr(args, "job", 0);
    query.country = ArgIntOr(args, "country", 0);
    query.language = ArgIntOr(args, "language", 0);
    query.interest = ArgIntOr(args, "interestance", 0);

    std::vector<int> found;
    EStore searched = FindMatchingUsers(m_db, query, session.qid, kSearchCap, found);
    if (searched != EStore::Ok)
        return StoreFailure(searched);
    SCommandResult result = Reply(RESP_OK);
    result.record.AddIntList("found", found);
    return result;
}

SCommandResult CCommandHandler::Recommend(Args args, const SSession& session) {
    const std::string email = Trimmed(ArgText(args, "email"));
    if (email.find('@') == std::string::npos)
        return Reply(RESP_MALFORMED);
    EStore stored = m_feedback.AddRecommendation(session.qid, email, Now());
    return stored == EStore::Ok ? Reply(RESP_OK) : StoreFailure(stored);
}

SCommandResult CCommandHandler::Feedback(Args args, const SSession& session) {
    const std::string text = ArgText(args, "text");
    if (text.empty())
        return Reply(RESP_MALFORMED);
    EStore stored = m_feedback.AddFeedback(session.qid, text, Now());
    return stored == EStore::Ok ? Reply(RESP_OK) : StoreFailure(stored);
}

} // namespace murmex
