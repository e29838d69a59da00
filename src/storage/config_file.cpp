#include "storage/config_file.h"

#include "storage/file_lock.h"
#include "storage/text_file.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <map>
#include <memory>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace murmex {
namespace {

constexpr std::string_view kJournalMagic = "MURMEX-JOURNAL 1";

std::uint32_t Crc32(std::string_view data) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (unsigned char b : data)
        c = table[(c ^ b) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::string JournalHeader(std::uint64_t dev, std::uint64_t ino) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "%.*s %llu %llu\n", static_cast<int>(kJournalMagic.size()),
                  kJournalMagic.data(), static_cast<unsigned long long>(dev),
                  static_cast<unsigned long long>(ino));
    return buf;
}

bool IsBodyEnd(std::string_view line) {
    return line.empty() || line[0] == '[';
}

} // namespace

std::string FormatJournalEntry(const SJournalEdit& edit) {
    std::string payload = std::to_string(edit.index);
    payload += ' ';
    payload += edit.section;
    payload += ' ';
    payload += edit.line;
    char head[16];
    std::snprintf(head, sizeof head, "%c %08x ", static_cast<char>(edit.kind), Crc32(payload));
    std::string entry = head;
    entry += payload;
    entry += '\n';
    return entry;
}

bool ParseJournalEntry(std::string_view text, SJournalEdit& edit) {
    if (text.size() < 11 || (text[0] != 'A' && text[0] != 'R') || text[1] != ' ' || text[10] != ' ')
        return false;
    std::uint32_t crc = 0;
    for (std::size_t i = 2; i < 10; ++i) {
        const char c = text[i];
        int v = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (v < 0)
            return false;
        crc = (crc << 4) | static_cast<std::uint32_t>(v);
    }
    const std::string_view payload = text.substr(11);
    if (Crc32(payload) != crc)
        return false;
    const auto blank1 = payload.find(' ');
    if (blank1 == std::string_view::npos || blank1 == 0 || blank1 > 18)
        return false;
    const auto blank2 = payload.find(' ', blank1 + 1);
    if (blank2 == std::string_view::npos || blank2 == blank1 + 1)
        return false;
    std::size_t index = 0;
    for (std::size_t i = 0; i < blank1; ++i) {
        if (payload[i] < '0' || payload[i] > '9')
            return false;
        index = index * 10 + static_cast<std::size_t>(payload[i] - '0');
    }
    edit.kind = static_cast<SJournalEdit::EKind>(text[0]);
    edit.index = index;
    edit.section = std::string(payload.substr(blank1 + 1, blank2 - blank1 - 1));
    edit.line = std::string(payload.substr(blank2 + 1));
    return true;
}

namespace {
std::mutex g_registryMutex;
std::map<std::string, std::unique_ptr<CConfigFile>>& Registry() {
    static std::map<std::string, std::unique_ptr<CConfigFile>> registry;
    return registry;
}
} // namespace

CConfigFile& CConfigFile::For(const std::string& path) {
    std::lock_guard lock(g_registryMutex);
    auto& slot = Registry()[path];
    if (!slot)
        slot.reset(new CConfigFile(path));
    return *slot;
}

void CConfigFile::ForgetAll() {
    // Passes take the file lock before the registry: never the other way round.
    std::vector<CConfigFile*> files;
    {
        std::lock_guard lock(g_registryMutex);
        for (auto& entry : Registry())
            files.push_back(entry.second.get());
    }
    for (CConfigFile* file : files) {
        std::lock_guard fileLock(FileLock(file->m_path));
        file->CloseJournal();
        file->m_loaded = false;
    }
}

CConfigFile::SStamp CConfigFile::StampOf(const std::string& path) {
    SStamp s;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return s;
    s.exists = true;
    s.dev = st.st_dev;
    s.ino = st.st_ino;
    s.size = static_cast<std::uint64_t>(st.st_size);
    s.mtimeSec = st.st_mtim.tv_sec;
    s.mtimeNsec = st.st_mtim.tv_nsec;
    return s;
}

const std::vector<std::string_view>* CConfigFile::Lines() {
    const SStamp file = StampOf(m_path);
    const SStamp journal = StampOf(JournalPath());
    if (!m_loaded || m_racy || !(file == m_fileStamp) || !(journal == m_journalStamp))
        Reload();
    return m_readable ? &m_lines : nullptr;
}

