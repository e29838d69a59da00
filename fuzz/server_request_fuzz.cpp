// murmexd's reading of what a client sends: the input is the byte stream of
// one connection, cut into request lines as the server cuts them, each line
// parsed and run by the command handler on a fresh database (a scratch file:
// the instance's lease keeps presence and delivery claims in it through a
// connection of its own) that holds two members (1 "ala" with password "p1",
// 2 "bartek" with "p2") and a channel (1, "kanal", ala its operator). A line
// "#" alone is not sent: it switches to a second connection, so that two
// members can work together.
//
// Every answer must be well formed (a code, and entries only with success),
// and nothing a client sends may crash or corrupt the server.

#include "fuzz_support.h"
#include "platform/clock.h"
#include "protocol/param_record.h"
#include "server/command_handler.h"
#include "server/database.h"
#include "server/instance_lease.h"
#include "server/line_buffer.h"
#include "server/password_hasher.h"
#include "server/request_line.h"
#include "server/response_codes.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
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
// Long enough that the lease is never renewed during one input.
constexpr std::chrono::hours kLease{1};

// A database file of its own for each input, gone with its journal files
// when the input is done.
class CScratchDatabase {
public:
    CScratchDatabase() {
        static unsigned counter = 0;
        m_path = fuzz::ScratchFolder() + "server" + std::to_string(++counter) + ".db";
    }
    ~CScratchDatabase() {
        std::error_code ignored;
        for (const char* suffix : {"", "-wal", "-shm"})
            std::filesystem::remove(m_path + suffix, ignored);
    }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

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
    const CScratchDatabase file;
    CDatabase db;
    FUZZ_CHECK(db.Open(file.Path()));
    CInstanceLease lease(file.Path(), kLease);
    std::string error;
    FUZZ_CHECK(lease.Start(error));
    const SServiceShared shared{hasher, lease, clock};
    CCommandHandler handler(db, shared);

    SSession setup;
    setup.connection = 1;
    FUZZ_CHECK(Run(handler, "1020 nick=\"ala\" email=\"ala@x.pl\" password=\"p1\" ", setup).code ==
               RESP_OK);
    FUZZ_CHECK(Run(handler, "1020 nick=\"bartek\" email=\"b@x.pl\" password=\"p2\" ", setup).code ==
               RESP_OK);
    FUZZ_CHECK(Run(handler, "1030 userid=\"1\" password=\"p1\" ", setup).code == RESP_OK);
    FUZZ_CHECK(Run(handler, "1260 name=\"kanal\" description=\"opis\" ", setup).code == RESP_OK);
    Run(handler, "1031", setup);
    handler.EndConnection(setup.connection);

    SSession sessions[2];
    sessions[0].connection = 2;
    sessions[1].connection = 3;
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
    handler.EndConnection(sessions[0].connection);
    handler.EndConnection(sessions[1].connection);
    lease.Stop();
    return 0;
}
