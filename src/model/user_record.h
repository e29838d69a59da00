#pragma once

#include "model/storable.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace murmex {

class CChannelList;
class CRequestEngine;
class IClock;
class IDesktopShell;

// Everything a user record holds. Texts are Windows-1250.
struct SUserData {
    bool onEnterSms = false;
    bool onEnterEmail = false;
    unsigned flags = 0;
    int qid = 0;
    // Brief data, shown for everybody.
    std::string nick, email, name, surname;
    bool hasRemoteCellPhone = false;
    std::string remoteCellPhonePrefix;
    // Presence, from the last status answer.
    bool inChat = false;
    bool runningProgram = false;
    int chatValue = 0;
    std::int64_t statusTime = 0;
    // Account details: only the owner's own account, in memory only.
    std::string detailEmail, detailName, detailSurname, url, street, city, phone, cellPhone;
    int born = 0;
    // 0 = not given / ignored in a search; the wizards use -1 for "not chosen".
    int sex = 0;
    int citySize = 0;
    int education = 0;
    int job = 0;
    int country = 0;
    bool restrictEmail = false;
    bool restrictName = false;
    bool restrictSurname = false;
    std::vector<int> languages;
    std::vector<int> interests;
    // Local users only.
    bool savePassword = false;
    bool passwordHeld = false;
    std::string password;
    // Local notes and settings.
    std::string localCellPhone, display, note;
    // A search criterion only ("7-10").
    std::string age;
};

// One person: a local user of this computer, a friend, a search result, a
// message sender or a local contact. The record guards its own fields, so the
// windows and the data manager's worker threads may share one record; a
// service operation never holds that guard while it talks to the server.
class CUserRecord final : public CStorable {
public:
    // State flags.
    static constexpr unsigned kHasQid = 1;
    static constexpr unsigned kHasBrief = 2;
    static constexpr unsigned kHasDetails = 4;
    static constexpr unsigned kLocalUser = 8;
    static constexpr unsigned kLocalContact = 32;
    // QIDs above this are local contacts made by the client.
    static constexpr int kLastServiceQid = 999999999;

    CUserRecord() = default;
    explicit CUserRecord(int qid) { SetQid(qid); }
    CUserRecord(const CUserRecord& other) : m_d(other.Snapshot()) {}
    CUserRecord& operator=(const CUserRecord& other);

    SUserData Snapshot() const;

    bool ReadFrom(CConfigStore& store) override;
    void WriteTo(CConfigStore& store) const override;

    // --- flags
    unsigned Flags() const { return Get(&SUserData::flags); }
    void SetFlag(unsigned flag, bool on);
    bool HasQid() const { return (Flags() & kHasQid) != 0; }
    bool HasBrief() const { return (Flags() & (kHasQid | kHasBrief)) == (kHasQid | kHasBrief); }
    bool HasDetails() const;
    bool IsStoredLocalUser() const;
    bool IsLocalContact() const { return (Flags() & kLocalContact) != 0; }
    void SetLocalUser(bool on) { SetFlag(kLocalUser, on); }
    void SetLocalContact(bool on) { SetFlag(kLocalContact, on); }

    // --- identity and brief data
    int Qid() const { return Get(&SUserData::qid); }
    void SetQid(int qid);
    std::string Nick() const { return Get(&SUserData::nick); }
    void SetNick(std::string v) { Set(&SUserData::nick, std::move(v)); }
    std::string Email() const { return Get(&SUserData::email); }
    void SetEmail(std::string v) { Set(&SUserData::email, std::move(v)); }
    std::string Name() const { return Get(&SUserData::name); }
    void SetName(std::string v) { Set(&SUserData::name, std::move(v)); }
    std::string Surname() const { return Get(&SUserData::surname); }
    void SetSurname(std::string v) { Set(&SUserData::surname, std::move(v)); }
    bool HasRemoteCellPhone() const { return Get(&SUserData::hasRemoteCellPhone); }
    void SetHasRemoteCellPhone(bool v) { Set(&SUserData::hasRemoteCellPhone, v); }
    std::string RemoteCellPhonePrefix() const { return Get(&SUserData::remoteCellPhonePrefix); }
    void SetRemoteCellPhonePrefix(std::string v) {
        Set(&SUserData::remoteCellPhonePrefix, std::move(v));
    }
    bool OnEnterSmsFlag() const { return Get(&SUserData::onEnterSms); }
    void SetOnEnterSmsFlag(bool v) { Set(&SUserData::onEnterSms, v); }
    bool OnEnterEmailFlag() const { return Get(&SUserData::onEnterEmail); }
    void SetOnEnterEmailFlag(bool v) { Set(&SUserData::onEnterEmail, v); }

