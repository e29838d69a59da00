#include "storage/text_file.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace murmex {
namespace {

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

bool IsPrivateFile(const std::string& path) {
    auto base = path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1);
    return base == "murmex.cfg" || base == "chat.html";
}

bool ReadWholeFile(const std::string& path, std::string& all) {
    all.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_size > 0)
        all.reserve(static_cast<std::size_t>(st.st_size) + 1);
    char buffer[1 << 16];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        all.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return true;
}

void SplitTextLines(std::string_view all, std::vector<std::string_view>& lines) {
    std::size_t count = 0;
    for (const char *p = all.data(), *end = p + all.size();
         (p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p))));
         ++p)
        ++count;
    lines.reserve(lines.size() + count + 1);
    const char* p = all.data();
    const char* end = p + all.size();
    while (p < end) {
        const char* lf =
            static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        const char* stop = lf ? lf : end;
        // A line ends at LF, with the CR before it dropped; the last line may lack both.
        const char* last = lf && stop > p && stop[-1] == '\r' ? stop - 1 : stop;
        lines.emplace_back(p, static_cast<std::size_t>(last - p));
        p = lf ? lf + 1 : end;
    }
}

bool ReadTextLines(const std::string& path, std::vector<std::string>& lines) {
    std::string all;
    if (!ReadWholeFile(path, all))
        return false;
    std::vector<std::string_view> views;
    SplitTextLines(all, views);
    lines.reserve(lines.size() + views.size());
    for (std::string_view line : views)
        lines.emplace_back(line);
    return true;
}

namespace {

// A name no other writer in this folder uses at the same time: two programs
// (or two threads) rewriting one file must never write into each other's
// temporary file.
std::string TemporaryName(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, ".tmp.%ld.%u", static_cast<long>(::getpid()),
                  counter.fetch_add(1));
    return path + suffix;
}

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

bool SyncDirectoryOf(const std::string& path) {
    int dir = ::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return false;
    const bool ok = ::fsync(dir) == 0;
    ::close(dir);
    return ok;
}

bool CopyTextFile(const std::string& from, const std::string& to) {
    int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    const std::string temp = TemporaryName(to);
    int out = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (out < 0) {
        ::close(in);
        return false;
    }
    bool ok = true;
    char buffer[1 << 16];
    for (;;) {
        ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            ok = false;
        if (n <= 0)
            break;
        if (!WriteAll(out, buffer, static_cast<std::size_t>(n))) {
            ok = false;
            break;
        }
    }
    ::close(in);
    ok = ok && ::fsync(out) == 0;
    ok = ::close(out) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), to.c_str()) == 0;
    if (!ok)
        ::unlink(temp.c_str());
    return ok;
}

bool RewriteTextFile(const std::string& path, const std::vector<std::string>& lines) {
    // Password files are private whatever the umask says. Every other file is
    // created with the user's default mode (the umask decides), and a file
    // that exists keeps the mode it has.
    const bool privateFile = IsPrivateFile(path);
    struct stat st {};
    const bool existed = ::stat(path.c_str(), &st) == 0;

    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
        temp = TemporaryName(path);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                    privateFile ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;
    if (privateFile)
        ::fchmod(fd, 0600);
    else if (existed)
        ::fchmod(fd, st.st_mode & 07777);

    std::string buffer;
    buffer.reserve(1 << 16);
    bool ok = true;
    for (const auto& line : lines) {
        buffer += line;
        buffer += "\r\n";
        if (buffer.size() >= (1 << 16) - 1024) {
            ok = WriteAll(fd, buffer.data(), buffer.size());
            buffer.clear();
            if (!ok)
                break;
        }
    }
    if (ok)
        ok = WriteAll(fd, buffer.data(), buffer.size());
    // On disk before the rename: the service forgets a message once we have
    // fetched it, so a save that a power cut could undo would lose it.
    if (ok)
        ok = ::fsync(fd) == 0;
    if (::close(fd) != 0)
        ok = false;
    if (ok)
        ok = ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    // The rename itself must survive a power cut too: the change journal
    // beside murmex.cfg names the file it belongs to, and it is emptied next.
    SyncDirectoryOf(path);
    return true;
}

} // namespace murmex
