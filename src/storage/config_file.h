#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace murmex {

// One change to one section of a data file, kept in the file's change journal.
struct SJournalEdit {
    enum EKind : char { Append = 'A', Replace = 'R' };
    EKind kind = Append;
    std::string section;   // the name without brackets; no blanks
    std::size_t index = 0; // Append: the new line's position in the body; Replace: the line's
    std::string line;
};

// The in-memory image of one data file, shared by every pass over it, and the
// file's change journal.
//
// Image: the file is read once and split into lines; later passes take their
// section from the image as long as the file (and its journal) is unchanged on
// disk (device, inode, size and modification time). Start-up thus reads
// murmex.cfg once, however many owners take a section of it, and a rewrite no
// longer reads the old file back first.
//
// Journal ("<file>.journal", beside the file): saving a new message or a read
// mark must not rewrite a file of fifty thousand messages, so such a change is
// one line appended to the journal and flushed to disk (fdatasync) before it
// counts as saved. Every reader sees the file with the journal replayed over it;
// every rewrite of the file folds the journal in and removes it, and the journal
// is folded in on its own once it passes kCompactAt bytes and at exit. The file
// itself keeps exactly its old format.
//
// Journal format: a first line "MURMEX-JOURNAL 1 <dev> <inode>" names the file
// it belongs to (a rewrite makes a new inode, so a journal that outlived the
// rewrite that folded it in is recognised as stale and ignored), then one
// entry per line:
//     <A|R> <crc32 of the rest, 8 hex> <index> <section> <line>\n
// Replay stops at the first entry that is cut short (no LF: the program died in
// the middle of writing it) or fails its checksum; the next append first cuts
// the journal back to the last good entry. An append carries the position the
// line takes, so replaying an entry that is already in the file (the program
// died between the rewrite and removing the journal) changes nothing.
//
// Not thread-safe by itself: every call is made holding FileLock(path).
class CConfigFile {
public:
    static constexpr std::size_t kCompactAt = 1 << 20;

    // The process-wide image of this file.
    static CConfigFile& For(const std::string& path);
    // Forgets every image, so the next pass reads from disk as a freshly
    // started program would (tests, tools).
    static void ForgetAll();

    // The file's lines with the journal replayed; nullptr when the file cannot be read.
    // Valid until the image changes (see Generation).
    const std::vector<std::string_view>* Lines();
    // The body of the first copy of the section "[name]"-header: lines [first, end).
    bool FindSection(std::string_view header, std::size_t& first, std::size_t& end);
    // As FindSection, on the image as it is now, without looking at the disk.
    bool FindSectionInImage(std::string_view header, std::size_t& first, std::size_t& end);
    // The image as it is now; valid until it changes (see Generation).
    const std::vector<std::string_view>& Image() const { return m_lines; }
    // The file as read, which the image's lines (all but those the journal or
    // a rewrite brought) point into. It never changes: a reload reads into a
    // new one, so a holder may keep views into it for as long as it likes.
    std::shared_ptr<const std::string> Text() const { return m_text; }
    // Changes whenever the image does (a reload, a journalled change, a
    // rewrite): a reader holding line positions knows when to look them up again.
    std::uint64_t Generation() const { return m_generation; }

    // Rewrites the file atomically with these lines and drops the journal.
    bool Replace(std::vector<std::string> lines);
    // Appends one change to the journal, flushed to disk. False (and nothing
    // changed) when it cannot be written or does not fit the file as it is
    // (the caller then saves the whole section instead).
    bool Journal(const SJournalEdit& edit);
    // Folds the journal into the file; true when there is none left.
    bool Compact();

    std::string JournalPath() const { return m_path + ".journal"; }

private:
    explicit CConfigFile(std::string path) : m_path(std::move(path)) {}

    struct SStamp {
        bool exists = false;
        std::uint64_t dev = 0, ino = 0, size = 0;
        std::int64_t mtimeSec = 0, mtimeNsec = 0;
        bool operator==(const SStamp&) const = default;
    };
    struct SSectionPos {
        std::string header;
        std::size_t first = 0; // first body line
        std::size_t end = 0;   // one past the last body line
    };

    static SStamp StampOf(const std::string& path);
    void Reload();
    void ReplayJournal();
    void IndexSections();
    SSectionPos* Section(std::string_view header);
    bool Apply(const SJournalEdit& edit, bool replaying);
    bool OpenJournalForAppend();
    void CloseJournal();

    std::string m_path;
    bool m_loaded = false;
    std::uint64_t m_generation = 0;
    bool m_racy = false; // changed on disk too recently to trust the stamp
    bool m_readable = false;
    SStamp m_fileStamp;
    SStamp m_journalStamp;
    // The lines point into the file as read (m_text) or, for lines the
    // journal or a rewrite brought, into m_added: fifty thousand lines are
    // not fifty thousand allocations.
    std::string_view Keep(std::string line);
    std::shared_ptr<const std::string> m_text;
    std::deque<std::string> m_added;
    std::vector<std::string_view> m_lines;
    std::vector<SSectionPos> m_sections; // first copy of each header, in file order

    // Journal state: whether the journal on disk belongs to this file, and
    // how many of its bytes hold good entries.
    bool m_journalUsable = false;
    std::uint64_t m_journalGood = 0;
    int m_journalFd = -1;
};

// Parses one journal entry (without its LF); false when it is damaged.
bool ParseJournalEntry(std::string_view text, SJournalEdit& edit);
std::string FormatJournalEntry(const SJournalEdit& edit);

} // namespace murmex
