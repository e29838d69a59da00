// The service operations of a user record. Each one reads what it sends under
// the record's guard, talks to the server without it, and stores the answer
// under it again; values are taken out of the response first, because a
// missing entry calls up into the message box.
#include "channels/chat_page.h"
#include "channels/service_site.h"
#include "model/channel_list.h"
#include "model/channel_record.h"
#include "model/user_record.h"
#include "platform/clock.h"
#include "ports/ui_interfaces.h"
#include "protocol/command_codes.h"
#include "protocol/param_record.h"
#include "protocol/request_engine.h"
#include "storage/options.h"

namespace murmex {
namespace {

// The account fields as registration and the account update send them.
void AddAccountFields(CParamRecord& r, const SUserData& d) {
    r.AddText("nick", d.nick);
    r.AddText("email", d.detailEmail);
    r.AddText("name", d.detailName);
    r.AddText("surname", d.detailSurname);
    r.AddText("url", d.url);
    r.AddText("street", d.street);
    r.AddText("city", d.city);
    r.AddInt("born", d.born);
    r.AddInt("sex", d.sex);
    r.AddInt("citysize", d.citySize);
    r.AddInt("education", d.education);
    r.AddInt("job", d.job);
    r.AddInt("country", d.country);
    r.AddIntList("interestance", d.interests);
    r.AddIntList("language", d.languages);
    r.AddText("phone", d.phone);
    r.AddText("cellphone", d.cellPhone);
    r.AddInt("restrict_email", d.restrictEmail ? 1 : 0);
    r.AddInt("restrict_name", d.restrictName ? 1 : 0);
    r.AddInt("restrict_surname", d.restrictSurname ? 1 : 0);
}

CParamRecord UserIdRecord(int qid) {
    CParamRecord r;
    r.AddInt("userid", qid);
    return r;
}

} // namespace

bool CUserRecord::LoadBrief(CRequestEngine& engine) {
    if (IsLocalContact() || HasBrief())
        return true;
    if (!HasQid() || !engine.IsConnected())
        return false;
    CParamRecord r = UserIdRecord(Qid());
    if (!engine.ExecuteCommand(CMD_GET_USER, &r))
        return false;

    std::string nick = r.Get("nick"), email = r.Get("email");
    std::string name = r.Get("name"), surname = r.Get("surname");
    const bool cell = r.GetInt("is_cellphone") != 0;
    const bool hasOnEnter = r.Has("onenter");
    bool onEnterEmail = false, onEnterSms = false;
    if (hasOnEnter) {
        std::vector<int> methods;
        r.GetIntList("onenter", methods);
        for (int m : methods) {
            onEnterEmail = onEnterEmail || m == 2;
            onEnterSms = onEnterSms || m == 3;
        }
    }

    std::lock_guard lock(m_mutex);
    m_d.nick = std::move(nick);
    m_d.email = std::move(email);
    m_d.name = std::move(name);
    m_d.surname = std::move(surname);
    m_d.hasRemoteCellPhone = cell;
    if (hasOnEnter) {
        m_d.onEnterEmail = onEnterEmail;
        m_d.onEnterSms = onEnterSms;
    }
    m_d.flags |= kHasBrief;
    return true;
}

bool CUserRecord::LoadDetails(CRequestEngine& engine) {
    if (IsLocalContact() || HasDetails())
        return true;
    // Only the owner's own account has its details fetched.
    if (!engine.IsLoggedIn() || !HasQid() || Qid() != engine.CurrentQid())
        return false;
    CParamRecord r = UserIdRecord(Qid());
    if (!engine.ExecuteCommand(CMD_GET_USER_DETAILS, &r))
        return false;

    SUserData a;
    a.nick = r.Get("nick");
    a.email = r.Get("email");
    a.name = r.Get("name");
    a.surname = r.Get("surname");
    a.detailEmail = a.email;
    a.detailName = a.name;
    a.detailSurname = a.surname;
    a.url = r.Get("url");
    a.street = r.Get("street");
    a.city = r.Get("city");
    a.born = r.GetInt("born");
    a.sex = r.GetInt("sex");
    a.citySize = r.GetInt("citysize");
    a.education = r.GetInt("education");
    a.job = r.GetInt("job");
    a.country = r.GetInt("country");
    a.phone = r.Get("phone");
    a.cellPhone = r.Get("cellphone");
    a.restrictEmail = r.GetInt("restrict_email") != 0;
    a.restrictName = r.GetInt("restrict_name") != 0;
    a.restrictSurname = r.GetInt("restrict_surname") != 0;
    r.GetIntList("language", a.languages);
    r.GetIntList("interestance", a.interests);

    std::lock_guard lock(m_mutex);
    m_d.nick = std::move(a.nick);
    m_d.email = std::move(a.email);
    m_d.name = std::move(a.name);
    m_d.surname = std::move(a.surname);
    m_d.detailEmail = std::move(a.detailEmail);
    m_d.detailName = std::move(a.detailName);
    m_d.detailSurname = std::move(a.detailSurname);
    m_d.url = std::move(a.url);
    m_d.street = std::move(a.street);
    m_d.city = std::move(a.city);
    m_d.phone = std::move(a.phone);
    if (!a.cellPhone.empty())
        m_d.hasRemoteCellPhone = true;
    m_d.cellPhone = std::move(a.cellPhone);
    m_d.born = a.born;
    m_d.sex = a.sex;
    m_d.citySize = a.citySize;
    m_d.education = a.education;
    m_d.job = a.job;
    m_d.country = a.country;
    m_d.restrictEmail = a.restrictEmail;
    m_d.restrictName = a.restrictName;
    m_d.restrictSurname = a.restrictSurname;
    m_d.languages = std::move(a.languages);
    m_d.interests = std::move(a.interests);
    m_d.flags |= kHasBrief | kHasDetails;
    return true;
}

bool CUserRecord::Register(CRequestEngine& engine) {
    if (!engine.IsConnected() || HasQid())
        return false;
    CParamRecord r;
    {
        // "Not chosen" is not a value the service takes; the record keeps the change.
        std::lock_guard lock(m_mutex);
        for (int* field : {&m_d.sex, &m_d.citySize, &m_d.education, &m_d.job})
            if (*field == -1)
                *field = 0;
        if (m_d.country == 1)
            m_d.country = 0;
        AddAccountFields(r, m_d);
        if (m_d.passwordHeld)
            r.AddText("password", m_d.password);
    }
    if (!engine.ExecuteCommand(CMD_REGISTER, &r))
        return false;
    const int qid = r.GetInt("userid");

    std::lock_guard lock(m_mutex);
    m_d.qid = qid;
    m_d.email = m_d.detailEmail;
    m_d.name = m_d.detailName;
    m_d.surname = m_d.detailSurname;
    m_d.flags |= kHasQid | kHasBrief | kHasDetails;
    return true;
}

bool CUserRecord::UpdateAccount(CRequestEngine& engine) {
    CParamRecord r;
    AddAccountFields(r, Snapshot());
    return engine.ExecuteCommand(CMD_UPDATE_USER, &r);
}

bool CUserRecord::ChangePassword(CRequestEngine& engine, const std::string& newPassword) {
    if (!engine.IsLoggedIn() || !HasQid() || Qid() != engine.CurrentQid())
        return false;
    CParamRecord r;
    r.AddText("password", newPassword);
    if (!engine.ExecuteCommand(CMD_CHANGE_PASSWORD, &r))
        return false;
    SetPassword(newPassword);
    return true;
}

bool CUserRecord::FindByNickEmail(CRequestEngine& engine, const std::string& nick,
                                  const std::string& email) {
    CParamRecord r;
    r.AddText("nick", nick);
    r.AddText("email", email);
    if (!engine.ExecuteCommand(CMD_FIND_USER, &r))
        return false;
    SetQid(r.GetInt("userid"));
    return true;
}

bool CUserRecord::Identify(CRequestEngine& engine, const std::string& nick,
                           const std::string& email, const std::string& password) {
    CParamRecord r;
    r.AddText("nick", nick);
    r.AddText("email", email);
    r.AddText("password", password);
    if (!engine.ExecuteCommand(CMD_IDENTIFY, &r))
        return false;
    SetQid(r.GetInt("userid"));
    SetPassword(password);
    return true;
}

bool CUserRecord::LoginAs(CRequestEngine& engine) {
    const SUserData d = Snapshot();
    if (engine.IsLoggedIn() || !engine.IsConnected() || !(d.flags & kHasQid) || !d.passwordHeld)
        return false;
    CParamRecord r = UserIdRecord(d.qid);
    r.AddText("password", d.password);
    if (!engine.ExecuteCommand(CMD_LOGIN, &r)) {
        engine.SetLoggedIn(false);
        return false;
    }
    engine.SetCurrentQid(d.qid);
    engine.SetLoggedIn(true);
    return true;
}

bool CUserRecord::LogoutAs(CRequestEngine& engine) {
    if (!engine.IsLoggedIn())
        return false;
    if (!engine.ExecuteCommand(CMD_LOGOUT, nullptr))
        return false;
    engine.SetLoggedIn(false);
    return true;
}

bool CUserRecord::AddAsFriend(CRequestEngine& engine) {
    CParamRecord r = UserIdRecord(Qid());
    return engine.ExecuteCommand(CMD_ADD_FRIEND, &r);
}

bool CUserRecord::RemoveAsFriend(CRequestEngine& engine) {
    CParamRecord r = UserIdRecord(Qid());
    return engine.ExecuteCommand(CMD_REMOVE_FRIEND, &r);
}

bool CUserRecord::SendMessage(CRequestEngine& engine, const std::string& text) {
    if (!engine.IsLoggedIn() || !HasQid())
        return false;
    CParamRecord r;
    r.AddText("message", text);
    r.AddInt("userid", Qid());
    return engine.ExecuteCommand(CMD_SEND_MESSAGE, &r);
}

bool CUserRecord::SendSms(CRequestEngine& engine, const std::string& text) {
    const SUserData d = Snapshot();
    if (!d.hasRemoteCellPhone && d.localCellPhone.empty())
        return false;
    CParamRecord r;
    if (d.flags & kLocalContact)
        r.AddText("cellphone", d.localCellPhone);
    else
        r.AddInt("userid", d.qid);
    // A locally entered number goes too: always when the service has none, and
    // by the user's choice when it has one.
    if (!d.localCellPhone.empty() &&
        (!d.hasRemoteCellPhone || (HasOption("LocalSMS") && GetOption("LocalSMS") == "1")))
        r.AddText("cellphone", d.localCellPhone);
    r.AddText("message", text);
    return engine.ExecuteCommand(CMD_SEND_SMS, &r);
}

bool CUserRecord::RefreshStatus(CRequestEngine& engine, const IClock& clock) {
    CParamRecord r = UserIdRecord(Qid());
    if (!engine.ExecuteCommandInline(CMD_GET_STATUS, &r))
        return false;
    const int www = r.GetInt("active_www");
    const int exe = r.GetInt("active_exe");
    SetPresence(www != 0, exe != 0, www, clock.WallSeconds());
    return true;
}

bool CUserRecord::JoinChannel(CRequestEngine& engine, const IClock& clock, CChannelList& channels,
                              IDesktopShell& shell, int channelId) {
    // A failed refresh keeps the old status (normally: not chatting).
    RefreshStatus(engine, clock);
    if (InChat()) {
        CParamRecord r;
        r.AddInt("chanid", channelId);
        return engine.ExecuteCommand(CMD_JOIN_CHANNEL, &r);
    }

    auto channel = channels.Channel(channelId);
    if (!channel)
        return false;
    // A channel known only by its id has no name to put on the page yet.
    channel->LoadDescription(channels);

    const SUserData d = Snapshot();
    SChatPageData page;
    page.nick = d.nick;
    page.email = d.email;
    page.password = d.passwordHeld ? d.password : std::string();
    page.channelName = channel->Name();
    page.webAddress = ServiceWebAddress();
    page.webHost = ServiceWebHost();
    std::string path;
    if (!WriteChatPage(page, path))
        return false;
    shell.OpenDocument(path);
    return true;
}

bool CUserRecord::SetNotify(CRequestEngine& engine, bool SUserData::*flag, int method, bool on) {
    {
        std::lock_guard lock(m_mutex);
        if (m_d.*flag == on)
            return true;
        m_d.*flag = on;
    }
    CParamRecord r = UserIdRecord(Qid());
    r.AddInt("method", method);
    r.AddInt("action", on ? 1 : 0);
    return engine.ExecuteCommand(CMD_SET_NOTIFY, &r);
}

bool CUserRecord::SetOnEnterSms(CRequestEngine& engine, bool on) {
    return SetNotify(engine, &SUserData::onEnterSms, 3, on);
}

bool CUserRecord::SetOnEnterEmail(CRequestEngine& engine, bool on) {
    return SetNotify(engine, &SUserData::onEnterEmail, 2, on);
}

} // namespace murmex