void CConfigFile::Reload() {
    // File times move in coarse steps (a few milliseconds): a file changed in
    // place within the same step as our read would look unchanged. Such a
    // read is not trusted and the next pass reads the file again.
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    CloseJournal();
    ++m_generation;
    m_lines.clear();
    m_added.clear();
    m_sections.clear();
    m_journalUsable = false;
    m_journalGood = 0;
    m_fileStamp = StampOf(m_path);
    auto text = std::make_shared<std::string>();
    m_readable = ReadWholeFile(m_path, *text);
    if (m_readable) {
        m_text = std::move(text);
        SplitTextLines(*m_text, m_lines);
    } else {
        m_text.reset();
        m_fileStamp = {};
    }
    IndexSections();
    if (m_readable)
        ReplayJournal();
    m_journalStamp = StampOf(JournalPath());
    m_loaded = true;
    auto recent = [&now](const SStamp& s) {
        const std::int64_t ns =
            (now.tv_sec - s.mtimeSec) * 1000000000LL + (now.tv_nsec - s.mtimeNsec);
        return s.exists && ns < 50000000LL;
    };
    m_racy = recent(m_fileStamp) || recent(m_journalStamp);
}

void CConfigFile::ReplayJournal() {
    int fd = ::open(JournalPath().c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    std::string all;
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

    const auto headerEnd = all.find('\n');
    if (headerEnd == std::string::npos)
        return;
    // A journal written for another file (one that a finished rewrite
    // replaced) has nothing left to add.
    if (std::string_view(all).substr(0, headerEnd + 1) !=
        JournalHeader(m_fileStamp.dev, m_fileStamp.ino))
        return;
    m_journalUsable = true;
    std::size_t pos = headerEnd + 1;
    m_journalGood = pos;
    SJournalEdit edit;
    while (pos < all.size()) {
        const auto lf = all.find('\n', pos);
        if (lf == std::string::npos)
            break; // cut short: the program died while writing it
        if (!ParseJournalEntry(std::string_view(all).substr(pos, lf - pos), edit))
            break;
        Apply(edit, true);
        pos = lf + 1;
        m_journalGood = pos;
    }
}

std::string_view CConfigFile::Keep(std::string line) {
    // A deque never moves what it holds when it grows at the end.
    return m_added.emplace_back(std::move(line));
}

void CConfigFile::IndexSections() {
    m_sections.clear();
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const std::string_view line = m_lines[i];
        if (line.empty() || line[0] != '[')
            continue;
        bool seen = false;
        for (const auto& s : m_sections)
            if (s.header == line) {
                seen = true;
                break;
            }
        if (seen)
            continue;
        std::size_t end = i + 1;
        while (end < m_lines.size() && !IsBodyEnd(m_lines[end]))
            ++end;
        m_sections.push_back({std::string(line), i + 1, end});
    }
}

CConfigFile::SSectionPos* CConfigFile::Section(std::string_view header) {
    for (auto& s : m_sections)
        if (s.header == header)
            return &s;
    return nullptr;
}

bool CConfigFile::FindSection(std::string_view header, std::size_t& first, std::size_t& end) {
    if (!Lines())
        return false;
    return FindSectionInImage(header, first, end);
}

bool CConfigFile::FindSectionInImage(std::string_view header, std::size_t& first,
                                     std::size_t& end) {
    const SSectionPos* s = Section(header);
    if (!s)
        return false;
    first = s->first;
    end = s->end;
    return true;
}

bool CConfigFile::Apply(const SJournalEdit& edit, bool replaying) {
    ++m_generation;
    const std::string header = "[" + edit.section + "]";
    SSectionPos* s = Section(header);
    if (edit.kind == SJournalEdit::Replace) {
        if (!s || edit.index >= s->end - s->first)
            return false;
        m_lines[s->first + edit.index] = Keep(edit.line);
        return true;
    }
    if (!s) {
        if (edit.index != 0)
            return false;
        m_lines.push_back(Keep(header));
        m_lines.push_back(Keep(edit.line));
        m_sections.push_back({header, m_lines.size() - 1, m_lines.size()});
        return true;
    }
    const std::size_t size = s->end - s->first;
    if (edit.index < size && replaying)
        return true; // already in the file: folded in by a rewrite the journal outlived
    if (edit.index != size)
        return false;
    const std::size_t at = s->end;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), Keep(edit.line));
    for (auto& other : m_sections) {
        if (other.first > at) {
            ++other.first;
            ++other.end;
        }
    }
    ++s->end;
    return true;
}