    // --- presence
    bool InChat() const { return Get(&SUserData::inChat); }
    bool RunningProgram() const { return Get(&SUserData::runningProgram); }
    int ChatValue() const { return Get(&SUserData::chatValue); }
    std::int64_t StatusTime() const { return Get(&SUserData::statusTime); }
    void SetPresence(bool inChat, bool runningProgram, int chatValue, std::int64_t statusTime);

    // --- account details
    std::string DetailEmail() const { return Get(&SUserData::detailEmail); }
    void SetDetailEmail(std::string v) { Set(&SUserData::detailEmail, std::move(v)); }
    std::string DetailName() const { return Get(&SUserData::detailName); }
    void SetDetailName(std::string v) { Set(&SUserData::detailName, std::move(v)); }
    std::string DetailSurname() const { return Get(&SUserData::detailSurname); }
    void SetDetailSurname(std::string v) { Set(&SUserData::detailSurname, std::move(v)); }
    std::string Url() const { return Get(&SUserData::url); }
    void SetUrl(std::string v) { Set(&SUserData::url, std::move(v)); }
    std::string Street() const { return Get(&SUserData::street); }
    void SetStreet(std::string v) { Set(&SUserData::street, std::move(v)); }
    std::string City() const { return Get(&SUserData::city); }
    void SetCity(std::string v) { Set(&SUserData::city, std::move(v)); }
    std::string Phone() const { return Get(&SUserData::phone); }
    void SetPhone(std::string v) { Set(&SUserData::phone, std::move(v)); }
    std::string CellPhone() const { return Get(&SUserData::cellPhone); }
    // A non-empty number also marks the user as having a remote cell phone.
    void SetCellPhone(std::string v);
    int Born() const { return Get(&SUserData::born); }
    void SetBorn(int v) { Set(&SUserData::born, v); }
    int Sex() const { return Get(&SUserData::sex); }
    void SetSex(int v) { Set(&SUserData::sex, v); }
    int CitySize() const { return Get(&SUserData::citySize); }
    void SetCitySize(int v) { Set(&SUserData::citySize, v); }
    int Education() const { return Get(&SUserData::education); }
    void SetEducation(int v) { Set(&SUserData::education, v); }
    int Job() const { return Get(&SUserData::job); }
    void SetJob(int v) { Set(&SUserData::job, v); }
    int Country() const { return Get(&SUserData::country); }
    void SetCountry(int v) { Set(&SUserData::country, v); }
    bool RestrictEmail() const { return Get(&SUserData::restrictEmail); }
    void SetRestrictEmail(bool v) { Set(&SUserData::restrictEmail, v); }
    void SetRestrictName(bool v) { Set(&SUserData::restrictName, v); }
    bool RestrictSurname() const { return Get(&SUserData::restrictSurname); }
    void SetRestrictSurname(bool v) { Set(&SUserData::restrictSurname, v); }
    std::vector<int> Languages() const { return Get(&SUserData::languages); }
    void SetLanguages(std::vector<int> v) { Set(&SUserData::languages, std::move(v)); }
    std::vector<int> Interests() const { return Get(&SUserData::interests); }
    void SetInterests(std::vector<int> v) { Set(&SUserData::interests, std::move(v)); }
    bool HasLanguage(int index) const;
    int FirstLanguage() const;
    int FirstInterest() const;
    void SetSingleLanguage(int index) { SetLanguages({index}); }
    void SetSingleInterest(int index) { SetInterests({index}); }

