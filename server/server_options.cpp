#include "server/server_options.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace murmex {

const char* MurmexdUsage() {
    return R"(Usage:
  murmexd [--address A] [--port N] [--database FILE|URI] [--fast-hash]
          [--idle-timeout SECONDS] [--max-connections N] [--workers N]
          [--instance-lease SECONDS]
  murmexd --version | --help
  murmexd admin [--database FILE|URI] COMMAND [OPTIONS]

The Murmex service server. Listens on A:N (default 127.0.0.1:4678) with the
database FILE (SQLite; default murmexd.db in the working folder, created when
missing) or URI (PostgreSQL, postgresql://user@host/dbname or any libpq
connection URI; the tables are created on first start) and runs until SIGINT
or SIGTERM. Several servers may share one PostgreSQL database.

  --fast-hash          hash new passwords at the lowest cost: for tests, demos
                       and benchmarks only, never for real members
  --idle-timeout S     close a connection silent for S seconds (default 300;
                       0 never)
  --max-connections N  refuse connections beyond N (default 4096)
  --workers N          threads for quick commands (default: one per core);
                       each has its own database connection
  --instance-lease S   a server that dies stops counting (its members'
                       presence, the messages it was delivering) S seconds
                       after its last sign of life (default 15)

Admin commands work on the database, also while the server runs:
  create-user --nick N --email E --password P [--name N] [--surname S]
              [--cellphone C] [--fast-hash]          prints the new QID
  send-message --from QID --to QID --text TEXT       queues a message
  web-chat --user QID --channel CID                  puts the member's web
                                                     chat on a channel (0 leaves it)
  add-friend --user QID --friend QID                 as the web site does
  remove-friend --user QID --friend QID
  create-channel --name N [--description D] [--creator QID]   prints the id

  --version            print the version and exit
  --help, -h           print this help and exit

Environment: PGHOST, PGUSER, PGPASSWORD and the other PostgreSQL variables fill
in what a connection URI leaves out.
Files: murmexd.db (the SQLite database); the system service (murmexd.service)
keeps it in /var/lib/murmexd.
Exit status: 0 stopped by a signal or command done, 1 failed, 2 bad command line.
See murmexd(8).
)";
}

bool ParseBoundedInt(const std::string& text, long long low, long long high, long long& value) {
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    const long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || parsed < low || parsed > high)
        return false;
    value = parsed;
    return true;
}

bool ParseServerArgs(const std::vector<std::string>& args, SServerSettings& settings,
                     std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--fast-hash") {
            settings.hashCost = CPasswordHasher::ECost::Fast;
            continue;
        }
        static const char* const kValued[] = {"--address",       "--database",        "--port",
                                              "--idle-timeout",  "--max-connections", "--workers",
                                              "--instance-lease"};
        if (std::find(std::begin(kValued), std::end(kValued), option) == std::end(kValued)) {
            error = "unknown option " + option;
            return false;
        }
        if (i + 1 >= args.size()) {
            error = option + " needs a value";
            return false;
        }
        const std::string& value = args[++i];
        long long number = 0;
        if (option == "--address") {
            settings.address = value;
        } else if (option == "--database") {
            settings.database = value;
        } else if (option == "--port") {
            if (!ParseBoundedInt(value, 0, 65535, number)) {
                error = "--port needs a number from 0 to 65535";
                return false;
            }
            settings.port = static_cast<std::uint16_t>(number);
        } else if (option == "--idle-timeout") {
            if (!ParseBoundedInt(value, 0, 7 * 24 * 3600, number)) {
                error = "--idle-timeout needs a number of seconds";
                return false;
            }
            settings.idleTimeout = std::chrono::seconds(number);
        } else if (option == "--max-connections") {
            if (!ParseBoundedInt(value, 1, 1000000, number)) {
                error = "--max-connections needs a positive number";
                return false;
            }
            settings.maxConnections = static_cast<int>(number);
        } else if (option == "--instance-lease") {
            if (!ParseBoundedInt(value, 1, 3600, number)) {
                error = "--instance-lease needs a number of seconds from 1 to 3600";
                return false;
            }
            settings.instanceLease = std::chrono::seconds(number);
        } else if (option == "--workers") {
            if (!ParseBoundedInt(value, 1, 256, number)) {
                error = "--workers needs a number from 1 to 256";
                return false;
            }
            settings.workers = static_cast<int>(number);
        }
    }
    return true;
}

} // namespace murmex