void CConfigFile::CloseJournal() {
    if (m_journalFd >= 0)
        ::close(m_journalFd);
    m_journalFd = -1;
}

bool CConfigFile::OpenJournalForAppend() {
    if (m_journalFd >= 0)
        return true;
    const std::string path = JournalPath();
    if (m_journalUsable) {
        m_journalFd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
        if (m_journalFd < 0)
            return false;
        // Entries after a damaged one would never be replayed: cut it off first.
        struct stat st {};
        if (::fstat(m_journalFd, &st) == 0 &&
            static_cast<std::uint64_t>(st.st_size) != m_journalGood) {
            if (::ftruncate(m_journalFd, static_cast<off_t>(m_journalGood)) != 0 ||
                ::fdatasync(m_journalFd) != 0) {
                CloseJournal();
                return false;
            }
        }
        if (::lseek(m_journalFd, 0, SEEK_END) < 0) {
            CloseJournal();
            return false;
        }
        return true;
    }
    // A new journal for the file as it is now. Built beside it under a name
    // of its own and renamed into place, so a journal is never seen without
    // its first line.
    const std::string header = JournalHeader(m_fileStamp.dev, m_fileStamp.ino);
    const std::string temp = path + ".new." + std::to_string(::getpid());
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (!WriteAll(fd, header) || ::fsync(fd) != 0 || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::close(fd);
        ::unlink(temp.c_str());
        return false;
    }
    SyncDirectoryOf(path);
    m_journalFd = fd;
    m_journalUsable = true;
    m_journalGood = header.size();
    return true;
}

bool CConfigFile::Journal(const SJournalEdit& edit) {
    if (!Lines() || !m_fileStamp.exists)
        return false; // no file to add to yet: the caller writes it whole
    if (edit.section.empty() || edit.section.find(' ') != std::string::npos ||
        edit.line.find('\n') != std::string::npos)
        return false;
    // Check that the change fits before anything is written.
    {
        const SSectionPos* s = Section("[" + edit.section + "]");
        const std::size_t size = s ? s->end - s->first : 0;
        // A whole-section save that ran after the change was made already holds it.
        if (edit.kind == SJournalEdit::Append && edit.index < size &&
            m_lines[s->first + edit.index] == edit.line)
            return true;
        if (edit.kind == SJournalEdit::Append ? edit.index != size : edit.index >= size)
            return false;
    }
    if (!OpenJournalForAppend())
        return false;
    const std::string entry = FormatJournalEntry(edit);
    if (!WriteAll(m_journalFd, entry) || ::fdatasync(m_journalFd) != 0) {
        // Take back whatever part of the entry got in.
        if (::ftruncate(m_journalFd, static_cast<off_t>(m_journalGood)) != 0)
            m_journalUsable = false;
        CloseJournal();
        m_loaded = false; // read everything again next time
        return false;
    }
    m_journalGood += entry.size();
    Apply(edit, false);
    m_journalStamp = StampOf(JournalPath());
    m_racy = false; // the file was read under this lock just now, and the entry is ours
    if (m_journalGood > kCompactAt)
        Compact(); // a failure leaves the entries safe in the journal
    return true;
}

bool CConfigFile::Replace(std::vector<std::string> lines) {
    if (!RewriteTextFile(m_path, lines)) {
        m_loaded = false;
        return false;
    }
    CloseJournal();
    // Folded in: the rewrite made a new inode, so even if this unlink is lost
    // the old journal no longer matches the file.
    ::unlink(JournalPath().c_str());
    ++m_generation;
    m_text.reset();
    m_added.clear();
    m_lines.clear();
    m_lines.reserve(lines.size());
    for (std::string& line : lines)
        m_lines.push_back(Keep(std::move(line)));
    m_readable = true;
    m_journalUsable = false;
    m_journalGood = 0;
    IndexSections();
    m_fileStamp = StampOf(m_path);
    m_journalStamp = StampOf(JournalPath());
    m_loaded = true;
    m_racy = false; // what we wrote ourselves is what we hold
    return true;
}

bool CConfigFile::Compact() {
    if (!Lines())
        return !StampOf(JournalPath()).exists;
    if (!m_journalUsable) {
        if (StampOf(JournalPath()).exists) {
            ::unlink(JournalPath().c_str());
            m_journalStamp = StampOf(JournalPath());
        }
        return true;
    }
    std::vector<std::string> lines(m_lines.begin(), m_lines.end());
    return Replace(std::move(lines));
}

} // namespace murmex
