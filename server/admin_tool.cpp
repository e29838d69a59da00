#include "server/admin_tool.h"

#include "platform/clock.h"
#include "server/account_table.h"
#include "server/channel_table.h"
#include "server/database.h"
#include "server/friend_table.h"
#include "server/message_queue.h"
#include "server/password_hasher.h"
#include "server/server_options.h"

#include <map>
#include <ostream>
#include <set>

namespace murmex {
namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

struct SAdminCommand {
    std::string name;
    std::map<std::string, std::string> values;
    bool fastHash = false;
    std::string database = "murmexd.db";
};

// Which options each command takes, and which of them it needs.
const std::map<std::string, std::pair<std::set<std::string>, std::set<std::string>>> kCommands = {
    {"create-user",
     {{"--nick", "--email", "--password", "--name", "--surname", "--cellphone"},
      {"--nick", "--email", "--password"}}},
    {"send-message", {{"--from", "--to", "--text"}, {"--from", "--to", "--text"}}},
    {"web-chat", {{"--user", "--channel"}, {"--user", "--channel"}}},
    {"add-friend", {{"--user", "--friend"}, {"--user", "--friend"}}},
    {"remove-friend", {{"--user", "--friend"}, {"--user", "--friend"}}},
    {"create-channel", {{"--name", "--description", "--creator"}, {"--name"}}},
};

bool ParseAdmin(const std::vector<std::string>& args, SAdminCommand& command, std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word == "--fast-hash") {
            command.fastHash = true;
        } else if (word.rfind("--", 0) == 0) {
            if (i + 1 >= args.size()) {
                error = word + " needs a value";
                return false;
            }
            if (word == "--database")
                command.database = args[++i];
            else
                command.values[word] = args[++i];
        } else if (command.name.empty()) {
            command.name = word;
        } else {
            error = "unexpected argument " + word;
            return false;
        }
    }
    auto known = kCommands.find(command.name);
    if (known == kCommands.end()) {
        error = command.name.empty() ? "no admin command given"
                                     : "unknown admin command " + command.name;
        return false;
    }
    const auto& [allowed, needed] = known->second;
    for (const auto& [option, value] : command.values)
        if (!allowed.count(option)) {
            error = command.name + " does not take " + option;
            return false;
        }
    for (const std::string& option : needed)
        if (!command.values.count(option)) {
            error = command.name + " needs " + option;
            return false;
        }
    return true;
}

// Reads a member or channel number option; writes the error when it is none.
bool Id(const SAdminCommand& command, const std::string& option, int& id, std::ostream& err,
        bool zeroAllowed = false) {
    long long value = 0;
    if (!ParseBoundedInt(command.values.at(option), zeroAllowed ? 0 : 1,
                         CAccountTable::kQidLimit - 1, value)) {
        err << "murmexd admin: " << option << " needs a number\n";
        return false;
    }
    id = static_cast<int>(value);
    return true;
}

int Report(EStore result, std::ostream& err, const std::string& what) {
    switch (result) {
    case EStore::Ok:
        return kDone;
    case EStore::NotFound:
        err << "murmexd admin: " << what << " not found\n";
        return kFailed;
    case EStore::Exists:
        err << "murmexd admin: " << what << " already exists\n";
        return kFailed;
    default:
        err << "murmexd admin: the database failed\n";
        return kFailed;
    }
}

std::string Value(const SAdminCommand& command, const std::string& option) {
    auto found = command.values.find(option);
    return found == command.values.end() ? std::string() : found->second;
}

int CreateUser(CDatabase& db, const SAdminCommand& command, std::ostream& out, std::ostream& err) {
    SAccount account;
    account.nick = Value(command, "--nick");
    account.email = Value(command, "--email");
    account.name = Value(command, "--name");
    account.surname = Value(command, "--surname");
    account.cellphone = Value(command, "--cellphone");
    const std::string password = Value(command, "--password");
    if (account.nick.empty() || account.email.empty() || password.empty()) {
        err << "murmexd admin: nick, e-mail and password must not be empty\n";
        return kUsage;
    }
    std::string hash;
    CPasswordHasher hasher(command.fastHash ? CPasswordHasher::ECost::Fast
                                            : CPasswordHasher::ECost::Interactive);
    if (!CPasswordHasher::InitLibrary() || !hasher.Hash(password, hash)) {
        err << "murmexd admin: the password could not be hashed\n";
        return kFailed;
    }
    CAccountTable accounts(db);
    const int status =
        Report(accounts.Create(account, hash, CSystemClock::Instance().WallSeconds()), err,
               "a member with this nick and e-mail");
    if (status == kDone)
        out << account.qid << "\n";
    return status;
}

