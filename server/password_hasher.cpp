#include "server/password_hasher.h"

#include <sodium.h>

namespace murmex {

bool CPasswordHasher::InitLibrary() {
    return sodium_init() >= 0;
}

bool CPasswordHasher::Hash(std::string_view password, std::string& hash) const {
    const bool fast = m_cost == ECost::Fast;
    char out[crypto_pwhash_STRBYTES];
    const int rc =
        crypto_pwhash_str(out, password.data(), password.size(),
                          fast ? crypto_pwhash_OPSLIMIT_MIN : crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          fast ? crypto_pwhash_MEMLIMIT_MIN : crypto_pwhash_MEMLIMIT_INTERACTIVE);
    if (rc != 0)
        return false;
    hash = out;
    sodium_memzero(out, sizeof out);
    return true;
}

bool CPasswordHasher::Verify(const std::string& hash, std::string_view password) const {
    // An empty or foreign string never verifies (and never crashes libsodium).
    if (hash.empty() || hash.size() >= crypto_pwhash_STRBYTES)
        return false;
    return crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size()) == 0;
}

} // namespace murmex
