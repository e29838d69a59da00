#include "platform/clock.h"
#include "server/command_handler.h"
#include "server/password_hasher.h"
#include "server/record_args.h"

namespace murmex {
namespace {

// Copies every profile entry the request holds into the account; entries
// that are missing leave their field as it is.
void ReadProfile(const CParamRecord& args, SAccount& a) {
    auto text = [&args](std::string_view name, std::string& field) {
        if (args.Has(name))
            field = ArgText(args, name);
    };
    auto number = [&args](std::string_view name, int& field) {
        field = ArgIntOr(args, name, field);
    };
    auto flag = [&args](std::string_view name, bool& field) {
        field = ArgIntOr(args, name, field ? 1 : 0) != 0;
    };
    text("nick", a.nick);
    text("email", a.email);
    text("name", a.name);
    text("surname", a.surname);
    text("url", a.url);
    text("street", a.street);
    text("city", a.city);
    if (args.Has("born"))
        a.born = CParamRecord::ToInt(args.Get("born"));
    number("sex", a.sex);
    number("citysize", a.citysize);
    number("education", a.education);
    number("job", a.job);
    number("country", a.country);
    text("phone", a.phone);
    text("cellphone", a.cellphone);
    flag("restrict_email", a.restrictEmail);
    flag("restrict_name", a.restrictName);
    flag("restrict_surname", a.restrictSurname);
    if (args.Has("language"))
        a.languages = ArgIntList(args, "language");
    if (args.Has("interestance"))
        a.interests = ArgIntList(args, "interestance");
}

} // namespace

SCommandResult CCommandHandler::Register(Args args) {
    SAccount account;
    ReadProfile(args, account);
    const std::string password = ArgText(args, "password");
    if (account.nick.empty() || account.email.empty() || password.empty())
        return Reply(RESP_MALFORMED);
    // Cheap refusal first: a taken pair should not cost a hash.
    int existing = 0;
    EStore found = m_accounts.FindByNickEmail(account.nick, account.email, existing);
    if (found != EStore::NotFound)
        return StoreFailure(found == EStore::Ok ? EStore::Exists : found);

    std::string hash;
    if (!m_shared.hasher.Hash(password, hash))
        return Reply(RESP_SERVER_ERROR);
    EStore created = m_accounts.Create(account, hash, Now());
    if (created != EStore::Ok)
        return StoreFailure(created);
    SCommandResult result = Reply(RESP_OK);
    result.record.AddInt("userid", account.qid);
    return result;
}

SCommandResult CCommandHandler::Login(Args args, SSession& session) {
    int qid = 0;
    if (!ArgInt(args, "userid", qid) || !args.Has("password"))
        return Reply(RESP_MALFORMED);
    std::string hash;
    EStore found = m_accounts.PasswordHash(qid, hash);
    if (found == EStore::Failed)
        return Reply(RESP_SERVER_ERROR);
    const bool accepted =
        found == EStore::Ok && m_shared.hasher.Verify(hash, ArgText(args, "password"));
    return ChangeMember(session, accepted ? qid : 0, accepted ? RESP_OK : RESP_REFUSED);
}

SCommandResult CCommandHandler::Logout(SSession& session) {
    return ChangeMember(session, 0, RESP_OK);
}

// Presence is a database row: a login or logout that could not be written
// is answered as the failure it is, and the connection stays as it was.
SCommandResult CCommandHandler::ChangeMember(SSession& session, int qid, int answer) {
    return Reply(SetSessionMember(session, qid) ? answer : RESP_SERVER_ERROR);
}

SCommandResult CCommandHandler::UpdateUser(Args args, const SSession& session) {
    SAccount account;
    EStore loaded = m_accounts.Load(session.qid, account);
    if (loaded != EStore::Ok)
        return StoreFailure(loaded);
    ReadProfile(args, account);
    if (account.nick.empty() || account.email.empty())
        return Reply(RESP_MALFORMED);
    EStore updated = m_accounts.Update(account);
    return updated == EStore::Ok ? Reply(RESP_OK) : StoreFailure(updated);
}

SCommandResult CCommandHandler::ChangePassword(Args args, const SSession& session) {
    const std::string password = ArgText(args, "password");
    if (password.empty())
        return Reply(RESP_MALFORMED);
    std::string hash;
    if (!m_shared.hasher.Hash(password, hash))
        return Reply(RESP_SERVER_ERROR);
    EStore changed = m_accounts.SetPasswordHash(session.qid, hash);
    return changed == EStore::Ok ? Reply(RESP_OK) : StoreFailure(changed);
}

SCommandResult CCommandHandler::FindUser(Args args) {
    if (!args.Has("nick") || !args.Has("email"))
        return Reply(RESP_MALFORMED);
    int qid = 0;
    EStore found = m_accounts.FindByNickEmail(ArgText(args, "nick"), ArgText(args, "email"), qid);
    if (found != EStore::Ok)
        return StoreFailure(found);
    SCommandResult result = Reply(RESP_OK);
    result.record.AddInt("userid", qid);
    return result;
}

SCommandResult CCommandHandler::Identify(Args args) {
    if (!args.Has("nick") || !args.Has("email") || !args.Has("password"))
        return Reply(RESP_MALFORMED);
    int qid = 0;
    EStore found = m_accounts.FindByNickEmail(ArgText(args, "nick"), ArgText(args, "email"), qid);
    if (found == EStore::Failed)
        return Reply(RESP_SERVER_ERROR);
    std::string hash;
    if (found == EStore::Ok)
        found = m_accounts.PasswordHash(qid, hash);
    if (found == EStore::Failed)
        return Reply(RESP_SERVER_ERROR);
    if (found != EStore::Ok || !m_shared.hasher.Verify(hash, ArgText(args, "password")))
        return Reply(RESP_REFUSED);
    SCommandResult result = Reply(RESP_OK);
    result.record.AddInt("userid", qid);
    return result;
}

SCommandResult CCommandHandler::GetUser(Args args, const SSession& session) {
    int qid = 0;
    if (!ArgInt(args, "userid", qid))
        return Reply(RESP_MALFORMED);
    SAccount a;
    EStore loaded = m_accounts.Load(qid, a);
    if (loaded != EStore::Ok)
        return StoreFailure(loaded);
    // The member always sees their own data; others see what is not restricted.
    const bool own = session.qid == qid;
    SCommandResult result = Reply(RESP_OK);
    CParamRecord& r = result.record;
    ReplyText(r, "nick", a.nick);
    ReplyText(r, "email", a.restrictEmail && !own ? "" : a.email);
    ReplyText(r, "name", a.restrictName && !own ? "" : a.name);
    ReplyText(r, "surname", a.restrictSurname && !own ? "" : a.surname);
    r.AddInt("is_cellphone", a.cellphone.empty() ? 0 : 1);
    if (session.qid) {
        std::vector<int> methods;
        if (m_friends.NotifyMethods(session.qid, qid, methods) != EStore::Ok)
            return Reply(RESP_SERVER_ERROR);
        r.AddIntList("onenter", methods);
    }
    return result;
}

SCommandResult CCommandHandler::GetUserDetails(Args args, const SSession& session) {
    int qid = 0;
    if (!ArgInt(args, "userid", qid))
        return Reply(RESP_MALFORMED);
    if (qid != session.qid)
        return Reply(RESP_REFUSED);
    SAccount a;
    EStore loaded = m_accounts.Load(qid, a);
    if (loaded != EStore::Ok)
        return StoreFailure(loaded);
    SCommandResult result = Reply(RESP_OK);
    CParamRecord& r = result.record;
    ReplyText(r, "nick", a.nick);
    ReplyText(r, "email", a.email);
    ReplyText(r, "name", a.name);
    ReplyText(r, "surname", a.surname);
    ReplyText(r, "url", a.url);
    ReplyText(r, "street", a.street);
    ReplyText(r, "city", a.city);
    r.AddInt("born", static_cast<int>(a.born));
    r.AddInt("sex", a.sex);
    r.AddInt("citysize", a.citysize);
    r.AddInt("education", a.education);
    r.AddInt("job", a.job);
    r.AddInt("country", a.country);
    ReplyText(r, "phone", a.phone);
    ReplyText(r, "cellphone", a.cellphone);
    r.AddInt("restrict_email", a.restrictEmail ? 1 : 0);
    r.AddInt("restrict_name", a.restrictName ? 1 : 0);
    r.AddInt("restrict_surname", a.restrictSurname ? 1 : 0);
    r.AddIntList("language", a.languages);
    r.AddIntList("interestance", a.interests);
    return result;
}

SCommandResult CCommandHandler::GetStatus(Args args) {
    int qid = 0;
    if (!ArgInt(args, "userid", qid))
        return Reply(RESP_MALFORMED);
    SAccount a;
    EStore loaded = m_accounts.Load(qid, a);
    if (loaded != EStore::Ok)
        return StoreFailure(loaded);
    const EStore active = m_sessions.IsActive(qid);
    if (active == EStore::Failed)
        return Reply(RESP_SERVER_ERROR);
    SCommandResult result = Reply(RESP_OK);
    result.record.AddInt("active_exe", active == EStore::Ok ? 1 : 0);
    result.record.AddInt("active_www", a.activeWww);
    return result;
}

} // namespace murmex
