#include "platform/autostart.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace murmex {
namespace {

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Makes the folder and any missing parents (like mkdir -p).
bool MakeFolder(const std::string& folder) {
    if (folder.empty())
        return false;
    for (std::size_t slash = folder.find('/', 1); slash != std::string::npos;
         slash = folder.find('/', slash + 1)) {
        const std::string parent = folder.substr(0, slash);
        if (::mkdir(parent.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    return IsDirectory(folder);
}

bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

CAutostartEntry::CAutostartEntry(std::string folder)
    : m_folder(folder.empty() ? DefaultFolder() : std::move(folder)) {
    while (m_folder.size() > 1 && m_folder.back() == '/')
        m_folder.pop_back();
}

std::string CAutostartEntry::DefaultFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/')
        return std::string(config) + "/autostart";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + "/.config/autostart";
    return {};
}

std::string CAutostartEntry::FilePath() const {
    return m_folder.empty() ? std::string() : m_folder + "/" + kFileName;
}

bool CAutostartEntry::Open() const {
    return !m_folder.empty() && (IsDirectory(m_folder) || MakeFolder(m_folder));
}

bool CAutostartEntry::Exists() const {
    struct stat st {};
    return !m_folder.empty() && ::lstat(FilePath().c_str(), &st) == 0;
}

bool CAutostartEntry::Create(const std::string& programPath) const {
    const std::string text = EntryText(programPath);
    if (text.empty() || m_folder.empty())
        return false;
    const std::string path = FilePath();
    // O_EXCL: an entry that appeared meanwhile is the user's and stays as it is.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool written = WriteAll(fd, text);
    const bool closed = ::close(fd) == 0;
    if (written && closed)
        return true;
    // A half-written entry would start the program with a broken command line.
    ::unlink(path.c_str());
    return false;
}

std::string CAutostartEntry::ExecArgument(std::string_view argument) {
    // Characters the desktop entry rules reserve: an argument holding one of
    // them is quoted, and inside the quotes " ` $ \ take a backslash.
    static constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
    bool quote = argument.empty();
    std::string inner;
    for (char c : argument) {
        if (kReserved.find(c) != std::string_view::npos)
            quote = true;
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            inner += '\\';
        // A lone % would start a field code.
        if (c == '%')
            inner += '%';
        inner += c;
    }
    if (!quote)
        return inner;
    return "\"" + inner + "\"";
}

std::string CAutostartEntry::EntryText(std::string_view programPath) {
    if (programPath.empty())
        return {};
    for (unsigned char c : programPath)
        if (c < 0x20 || c == 0x7F)
            return {};
    // The Exec value is itself a string value of the file, whose own escape
    // turns every backslash of the quoted argument into two.
    std::string exec;
    for (char c : ExecArgument(programPath)) {
        if (c == '\\')
            exec += '\\';
        exec += c;
    }
    exec += ' ';
    exec += kAutorunSwitch;
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Murmex\n"
           "Comment=Znajomi, wiadomości i kanały serwisu Murmex\n"
           "Exec=" +
           exec +
           "\n"
           "Icon=io.github.murmex.Murmex\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

} // namespace murmex
