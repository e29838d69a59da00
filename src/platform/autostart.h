#pragma once

#include <string>
#include <string_view>

namespace murmex {

// The entry that starts the program with the user's desktop session: an XDG
// autostart file, $XDG_CONFIG_HOME/autostart/murmex.desktop. The program only
// ever creates it. Whether it runs, and with what, is the user's business from
// then on (the desktop's session settings edit or disable it), so an entry that
// is there is never read back, replaced or deleted.
class CAutostartEntry {
public:
    static constexpr const char* kFileName = "murmex.desktop";
    static constexpr const char* kAutorunSwitch = "/autorun";

    // `folder`: the autostart folder; empty means the user's own (see DefaultFolder).
    explicit CAutostartEntry(std::string folder = {});

    // $XDG_CONFIG_HOME/autostart, or ~/.config/autostart when that variable is
    // unset or not an absolute path; empty when neither can be known.
    static std::string DefaultFolder();

    const std::string& Folder() const { return m_folder; }
    std::string FilePath() const;

    // The folder exists or could be made: entries can be kept here at all.
    bool Open() const;
    // An entry of this name is there, whatever it holds.
    bool Exists() const;
    // Creates the entry that runs `programPath` with the autorun switch. Never
    // replaces a file that is already there. False when it cannot be written
    // (nothing is left behind then) or the path cannot be put on an Exec line.
    bool Create(const std::string& programPath) const;

    // The file's text for a program path; empty when the path holds control
    // characters, which no Exec line can carry.
    static std::string EntryText(std::string_view programPath);
    // One Exec argument, quoted where the desktop entry rules need it.
    static std::string ExecArgument(std::string_view argument);

private:
    std::string m_folder;
};

} // namespace murmex
