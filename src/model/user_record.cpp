#include "model/user_record.h"

#include "protocol/param_record.h"
#include "storage/config_store.h"

#include <algorithm>

namespace murmex {
namespace {

bool HasAll(const CParamRecord& r, std::initializer_list<std::string_view> names) {
    return std::all_of(names.begin(), names.end(), [&](std::string_view n) { return r.Has(n); });
}

bool Flag(const CParamRecord& r, std::string_view name) {
    return r.GetInt(name) != 0;
}

} // namespace

CUserRecord& CUserRecord::operator=(const CUserRecord& other) {
    if (this == &other)
        return *this;
    SUserData copy = other.Snapshot();
    std::lock_guard lock(m_mutex);
    m_d = std::move(copy);
    return *this;
}

SUserData CUserRecord::Snapshot() const {
    std::lock_guard lock(m_mutex);
    return m_d;
}

void CUserRecord::SetFlag(unsigned flag, bool on) {
    std::lock_guard lock(m_mutex);
    if (on)
        m_d.flags |= flag;
    else
        m_d.flags &= ~flag;
}

bool CUserRecord::HasDetails() const {
    const unsigned all = kHasQid | kHasBrief | kHasDetails;
    return (Flags() & all) == all;
}

bool CUserRecord::IsStoredLocalUser() const {
    const unsigned both = kHasQid | kLocalUser;
    return (Flags() & both) == both;
}

void CUserRecord::SetQid(int qid) {
    std::lock_guard lock(m_mutex);
    m_d.qid = qid;
    m_d.flags |= kHasQid;
}

void CUserRecord::SetPresence(bool inChat, bool runningProgram, int chatValue,
                              std::int64_t statusTime) {
    std::lock_guard lock(m_mutex);
    m_d.inChat = inChat;
    m_d.runningProgram = runningProgram;
    m_d.chatValue = chatValue;
    m_d.statusTime = statusTime;
}

void CUserRecord::SetCellPhone(std::string v) {
    std::lock_guard lock(m_mutex);
    if (!v.empty())
        m_d.hasRemoteCellPhone = true;
    m_d.cellPhone = std::move(v);
}

bool CUserRecord::HasLanguage(int index) const {
    auto list = Languages();
    return std::find(list.begin(), list.end(), index) != list.end();
}

bool CUserRecord::HasInterest(int index) const {
    auto list = Interests();
    return std::find(list.begin(), list.end(), index) != list.end();
}

int CUserRecord::FirstLanguage() const {
    auto list = Languages();
    return list.empty() ? 0 : list.front();
}

int CUserRecord::FirstInterest() const {
    auto list = Interests();
    return list.empty() ? 0 : list.front();
}

void CUserRecord::SetPassword(std::string password) {
    std::lock_guard lock(m_mutex);
    m_d.password = std::move(password);
    m_d.passwordHeld = true;
}

void CUserRecord::ClearPassword() {
    std::lock_guard lock(m_mutex);
    m_d.password.clear();
    m_d.passwordHeld = false;
}

std::string CUserRecord::DisplayName() const {
    std::lock_guard lock(m_mutex);
    return m_d.display.empty() ? m_d.nick : m_d.display;
}

bool CUserRecord::CanReceiveSms() const {
    std::lock_guard lock(m_mutex);
    return m_d.hasRemoteCellPhone || !m_d.localCellPhone.empty();
}

std::string CUserRecord::CellPrefix(std::string_view number) {
    return number.size() == 10 ? std::string(number.substr(1, 3)) : std::string();
}

std::string CUserRecord::CellNumber(std::string_view number) {
    return number.size() == 10 ? std::string(number.substr(4)) : std::string();
}

bool CUserRecord::ReadFrom(CConfigStore& store) {
    CParamRecord r;
    if (!store.ReadRecord(r))
        return false;
    if (!r.Has("QID"))
        return true;

    std::lock_guard lock(m_mutex);
    SUserData& d = m_d;
    d.qid = r.GetInt("QID");
    d.flags |= kHasQid;

    if (d.qid > kLastServiceQid) {
        if (!HasAll(r, {"Nick", "Email", "Name", "Surname", "LocalCellPhone", "Phone", "Street"}))
            return true;
        d.nick = r.Get("Nick");
        d.email = r.Get("Email");
        d.name = r.Get("Name");
        d.surname = r.Get("Surname");
        d.localCellPhone = r.Get("LocalCellPhone");
        d.phone = r.Get("Phone");
        d.street = r.Get("Street");
        d.flags |= kLocalContact;
        if (r.Has("Display"))
            d.display = r.Get("Display");
        return true;
    }

    if (r.Has("OnEnterSMS"))
        d.onEnterSms = Flag(r, "OnEnterSMS");
    if (r.Has("OnEnterEmail"))
        d.onEnterEmail = Flag(r, "OnEnterEmail");
    if (!HasAll(
            r, {"Nick", "Email", "Name", "Surname", "HasRemoteCellPhone", "RemoteCellPhonePrefix"}))
        return true;
    d.nick = r.Get("Nick");
    d.email = r.Get("Email");
    d.name = r.Get("Name");
    d.surname = r.Get("Surname");
    d.hasRemoteCellPhone = Flag(r, "HasRemoteCellPhone");
    d.remoteCellPhonePrefix = r.Get("RemoteCellPhonePrefix");
    d.flags |= kHasBrief;
    if (r.Has("LocalCellPhone"))
        d.localCellPhone = r.Get("LocalCellPhone");
    if (r.Has("Display"))
        d.display = r.Get("Display");
    if (r.Has("Note"))
        d.note = r.Get("Note");
    if (r.Has("SavePassword")) {
        d.savePassword = Flag(r, "SavePassword");
        d.flags |= kLocalUser;
        if (r.Has("Password")) {
            d.password = r.Get("Password");
            d.passwordHeld = true;
        }
    }
    return true;
}

void CUserRecord::WriteTo(CConfigStore& store) const {
    const SUserData d = Snapshot();
    const bool hasQid = (d.flags & kHasQid) != 0;
    CParamRecord r;
    if (hasQid)
        r.AddInt("QID", d.qid);
    if (hasQid && (d.flags & kHasBrief)) {
        r.AddText("Nick", d.nick);
        r.AddText("Email", d.email);
        r.AddText("Name", d.name);
        r.AddText("Surname", d.surname);
        r.AddInt("HasRemoteCellPhone", d.hasRemoteCellPhone ? 1 : 0);
        r.AddText("LocalCellPhone", d.localCellPhone);
        r.AddText("Display", d.display);
        r.AddText("Note", d.note);
        r.AddInt("OnEnterSMS", d.onEnterSms ? 1 : 0);
        r.AddInt("OnEnterEmail", d.onEnterEmail ? 1 : 0);
        r.AddText("RemoteCellPhonePrefix", d.remoteCellPhonePrefix);
    }
    if (hasQid && (d.flags & kLocalUser)) {
        r.AddInt("SavePassword", d.savePassword ? 1 : 0);
        if (d.passwordHeld && d.savePassword)
            r.AddText("Password", d.password);
    }
    if (d.flags & kLocalContact) {
        r.AddText("Nick", d.nick);
        r.AddText("Email", d.email);
        r.AddText("Name", d.name);
        r.AddText("Surname", d.surname);
        r.AddText("Street", d.street);
        r.AddText("LocalCellPhone", d.localCellPhone);
        r.AddText("Phone", d.phone);
        // Read back when present; written only when there is one, so a contact
        // without a display name keeps its line exactly as before.
        if (!d.display.empty())
            r.AddText("Display", d.display);
    }
    store.WriteRecord(r);
}

} // namespace murmex
