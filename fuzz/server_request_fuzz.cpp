// murmexd's reading of what a client sends: the input is the byte stream of
// one connection, cut into request lines as the server cuts them, each line
// parsed and run by the command handler on a fresh in-memory database that
// holds two members (1 "ala" with password "p1", 2 "bartek" with "p2") and a
// channel (1, "kanal", ala its operator). A line "#" alone is not sent: it
// switches to a second connection, so that two members can work together.
//
// Every answer must be well formed (a code, and entries only with success),
// and nothing a client sends may crash or corrupt the server.

#include "fuzz_support.h"
#include "platform/clock.h"
#include "protocol/param_record.h"
#include "server/command_handler.h"
#include "server/database.h"
#include "server/delivery_claims.h"
#include "server/line_buffer.h"
#include "server/password_hasher.h"
#include "server/presence.h"
#include "server/request_line.h"
#include "server/response_codes.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using namespace murmex;

// Hashing at any real cost would make every REGISTER and LOGIN the whole run.
class CPlainHasher final : public CPasswordHasher {
public:
    bool Hash(std::string_view password, std::string& hash) const override {
        hash = "plain$";
        hash += password;
        return true;
    }
    bool Verify(const std::string& hash, std::string_view password) const override {
        return hash.size() == password.size() + 6 && hash.compare(0, 6, "plain$") == 0 &&
               hash.compare(6, std::string::npos, password) == 0;
    }
};

class CFixedClock final : public IClock {
public:
    std::int64_t WallSeconds() const override { return 1600000000; }
    std::int64_t MonotonicMs() const override { return 0; }
};

// Short enough that the fuzzer meets the over-long line.
constexpr std::size_t kMaxLine = 2048;

void CheckAnswer(const SCommandResult& result) {
    FUZZ_CHECK(result.code >= 1000 && result.code <= 9999);
    if (result.code / 1000 != 2)
        FUZZ_CHECK(result.record.Empty());
    const std::string wire = FormatResponse(result.code, result.record);
    FUZZ_CHECK(wire.size() >= 7 && wire.compare(wire.size() - 2, 2, "\r\n") == 0);
    // Both ends must find exactly one line in it.
    FUZZ_CHECK(wire.find('\n') == wire.size() - 1);
}

SCommandResult Run(CCommandHandler& handler, std::string_view line, SSession& session) {
    SCommandResult result = handler.HandleLine(line, session);
    CheckAnswer(result);
    if (result.deliveredMessage != 0)
        handler.ConfirmDelivery(result.deliveredMessage);
    return result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const CPlainHasher hasher;
    static const CFixedClock clock;
    CPresence presence;
    CDeliveryClaims claims;
    const SServiceShared shared{hasher, presence, claims, clock};

    CDatabase db;
    FUZZ_CHECK(db.Open(":memory:"));
    CCommandHandler handler(db, shared);

    SSession setup;
    FUZZ_CHECK(Run(handler, "1020 nick=\"ala\" email=\"ala@x.pl\" password=\"p1\" ", setup).code ==
               RESP_OK);
    FUZZ_CHECK(Run(handler, "1020 nick=\"bartek\" email=\"b@x.pl\" password=\"p2\" ", setup).code ==
               RESP_OK);
    FUZZ_CHECK(Run(handler, "1030 userid=\"1\" password=\"p1\" ", setup).code == RESP_OK);
    FUZZ_CHECK(Run(handler, "1260 name=\"kanal\" description=\"opis\" ", setup).code == RESP_OK);
    Run(handler, "1031", setup);
    handler.EndSession(setup);

    SSession sessions[2];
    int current = 0;
    CLineBuffer input(kMaxLine);
    input.Append(reinterpret_cast<const char*>(data), size);
    std::string line;
    for (;;) {
        const CLineBuffer::ENext next = input.Next(line);
        if (next == CLineBuffer::ENext::NeedMore)
            break;
        if (next == CLineBuffer::ENext::TooLong) {
            // The server answers 4013 and closes the connection.
            break;
        }
        FUZZ_CHECK(line.size() <= kMaxLine);
        if (line == "#") {
            current = 1 - current;
            continue;
        }
        Run(handler, line, sessions[current]);
    }
    handler.EndSession(sessions[0]);
    handler.EndSession(sessions[1]);
    return 0;
}
