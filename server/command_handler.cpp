#include "server/command_handler.h"

#include "platform/clock.h"
#include "protocol/command_codes.h"
#include "server/request_line.h"

#include <cstdio>

// What murmexd does with each command.
//
// Several servers may share one PostgreSQL database and then answer as one:
// everything a command reads or changes is in the database, including who is
// logged in and which message is on its way to which connection (see
// instance_lease.h). A command whose write did not commit is answered 5000.
//
// Every answer is "CODE record": 2000 for success, otherwise one of the codes
// of response_codes.h. An answer to a failure carries no entries. Texts are
// kept in UTF-8 and converted at the edges. Entries the client does not send
// are taken as empty (texts) or 0 (numbers) unless a command needs them; a
// needed entry missing or not a number gives 4000.
//
// Without a login (4001 for anything else): HELLO, REGISTER, LOGIN,
// FIND_USER, IDENTIFY, GET_USER.
//
// Accounts
//  HELLO           2000, nothing else.
//  REGISTER        A new account. nick, email and password must not be empty
//                  (an account nobody can log in to is of no use); 4009 when
//                  the nick and e-mail pair is taken (ASCII case ignored).
//                  -> userid (below 1,000,000,000). Does not log in.
//  LOGIN           userid, password. Success marks this connection as the
//                  member's (a connection is one member at a time). A refused
//                  login (4003, also for an unknown QID) leaves the connection
//                  logged out, as the client then considers itself.
//  LOGOUT          Clears the connection's member.
//  UPDATE_USER     Rewrites the logged-in member's profile with the entries
//                  sent (entries not sent keep their values); 4009 when the
//                  new nick and e-mail belong to someone else.
//  CHANGE_PASSWORD password (not empty) becomes the member's password.
//  FIND_USER       nick, email -> userid; 4004 when nobody has the pair.
//  IDENTIFY        nick, email, password -> userid; 4003 when no account has
//                  the pair or the password is wrong (one answer for both).
//  GET_USER        userid -> nick, email, name, surname, is_cellphone (0/1),
//                  and, to a logged-in asker, onenter: the notice methods the
//                  asker set for this member. A field the member restricts is
//                  sent empty to everybody but the member.
//  GET_USER_DETAILS userid -> the whole profile; only the member's own (4003).
//  GET_STATUS      userid -> active_exe (1 while the member has a logged-in
//                  connection on any server sharing the database, else 0;
//                  the connections of a server that died count until its
//                  lease runs out), active_www (the channel of the
//                  member's web chat, 0 when none; set through the web site,
//                  here the admin tool).
//
// Friends and messages
//  ADD_FRIEND      userid joins the member's friend list (one-way); already a
//                  friend is success; 4004 unknown member; 4003 oneself.
//  REMOVE_FRIEND   userid leaves the list (and its notice settings); 4004
//                  when it was not on it.
//  GET_FRIENDS     -> friends, in the order added.
//  SEND_MESSAGE    userid, message (not empty) is queued for the recipient
//                  with the sender and the time now; 4004 unknown recipient.
//  FETCH_MESSAGE   -> sender, msg, date of the oldest waiting message; 4004
//                  when none waits. The message leaves the queue only when
//                  the same connection sends its next request (any command)
//                  after this answer: only then is it known that the client
//                  read it. Until then no other connection of the member
//                  receives it; when the connection ends first (closed,
//                  reset, timed out) it waits for the next fetch. A message
//                  is thus delivered at least once, and twice only when a
//                  client read it but never sent another request.
//  SEND_SMS        message (not empty) and a number: the first cellphone
//                  entry when given, else the phone of the member userid
//                  (4004 unknown member, 4003 when the member has none).
//                  The number may hold digits, blanks, '+', '-', '(' and ')'.
//                  Stored in the outbox (there is no gateway).
//  SET_NOTIFY      userid, method (2 e-mail, 3 SMS), action (1 on, 0 off).
//  SEARCH_USERS    nick, email, name, surname, city match as case-insensitive
//                  substrings (empty = any; a field the member restricts never
//                  matches); age "7-10", "18" or "55-" against the birth time
//                  (a birth time of 0, never given, matches no age);
//                  sex, education, job, country exact; language, interestance
//                  as list members (0 or missing = any). The searcher is left
//                  out. -> found: at most 100 QIDs, ascending; an empty list
//                  is still a success.
//  RECOMMEND       email (must hold '@') is stored for the service's people.
//  FEEDBACK        text (not empty) is stored.
//
// Channels (creator and operators are members; names are unique, exact)
//  CREATE_CHANNEL  name (not empty), description, category, URL (upper case),
//                  max_users (0 = no limit, not negative) -> chanid; the
//                  creator becomes its operator; 4009 when the name is taken.
//  FIND_CHANNEL    name -> chanid; 4004 when none has it.
//  GET_CHANNEL     chanid -> name, description, url, category, creator,
//                  max_users.
//  GET_CHANNEL_STATE chanid -> topic, topicsetby, current_user (members
//                  whose web chat is on the channel).
//  GET_CHANNEL_OPERS chanid -> opers, password; operators only (4003).
//  SET_CHANNEL     chanid, topic, password, max_users; operators only. A new
//                  topic records the member as topicsetby.
//  CHECK_OPERATOR  chanid: 2000 when the member is an operator, else 4003.
//  ADD_OPERATOR    userid, chanid; operators only; already one is success.
//  REMOVE_OPERATOR userid: removed from the channel this connection last
//                  worked with as an operator: the chanid of the last
//                  CHECK_OPERATOR, GET_CHANNEL_OPERS, ADD_OPERATOR or
//                  SET_CHANNEL, when the member was its operator (a refused
//                  one leaves no channel). 4003 when there is no channel, the
//                  member is no longer its operator, or the last operator
//                  would go; 4004 when userid is no operator of it.
//  SEARCH_CHANNELS query against name and description, case-insensitive;
//                  empty finds all. -> found: at most 100 ids, ascending.
//  JOIN_CHANNEL    chanid: moves the member's web chat to the channel. Only
//                  while the member is in the web chat (active_www not 0),
//                  else 4003; 4003 too when the channel is full.
namespace murmex {
namespace {

constexpr int kCommands[] = {
    CMD_HELLO,
    CMD_REGISTER,
    CMD_LOGIN,
    CMD_LOGOUT,
    CMD_ADD_FRIEND,
    CMD_REMOVE_FRIEND,
    CMD_UPDATE_USER,
    CMD_CHANGE_PASSWORD,
    CMD_SEND_MESSAGE,
    CMD_FIND_USER,
    CMD_IDENTIFY,
    CMD_GET_USER,
    CMD_GET_USER_DETAILS,
    CMD_GET_CHANNEL,
    CMD_GET_CHANNEL_STATE,
    CMD_GET_CHANNEL_OPERS,
    CMD_SET_CHANNEL,
    CMD_CHECK_OPERATOR,
    CMD_ADD_OPERATOR,
    CMD_REMOVE_OPERATOR,
    CMD_CREATE_CHANNEL,
    CMD_FIND_CHANNEL,
    CMD_GET_FRIENDS,
    CMD_GET_STATUS,
    CMD_SEARCH_USERS,
    CMD_SEND_SMS,
    CMD_SEARCH_CHANNELS,
    CMD_JOIN_CHANNEL,
    CMD_SET_NOTIFY,
    CMD_FETCH_MESSAGE,
    CMD_RECOMMEND,
    CMD_FEEDBACK,
};

} // namespace

CCommandHandler::CCommandHandler(CDatabase& db, const SServiceShared& shared)
    : m_db(db), m_shared(shared), m_accounts(db), m_friends(db), m_messages(db), m_sms(db),
      m_channels(db), m_feedback(db), m_sessions(db, shared.lease) {}

SCommandResult CCommandHandler::Reply(int code) {
    SCommandResult result;
    result.code = code;
    return result;
}

SCommandResult CCommandHandler::StoreFailure(EStore result) {
    switch (result) {
    case EStore::NotFound:
        return Reply(RESP_NOT_FOUND);
    case EStore::Exists:
        return Reply(RESP_EXISTS);
    default:
        return Reply(RESP_SERVER_ERROR);
    }
}

std::int64_t CCommandHandler::Now() const {
    return m_shared.clock.WallSeconds();
}

bool CCommandHandler::SetSessionMember(SSession& session, int qid) {
    if (session.qid == qid)
        return true;
    if (m_sessions.SetMember(session.connection, qid) != EStore::Ok)
        return false;
    m_shared.lease.NoteSession(session.connection, qid);
    session.qid = qid;
    session.operatorChannel = 0;
    return true;
}

void CCommandHandler::EndConnection(std::uint64_t connection) {
    if (m_sessions.EndConnection(connection) != EStore::Ok)
        m_shared.lease.RetryEnd(connection);
    else
        m_shared.lease.NoteSession(connection, 0);
}

void CCommandHandler::ConfirmDelivery(std::int64_t messageId) {
    if (m_messages.Remove(messageId) != EStore::Ok)
        std::fprintf(stderr,
                     "murmexd: a delivered message could not be removed; it will come again\n");
}

bool CCommandHandler::HashesPassword(int code) {
    return code == CMD_REGISTER || code == CMD_LOGIN || code == CMD_IDENTIFY ||
           code == CMD_CHANGE_PASSWORD;
}

bool CCommandHandler::IsKnownCommand(int code) {
    for (int known : kCommands)
        if (known == code)
            return true;
    return false;
}

bool CCommandHandler::NeedsLogin(int code) {
    switch (code) {
    case CMD_HELLO:
    case CMD_REGISTER:
    case CMD_LOGIN:
    case CMD_FIND_USER:
    case CMD_IDENTIFY:
    case CMD_GET_USER:
        return false;
    default:
        return true;
    }
}

SCommandResult CCommandHandler::HandleLine(std::string_view wireLine, SSession& session) {
    SRequest request;
    if (!ParseRequestLine(wireLine, request))
        return Reply(RESP_MALFORMED);
    return Handle(request.code, request.args, session);
}

SCommandResult CCommandHandler::Handle(int code, const CParamRecord& args, SSession& session) {
    if (!IsKnownCommand(code))
        return Reply(RESP_UNKNOWN_COMMAND);
    if (NeedsLogin(code) && session.qid == 0)
        return Reply(RESP_NOT_LOGGED_IN);
    switch (code) {
    case CMD_HELLO:
        return Reply(RESP_OK);
    case CMD_REGISTER:
        return Register(args);
    case CMD_LOGIN:
        return Login(args, session);
    case CMD_LOGOUT:
        return Logout(session);
    case CMD_ADD_FRIEND:
        return AddFriend(args, session);
    case CMD_REMOVE_FRIEND:
        return RemoveFriend(args, session);
    case CMD_UPDATE_USER:
        return UpdateUser(args, session);
    case CMD_CHANGE_PASSWORD:
        return ChangePassword(args, session);
    case CMD_SEND_MESSAGE:
        return SendMessage(args, session);
    case CMD_FIND_USER:
        return FindUser(args);
    case CMD_IDENTIFY:
        return Identify(args);
    case CMD_GET_USER:
        return GetUser(args, session);
    case CMD_GET_USER_DETAILS:
        return GetUserDetails(args, session);
    case CMD_GET_CHANNEL:
        return GetChannel(args);
    case CMD_GET_CHANNEL_STATE:
        return GetChannelState(args);
    case CMD_GET_CHANNEL_OPERS:
        return GetChannelOpers(args, session);
    case CMD_SET_CHANNEL:
        return SetChannel(args, session);
    case CMD_CHECK_OPERATOR:
        return CheckOperator(args, session);
    case CMD_ADD_OPERATOR:
        return AddOperator(args, session);
    case CMD_REMOVE_OPERATOR:
        return RemoveOperator(args, session);
    case CMD_CREATE_CHANNEL:
        return CreateChannel(args, session);
    case CMD_FIND_CHANNEL:
        return FindChannel(args);
    case CMD_GET_FRIENDS:
        return GetFriends(session);
    case CMD_GET_STATUS:
        return GetStatus(args);
    case CMD_SEARCH_USERS:
        return SearchUsers(args, session);
    case CMD_SEND_SMS:
        return SendSms(args, session);
    case CMD_SEARCH_CHANNELS:
        return SearchChannels(args);
    case CMD_JOIN_CHANNEL:
        return JoinChannel(args, session);
    case CMD_SET_NOTIFY:
        return SetNotify(args, session);
    case CMD_FETCH_MESSAGE:
        return FetchMessage(session);
    case CMD_RECOMMEND:
        return Recommend(args, session);
    case CMD_FEEDBACK:
        return Feedback(args, session);
    default:
        return Reply(RESP_UNKNOWN_COMMAND);
    }
}

} // namespace murmex