    // --- local user data
    bool SavePassword() const { return Get(&SUserData::savePassword); }
    void SetSavePassword(bool v) { Set(&SUserData::savePassword, v); }
    bool HasPassword() const { return Get(&SUserData::passwordHeld); }
    std::string Password() const { return Get(&SUserData::password); }
    // Also marks the record as holding a password.
    void SetPassword(std::string password);
    void ClearPassword();
    std::string LocalCellPhone() const { return Get(&SUserData::localCellPhone); }
    void SetLocalCellPhone(std::string v) { Set(&SUserData::localCellPhone, std::move(v)); }
    std::string Display() const { return Get(&SUserData::display); }
    void SetDisplay(std::string v) { Set(&SUserData::display, std::move(v)); }
    std::string Note() const { return Get(&SUserData::note); }
    void SetNote(std::string v) { Set(&SUserData::note, std::move(v)); }
    void SetAge(std::string v) { Set(&SUserData::age, std::move(v)); }

    // The display text when it is not empty, else the nick.
    std::string DisplayName() const;
    bool CanReceiveSms() const;
    // A ten-character number 0PPPNNNNNN splits into the prefix PPP and the number NNNNNN;
    // any other length gives empty texts.
    static std::string CellPrefix(std::string_view number);
    static std::string CellNumber(std::string_view number);

    // --- service operations. Each returns false without sending when its
    // precondition fails; "UI" commands follow the calling thread's mode.
    bool LoadBrief(CRequestEngine& engine);     // CMD_GET_USER
    bool LoadDetails(CRequestEngine& engine);   // CMD_GET_USER_DETAILS
    bool Register(CRequestEngine& engine);      // CMD_REGISTER
    bool UpdateAccount(CRequestEngine& engine); // CMD_UPDATE_USER
    bool ChangePassword(CRequestEngine& engine,
                        const std::string& newPassword); // CMD_CHANGE_PASSWORD
    bool FindByNickEmail(CRequestEngine& engine, const std::string& nick,
                         const std::string& email); // CMD_FIND_USER
    bool Identify(CRequestEngine& engine, const std::string& nick, const std::string& email,
                  const std::string& password);  // CMD_IDENTIFY
    bool LoginAs(CRequestEngine& engine);        // CMD_LOGIN, the quiet login attempt
    bool LogoutAs(CRequestEngine& engine);       // CMD_LOGOUT
    bool AddAsFriend(CRequestEngine& engine);    // CMD_ADD_FRIEND
    bool RemoveAsFriend(CRequestEngine& engine); // CMD_REMOVE_FRIEND
    bool SendMessage(CRequestEngine& engine, const std::string& text); // CMD_SEND_MESSAGE
    bool SendSms(CRequestEngine& engine, const std::string& text);     // CMD_SEND_SMS
    // CMD_GET_STATUS, always inline; the time of the answer comes from the clock.
    bool RefreshStatus(CRequestEngine& engine, const IClock& clock);
    // Puts this user on a channel: CMD_JOIN_CHANNEL when already chatting,
    // otherwise the chat page is written and opened.
    bool JoinChannel(CRequestEngine& engine, const IClock& clock, CChannelList& channels,
                     IDesktopShell& shell, int channelId);
    // CMD_SET_NOTIFY with method 3 / 2; sent only when the flag changes.
    bool SetOnEnterSms(CRequestEngine& engine, bool on);
    bool SetOnEnterEmail(CRequestEngine& engine, bool on);

private:
    template <class T> T Get(T SUserData::*field) const {
        std::lock_guard lock(m_mutex);
        return m_d.*field;
    }
    template <class T, class V> void Set(T SUserData::*field, V&& value) {
        std::lock_guard lock(m_mutex);
        m_d.*field = std::forward<V>(value);
    }
    bool SetNotify(CRequestEngine& engine, bool SUserData::*flag, int method, bool on);

    mutable std::mutex m_mutex;
    SUserData m_d;
};

} // namespace murmex
