#include "model/user_record.h"

#include "protocol/param_record.h"
#include "protocol/record_view.h"
#include "storage/config_store.h"

#include <algorithm>

namespace murmex {
namespace {

template <class R> bool Flag(const R& r, std::string_view name) {
    return r.GetInt(name) != 0;
}

// The entries of one stored user line, read the same way whether they are
// taken in place (CRecordView, nearly every line) or decoded (CParamRecord).
class CViewEntries {
public:
    explicit CViewEntries(const CRecordView& view) : m_view(view) {}
    bool Has(std::string_view name) const { return m_view.Find(name) != nullptr; }
    std::string_view Get(std::string_view name) const {
        const std::string_view* value = m_view.Find(name);
        return value ? *value : std::string_view();
    }
    int GetInt(std::string_view name) const { return CParamRecord::ToInt(Get(name)); }

private:
    const CRecordView& m_view;
};

// Fills `d` from a line that has a QID.
template <class R> void ReadUserEntries(const R& r, SUserData& d) {
    d.qid = r.GetInt("QID");
    d.flags |= CUserRecord::kHasQid;

    // Every key the line still has is taken: a line that lost one key (a
    // damaged file) must not be written back without the nick, e-mail and
    // saved password it still holds.
    auto text = [&r](std::string_view name, std::string& field) {
        if (r.Has(name))
            field = r.Get(name);
        return r.Has(name);
    };
    if (d.qid > CUserRecord::kLastServiceQid) {
        bool any = false;
        for (auto [name, field] : {std::pair{"Nick", &d.nick},
                                   {"Email", &d.email},
                                   {"Name", &d.name},
                                   {"Surname", &d.surname},
                                   {"LocalCellPhone", &d.localCellPhone},
                                   {"Phone", &d.phone},
                                   {"Street", &d.street}})
            any = text(name, *field) || any;
        if (any)
            d.flags |= CUserRecord::kLocalContact;
        text("Display", d.display);
        return;
    }

    if (r.Has("OnEnterSMS"))
        d.onEnterSms = Flag(r, "OnEnterSMS");
    if (r.Has("OnEnterEmail"))
        d.onEnterEmail = Flag(r, "OnEnterEmail");
    bool brief = false;
    for (auto [name, field] : {std::pair{"Nick", &d.nick},
                               {"Email", &d.email},
                               {"Name", &d.name},
                               {"Surname", &d.surname},
                               {"RemoteCellPhonePrefix", &d.remoteCellPhonePrefix}})
        brief = text(name, *field) || brief;
    if (r.Has("HasRemoteCellPhone")) {
        d.hasRemoteCellPhone = Flag(r, "HasRemoteCellPhone");
        brief = true;
    }
    if (brief)
        d.flags |= CUserRecord::kHasBrief;
    text("LocalCellPhone", d.localCellPhone);
    text("Display", d.display);
    text("Note", d.note);
    if (r.Has("SavePassword")) {
        d.savePassword = Flag(r, "SavePassword");
        d.flags |= CUserRecord::kLocalUser;
        if (r.Has("Password")) {
            d.password = r.Get("Password");
            d.passwordHeld = true;
        }
    }
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
    std::string_view line;
    if (!store.ReadRecordLine(line))
        return false;
    // Start-up reads every known user: in place when the line allows it.
    thread_local CRecordView view;
    std::lock_guard lock(m_mutex);
    if (view.Parse(line)) {
        const CViewEntries r(view);
        if (r.Has("QID"))
            ReadUserEntries(r, m_d);
        return true;
    }
    CParamRecord r;
    r.Parse(line, 0);
    if (r.Has("QID"))
        ReadUserEntries(r, m_d);
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
