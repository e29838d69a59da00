#pragma once

#include "protocol/param_record.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace murmex {

class CConfigFile;

// One pass over one section of a data file: construct, Open, read or write
// lines, Close, throw away. The section's body is every line after the
// "[Name]" header up to the first empty line or the next line starting "[".
//
// Writing collects the lines in memory; Close rewrites the file with every
// other line kept in place, every old copy of the section dropped and the new
// section appended at the end. The rewrite is atomic (temporary file + rename).
// Reads and rewrites go through the file's shared image and change journal
// (CConfigFile), so the file is read from disk only when it changed.
// A pass holds its file's process-wide lock from Open to Close, so passes over
// one file from different threads never overlap.
class CConfigStore {
public:
    enum EMode { Write = 1, Read = 2, WriteFile = 3, ReadFile = 4 };

    static constexpr const char* kMainFile = "murmex.cfg";

    CConfigStore() = default;
    ~CConfigStore();
    CConfigStore(const CConfigStore&) = delete;
    CConfigStore& operator=(const CConfigStore&) = delete;

    // The file name matters only for WriteFile/ReadFile (relative to the data
    // directory); the other modes use murmex.cfg. Read returns false when the
    // file cannot be opened; a missing section is an empty one.
    bool Open(std::string_view section, int mode, std::string_view fileName = {});

    bool ReadValue(std::string& name, std::string& value);
    // The next line that is a record (see IsRecordLine); lines that are not
    // are passed over and counted in SkippedLines. False at the end.
    bool ReadRecord(CParamRecord& record);
    // As ReadRecord, but hands over the line itself, for a reader with a
    // parser of its own; the view is valid until the next read or Close.
    bool ReadRecordLine(std::string_view& line);
    std::size_t SkippedLines() const { return m_skipped; }
    bool ReadLine(std::string& line);
    // The next line as it stands, in place; valid until the next read or Close.
    bool ReadLineView(std::string_view& line);
    // What the views of ReadLineView point into when they come from the file
    // as read (null when they do not): holding it keeps them valid past Close.
    std::shared_ptr<const std::string> FileText() const;
    bool AtEnd() const;
    // How many lines of the section are left to read (to size a list).
    std::size_t Remaining() const;

    // Only while opened with Write; otherwise they do nothing.
    void WriteValue(std::string_view name, std::string_view value);
    void WriteInt(std::string_view name, int value);
    void WriteRecord(const CParamRecord& record);
    // A raw line, in any state (this is how WriteFile sections are filled).
    void WriteLine(std::string_view line);

    // While writing murmex.cfg: finishes the current section and starts the
    // next one in the same pass. Close then rewrites the file once, and the
    // file ends up exactly as after one pass per section in the same order.
    void NextSection(std::string_view section);

    // Finishes the pass. For a write, true when the file was rewritten; false
    // leaves the old file exactly as it was.
    bool Close();

    // Changes one record line of a murmex.cfg section without rewriting the
    // file: appends the record as body line `index` (which must be the
    // section's current line count) or replaces body line `index`. The change
    // is on disk when this returns true; false when it could not be written or
    // does not match the section (then save the section whole).
    static bool JournalRecord(std::string_view section, bool append, std::size_t index,
                              const CParamRecord& record);
    // Folds the change journal into murmex.cfg (at exit); true when none is left.
    static bool CompactMainFile();

    // Value-line encoding used by WriteValue (exposed for the dictionary tests).
    static std::string EncodeValue(std::string_view value);

private:
    enum EState { Closed = 0, WritingMain = 1, Reading = 2, WritingOther = 3 };

    bool Rewrite(const std::string& path);
    void Release();
    // The next line of the section being read; false at its end.
    bool NextLine(std::string_view& line);
    // Finds the section again when the file's image changed under a pass
    // (only this thread can change it while the pass holds the lock).
    void Resync() const;

    struct SSection {
        std::string header;
        std::vector<std::string> lines;
    };

    std::vector<SSection> m_finished; // earlier sections of a multi-section pass
    std::string m_otherFile;
    std::size_t m_cursor = 0;
    std::size_t m_skipped = 0;
    std::vector<std::string> m_lines; // the section being written
    std::string m_header;
    // Reading: lines [m_first, m_end) of the file's shared image, read in
    // place rather than copied (a section can hold fifty thousand messages).
    CConfigFile* m_file = nullptr;
    mutable std::size_t m_first = 0;
    mutable std::size_t m_end = 0;
    mutable std::uint64_t m_generation = 0;
    int m_state = Closed;
    std::unique_lock<std::recursive_mutex> m_fileLock;
};

} // namespace murmex
