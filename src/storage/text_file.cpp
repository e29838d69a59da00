#include "storage/text_file.h"

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

bool ReadTextLines(const std::string& path, std::vector<std::string>& lines) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    std::string line;
    char buffer[4096];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        const char* p = buffer;
        const char* end = buffer + n;
        while (p < end) {
            const char* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
            if (!lf) {
                line.append(p, end);
                break;
            }
            line.append(p, lf);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(std::move(line));
            line.clear();
            p = lf + 1;
        }
    }
    ::close(fd);
    if (!line.empty())
        lines.push_back(std::move(line));
    return true;
}

bool RewriteTextFile(const std::string& path, const std::vector<std::string>& lines) {
    mode_t mode = 0644;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0)
        mode = st.st_mode & 07777;
    if (IsPrivateFile(path))
        mode = 0600;

    const std::string temp = path + ".tmp";
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0)
        return false;
    ::fchmod(fd, mode); // the umask must not loosen or tighten what we chose

    std::string buffer;
    buffer.reserve(4096);
    bool ok = true;
    for (const auto& line : lines) {
        buffer += line;
        buffer += "\r\n";
        if (buffer.size() >= 4096) {
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
    if (!ok)
        ::unlink(temp.c_str());
    return ok;
}

} // namespace murmex