int SendMessage(CDatabase& db, const SAdminCommand& command, std::ostream& err) {
    int from = 0;
    int to = 0;
    if (!Id(command, "--from", from, err) || !Id(command, "--to", to, err))
        return kUsage;
    const std::string text = Value(command, "--text");
    if (text.empty()) {
        err << "murmexd admin: the text must not be empty\n";
        return kUsage;
    }
    CAccountTable accounts(db);
    for (int qid : {from, to})
        if (int status = Report(accounts.Exists(qid), err, "member " + std::to_string(qid)))
            return status;
    CMessageQueue queue(db);
    return Report(queue.Push(to, from, text, CSystemClock::Instance().WallSeconds()), err,
                  "message");
}

int WebChat(CDatabase& db, const SAdminCommand& command, std::ostream& err) {
    int user = 0;
    int channel = 0;
    if (!Id(command, "--user", user, err) || !Id(command, "--channel", channel, err, true))
        return kUsage;
    if (channel != 0) {
        CChannelTable channels(db);
        if (int status =
                Report(channels.Exists(channel), err, "channel " + std::to_string(channel)))
            return status;
    }
    CAccountTable accounts(db);
    return Report(accounts.SetActiveWww(user, channel), err, "member " + std::to_string(user));
}

int ChangeFriend(CDatabase& db, const SAdminCommand& command, bool add, std::ostream& err) {
    int user = 0;
    int friendQid = 0;
    if (!Id(command, "--user", user, err) || !Id(command, "--friend", friendQid, err))
        return kUsage;
    if (user == friendQid) {
        err << "murmexd admin: a member cannot be their own friend\n";
        return kFailed;
    }
    CAccountTable accounts(db);
    for (int qid : {user, friendQid})
        if (int status = Report(accounts.Exists(qid), err, "member " + std::to_string(qid)))
            return status;
    CFriendTable friends(db);
    if (add)
        return Report(friends.Add(user, friendQid), err, "friend");
    return Report(friends.Remove(user, friendQid), err, "friend " + std::to_string(friendQid));
}

int CreateChannel(CDatabase& db, const SAdminCommand& command, std::ostream& out,
                  std::ostream& err) {
    SChannel channel;
    channel.name = Value(command, "--name");
    channel.description = Value(command, "--description");
    if (channel.name.empty()) {
        err << "murmexd admin: the name must not be empty\n";
        return kUsage;
    }
    if (command.values.count("--creator")) {
        if (!Id(command, "--creator", channel.creator, err))
            return kUsage;
        CAccountTable accounts(db);
        if (int status = Report(accounts.Exists(channel.creator), err,
                                "member " + std::to_string(channel.creator)))
            return status;
    }
    CChannelTable channels(db);
    const int status = Report(channels.Create(channel, CSystemClock::Instance().WallSeconds()), err,
                              "a channel with this name");
    if (status == kDone)
        out << channel.id << "\n";
    return status;
}

} // namespace

int RunAdmin(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    SAdminCommand command;
    std::string error;
    if (!ParseAdmin(args, command, error)) {
        err << "murmexd admin: " << error << "\n\n" << MurmexdUsage();
        return kUsage;
    }
    CDatabase db;
    if (!db.Open(command.database)) {
        err << "murmexd admin: cannot open the database " << command.database << ": "
            << db.LastError() << "\n";
        return kFailed;
    }
    if (command.name == "create-user")
        return CreateUser(db, command, out, err);
    if (command.name == "send-message")
        return SendMessage(db, command, err);
    if (command.name == "web-chat")
        return WebChat(db, command, err);
    if (command.name == "add-friend" || command.name == "remove-friend")
        return ChangeFriend(db, command, command.name == "add-friend", err);
    return CreateChannel(db, command, out, err);
}

} // namespace murmex
