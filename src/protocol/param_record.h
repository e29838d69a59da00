#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace murmex {

// An ordered list of name/value text pairs: the arguments and results of every
// service command and the form of every record line in murmex.cfg.
//
// Text form: each entry is written as  name="value"  followed by one blank.
// A value that holds a line feed or a tilde is encoded byte by byte: LF -> "~",
// "~" -> "\~", CR dropped; other values are written unchanged.
//
// Two things the plain form cannot carry are handled by the writer so that a
// record always reads back entry for entry and never swallows the next entry:
//  * A double quote inside a value is written as \" ; the reader turns \" back
//    into a plain quote (and a backslash before it is kept: a\"b -> a\\"b).
//  * A backslash cannot stand directly before the closing quote or before an
//    encoded line break (the reader would take it as an escape). Such
//    backslashes are not written; they are the only bytes a value can lose.
// Names are written as given; the program's names never hold blanks, '=' or '"'.
//
// The reader assembles names and values of at most kMaxField bytes (a line break
// decoded from "~" counts as two); longer ones are cut to that length.
class CParamRecord {
public:
    static constexpr std::size_t kMaxField = 1023;

    using Entry = std::pair<std::string, std::string>;

    void AddText(std::string_view name, std::string_view value);
    void AddInt(std::string_view name, int value);
    void AddIntList(std::string_view name, const std::vector<int>& values);

    bool Has(std::string_view name) const;
    // The first entry's value; for a missing name the internal-error hook is
    // told the name and an empty value is returned.
    const std::string& Get(std::string_view name) const;
    // Get() converted as C's atoi would: leading blanks, sign, digits.
    int GetInt(std::string_view name) const;
    // Appends the comma-separated numbers of the value; the list is not emptied.
    void GetIntList(std::string_view name, std::vector<int>& values) const;

    void Clear() { m_entries.clear(); }
    bool Empty() const { return m_entries.empty(); }
    std::size_t Size() const { return m_entries.size(); }
    const std::vector<Entry>& Entries() const { return m_entries; }

    std::string Serialize() const;
    // Reads entries from text[start..] and appends them. Start 0 begins with a
    // name (a stored line); any other start begins between entries (a response
    // read from the blank after its code).
    void Parse(std::string_view text, std::size_t start = 0);

    // The decimal conversion used for every integer read from a record.
    static int ToInt(std::string_view text);

    // Where "Severe internal error: server didn't return expected value <name>"
    // goes. The GUI installs a message box; the default writes to stderr.
    using MissingEntryHandler = std::function<void(const std::string& message)>;
    static void SetMissingEntryHandler(MissingEntryHandler handler);
    static void ReportMissingEntry(std::string_view name);

private:
    std::vector<Entry> m_entries;
};

} // namespace murmex
