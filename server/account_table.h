#pragma once

#include "server/store_result.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace murmex {

class CDatabase;

// A member's account as the database keeps it; texts are UTF-8.
struct SAccount {
    int qid = 0;
    std::string nick, email, name, surname, url, street, city;
    std::int64_t born = 0;
    int sex = 0, citysize = 0, education = 0, job = 0, country = 0;
    std::string phone, cellphone;
    bool restrictEmail = false, restrictName = false, restrictSurname = false;
    std::vector<int> languages, interests;
    int activeWww = 0; // the channel of the member's web chat, 0 when none
};

// The members. A nick and e-mail pair names at most one account (compared
// without regard to ASCII case, as people type them either way).
class CAccountTable {
public:
    // Service QIDs stay below this; the client makes the ones above for its own contacts.
    static constexpr std::int64_t kQidLimit = 1000000000;

    explicit CAccountTable(CDatabase& db) : m_db(db) {}

    // Sets account.qid on success; Exists when the nick and e-mail are taken.
    EStore Create(SAccount& account, const std::string& passwordHash, std::int64_t now);
    // Rewrites every field but the QID, the password and the web chat.
    EStore Update(const SAccount& account);
    EStore Load(int qid, SAccount& account);
    EStore Exists(int qid);
    // NotFound when no account has this nick and e-mail.
    EStore FindByNickEmail(std::string_view nick, std::string_view email, int& qid);

    EStore PasswordHash(int qid, std::string& hash);
    EStore SetPasswordHash(int qid, const std::string& hash);

    EStore SetActiveWww(int qid, int channel);

private:
    CDatabase& m_db;
};

// "1,5,7" <-> {1, 5, 7}, the form lists have on the wire and in the database.
std::string IntListText(const std::vector<int>& values);
std::vector<int> IntListFromText(std::string_view text);

} // namespace murmex
