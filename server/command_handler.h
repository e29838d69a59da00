#pragma once

#include "protocol/param_record.h"
#include "server/account_table.h"
#include "server/channel_table.h"
#include "server/feedback_table.h"
#include "server/friend_table.h"
#include "server/instance_lease.h"
#include "server/message_queue.h"
#include "server/response_codes.h"
#include "server/session.h"
#include "server/sms_outbox.h"

#include <cstdint>
#include <string_view>

namespace murmex {

class CDatabase;
class CPasswordHasher;
class IClock;

// The process-wide objects every worker shares.
struct SServiceShared {
    const CPasswordHasher& hasher;
    CInstanceLease& lease; // presence and delivery claims are the instance's rows
    const IClock& clock;
};

struct SCommandResult {
    int code = RESP_OK;
    CParamRecord record; // in the client's code page
    // A waiting message that this answer carries: it leaves the queue when the
    // connection's next request shows the client read the answer
    // (ConfirmDelivery), and stays when the connection ends first.
    std::int64_t deliveredMessage = 0;
};

// Runs the service's commands for one worker thread, on that thread's own
// database connection. The semantics of every command are described at the
// top of command_handler.cpp.
class CCommandHandler {
public:
    CCommandHandler(CDatabase& db, const SServiceShared& shared);

    // One request line as read from the wire, without its line end.
    SCommandResult HandleLine(std::string_view wireLine, SSession& session);
    SCommandResult Handle(int code, const CParamRecord& args, SSession& session);

    // The client has read the answer carrying this waiting message.
    void ConfirmDelivery(std::int64_t messageId);
    // The connection has ended: its member is no longer present through it,
    // and the messages it held unacknowledged wait for the next fetch.
    void EndConnection(std::uint64_t connection);

    // Commands that hash or verify a password; they run on workers of their
    // own so that a burst of logins never delays anybody's quick commands.
    static bool HashesPassword(int code);
    static bool IsKnownCommand(int code);
    static bool NeedsLogin(int code);

    static constexpr int kSearchCap = 100;

private:
    using Args = const CParamRecord&;

    static SCommandResult Reply(int code);
    static SCommandResult StoreFailure(EStore result);
    // False (nothing changed) when the database did not take it.
    bool SetSessionMember(SSession& session, int qid);
    std::int64_t Now() const;

    // Account and presence (account_commands.cpp).
    SCommandResult Register(Args args);
    SCommandResult Login(Args args, SSession& session);
    SCommandResult Logout(SSession& session);
    SCommandResult UpdateUser(Args args, const SSession& session);
    SCommandResult ChangePassword(Args args, const SSession& session);
    SCommandResult FindUser(Args args);
    SCommandResult Identify(Args args);
    SCommandResult GetUser(Args args, const SSession& session);
    SCommandResult GetUserDetails(Args args, const SSession& session);
    SCommandResult GetStatus(Args args);
    SCommandResult ChangeMember(SSession& session, int qid, int answer);

    // Friends, messages, searches, notes to the service (social_commands.cpp).
    SCommandResult AddFriend(Args args, const SSession& session);
    SCommandResult RemoveFriend(Args args, const SSession& session);
    SCommandResult GetFriends(const SSession& session);
    SCommandResult SendMessage(Args args, const SSession& session);
    SCommandResult FetchMessage(const SSession& session);
    SCommandResult SendSms(Args args, const SSession& session);
    SCommandResult SetNotify(Args args, const SSession& session);
    SCommandResult SearchUsers(Args args, const SSession& session);
    SCommandResult Recommend(Args args, const SSession& session);
    SCommandResult Feedback(Args args, const SSession& session);

    // Channels (channel_commands.cpp).
    SCommandResult GetChannel(Args args);
    SCommandResult GetChannelState(Args args);
    SCommandResult GetChannelOpers(Args args, SSession& session);
    SCommandResult SetChannel(Args args, SSession& session);
    SCommandResult CheckOperator(Args args, SSession& session);
    SCommandResult AddOperator(Args args, SSession& session);
    SCommandResult RemoveOperator(Args args, SSession& session);
    SCommandResult CreateChannel(Args args, const SSession& session);
    SCommandResult FindChannel(Args args);
    SCommandResult SearchChannels(Args args);
    SCommandResult JoinChannel(Args args, const SSession& session);
    // RESP_OK when the member is an operator of the channel, else the answer
    // to give; remembers the channel for a later operator removal.
    int OperatorCheck(int channel, SSession& session);
    // OperatorCheck on the channel the request names ("chanid", put in `channel`);
    // RESP_MALFORMED when it names none.
    int OperatorCheckArg(Args args, SSession& session, int& channel);

    CDatabase& m_db;
    SServiceShared m_shared;
    CAccountTable m_accounts;
    CFriendTable m_friends;
    CMessageQueue m_messages;
    CSmsOutbox m_sms;
    CChannelTable m_channels;
    CFeedbackTable m_feedback;
    CSessionTable m_sessions;
};

} // namespace murmex
