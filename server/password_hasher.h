#pragma once

#include <string>
#include <string_view>

namespace murmex {

// Salted, deliberately slow password hashes (Argon2id through libsodium's
// crypto_pwhash_str). Plain passwords are never stored or logged.
//
// The interactive cost is what a server should use. The fast cost exists
// only so that tests, demos and benchmarks that create hundreds of accounts
// do not spend minutes hashing; a hash made at either cost verifies at both.
class CPasswordHasher {
public:
    enum class ECost { Interactive, Fast };

    explicit CPasswordHasher(ECost cost = ECost::Interactive) : m_cost(cost) {}
    virtual ~CPasswordHasher() = default;

    // Must succeed once before any hashing; safe to call again.
    static bool InitLibrary();

    // Virtual so that a test can stand in a hasher that takes as long as it likes.
    virtual bool Hash(std::string_view password, std::string& hash) const;
    virtual bool Verify(const std::string& hash, std::string_view password) const;

private:
    ECost m_cost;
};

} // namespace murmex
