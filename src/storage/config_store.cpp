#include "storage/config_store.h"

#include "platform/paths.h"
#include "storage/config_file.h"
#include "storage/file_lock.h"
#include "storage/record_line.h"

#include <cstdio>

namespace murmex {

CConfigStore::~CConfigStore() {
    Release();
}

void CConfigStore::Release() {
    if (m_fileLock.owns_lock())
        m_fileLock.unlock();
    m_fileLock = {};
}

bool CConfigStore::Open(std::string_view section, int mode, std::string_view fileName) {
    Release();
    const bool otherFile = mode == WriteFile || mode == ReadFile;
    const std::string path = CPaths::DataFile(otherFile ? fileName : std::string_view(kMainFile));
    m_fileLock = std::unique_lock(FileLock(path));

    m_header = "[";
    m_header += section;
    m_header += "]";
    m_lines.clear();
    m_finished.clear();
    m_cursor = 0;

    if (mode == Write) {
        m_state = WritingMain;
        return true;
    }
    if (mode == WriteFile) {
        m_state = WritingOther;
        m_otherFile = std::string(fileName);
        return true;
    }

    m_state = Reading;
    m_skipped = 0;
    CConfigFile& file = CConfigFile::For(path);
    m_file = &file;
    m_first = m_end = 0;
    const bool readable = file.Lines() != nullptr;
    if (readable)
        file.FindSectionInImage(m_header, m_first, m_end);
    m_generation = file.Generation();
    return readable;
}

void CConfigStore::Resync() const {
    if (!m_file || m_file->Generation() == m_generation)
        return;
    m_first = m_end = 0;
    m_file->FindSectionInImage(m_header, m_first, m_end);
    m_generation = m_file->Generation();
}

std::shared_ptr<const std::string> CConfigStore::FileText() const {
    return m_state == Reading && m_file ? m_file->Text() : nullptr;
}

bool CConfigStore::AtEnd() const {
    return Remaining() == 0;
}

std::size_t CConfigStore::Remaining() const {
    if (m_state != Reading)
        return m_cursor >= m_lines.size() ? 0 : m_lines.size() - m_cursor;
    Resync();
    const std::size_t size = m_end - m_first;
    return m_cursor >= size ? 0 : size - m_cursor;
}

bool CConfigStore::NextLine(std::string_view& line) {
    if (m_state != Reading) {
        if (m_cursor >= m_lines.size())
            return false;
        line = m_lines[m_cursor++];
        return true;
    }
    if (AtEnd())
        return false;
    line = m_file->Image()[m_first + m_cursor++];
    return true;
}

bool CConfigStore::ReadValue(std::string& name, std::string& value) {
    std::string_view line;
    if (!NextLine(line))
        return false;
    auto eq = line.find('=');
    auto open = line.find('"');
    if (eq == std::string::npos || open == std::string::npos)
        return false;
    auto close = line.find('"', open + 1);
    if (close == std::string::npos)
        return false;
    name.assign(line.substr(0, eq));
    value.assign(line.substr(open + 1, close - open - 1));
    return true;
}

bool CConfigStore::ReadRecord(CParamRecord& record) {
    std::string_view line;
    if (!ReadRecordLine(line))
        return false;
    record.Parse(line, 0);
    return true;
}

bool CConfigStore::ReadRecordLine(std::string_view& line) {
    std::string_view next;
    while (NextLine(next)) {
        if (IsRecordLine(next)) {
            line = next;
            return true;
        }
        ++m_skipped;
    }
    return false;
}

bool CConfigStore::ReadLine(std::string& line) {
    std::string_view next;
    if (!NextLine(next))
        return false;
    line.assign(next);
    return true;
}

bool CConfigStore::ReadLineView(std::string_view& line) {
    return NextLine(line);
}

std::string CConfigStore::EncodeValue(std::string_view value) {
    if (value.find('\n') == std::string_view::npos)
        return std::string(value);
    std::string out;
    out.reserve(value.size() + 8);
    for (char c : value) {
        if (c == '\n')
            out += '~';
        else if (c == '~')
            out += "\\~";
        else if (c != '\r')
            out += c;
    }
    return out;
}

void CConfigStore::WriteValue(std::string_view name, std::string_view value) {
    if (m_state != WritingMain)
        return;
    std::string line(name);
    line += "=\"";
    line += EncodeValue(value);
    line += '"';
    m_lines.push_back(std::move(line));
}

void CConfigStore::WriteInt(std::string_view name, int value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d", value);
    WriteValue(name, buf);
}

void CConfigStore::WriteRecord(const CParamRecord& record) {
    if (m_state != WritingMain)
        return;
    m_lines.push_back(record.Serialize());
}

void CConfigStore::WriteLine(std::string_view line) {
    m_lines.emplace_back(line);
    ++m_cursor;
}

void CConfigStore::NextSection(std::string_view section) {
    if (m_state != WritingMain)
        return;
    m_finished.push_back({std::move(m_header), std::move(m_lines)});
    m_header = "[";
    m_header += section;
    m_header += "]";
    m_lines.clear();
}

bool CConfigStore::Close() {
    bool ok = true;
    std::string path;
    if (m_state == WritingOther) {
        path = CPaths::DataFile(m_otherFile);
        m_state = WritingMain;
    } else {
        path = CPaths::DataFile(kMainFile);
    }
    if (m_state == WritingMain) {
        ok = Rewrite(path);
        // The state and lines stay: a second Close writes the same section again.
    } else if (m_state == Reading) {
        m_state = Closed;
        m_lines.clear();
        m_file = nullptr;
        m_first = m_end = 0;
    }
    Release();
    return ok;
}

bool CConfigStore::Rewrite(const std::string& path) {
    // Close may run twice on one object; the second run retakes the lock.
    if (!m_fileLock.owns_lock())
        m_fileLock = std::unique_lock(FileLock(path));

    CConfigFile& file = CConfigFile::For(path);
    std::vector<std::string> old;
    if (const std::vector<std::string_view>* lines = file.Lines())
        old.assign(lines->begin(),
                   lines->end()); // with the journal replayed: the rewrite folds it in

    // Every section of this pass, in order; a section named twice keeps its last body.
    std::vector<const SSection*> sections;
    SSection current{m_header, {}};
    for (const auto& section : m_finished)
        sections.push_back(&section);
    sections.push_back(&current);
    auto written = [&](const std::string& line) {
        for (const auto* section : sections)
            if (section->header == line)
                return true;
        return false;
    };

    std::vector<std::string> out;
    out.reserve(old.size() + m_lines.size() + 1);
    bool dropping = false;
    for (auto& line : old) {
        if (dropping && !line.empty() && line[0] == '[')
            dropping = false;
        if (!dropping && written(line)) {
            dropping = true;
            continue;
        }
        if (!dropping)
            out.push_back(std::move(line));
    }
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const SSection& section = *sections[i];
        bool later = false;
        for (std::size_t j = i + 1; j < sections.size(); ++j)
            later = later || sections[j]->header == section.header;
        if (later)
            continue;
        if (section.header.size() > 2)
            out.push_back(section.header);
        const auto& lines = &section == &current ? m_lines : section.lines;
        out.insert(out.end(), lines.begin(), lines.end());
    }
    return file.Replace(std::move(out));
}

bool CConfigStore::JournalRecord(std::string_view section, bool append, std::size_t index,
                                 const CParamRecord& record) {
    const std::string path = CPaths::DataFile(kMainFile);
    std::lock_guard lock(FileLock(path));
    SJournalEdit edit;
    edit.kind = append ? SJournalEdit::Append : SJournalEdit::Replace;
    edit.section = std::string(section);
    edit.index = index;
    edit.line = record.Serialize();
    return CConfigFile::For(path).Journal(edit);
}

bool CConfigStore::CompactMainFile() {
    const std::string path = CPaths::DataFile(kMainFile);
    std::lock_guard lock(FileLock(path));
    return CConfigFile::For(path).Compact();
}

} // namespace murmex
