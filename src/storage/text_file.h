#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace murmex {

// Whole-file reads and atomic rewrites of the program's CR LF text files.

// Splits the file into lines: a line ends at LF, and a CR right before the LF
// is not part of it. False when the file cannot be opened.
bool ReadTextLines(const std::string& path, std::vector<std::string>& lines);
// The whole file as it is on disk; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& all);
// The lines of a text as ReadTextLines splits them, pointing into `all`.
void SplitTextLines(std::string_view all, std::vector<std::string_view>& lines);

// Writes every line followed by CR LF into a temporary file beside the target,
// flushes it to disk and renames it over the target, so a failure at any point
// leaves the old file whole. The temporary file has a name of its own (process
// and sequence number), so two writers in one folder never share one. Files
// that may hold passwords are 0600; others get the default mode (umask) when
// new and keep their mode when they exist.
// False (and the old file untouched) when anything fails.
bool RewriteTextFile(const std::string& path, const std::vector<std::string>& lines);

// Flushes the directory entry of the path (a rename or a new file) to disk.
bool SyncDirectoryOf(const std::string& path);

// Copies a file byte for byte (atomically, through RewriteTextFile's
// temporary-and-rename; the copy is 0600). False when either side fails.
bool CopyTextFile(const std::string& from, const std::string& to);

// True for the files that hold passwords (murmex.cfg, chat.html).
bool IsPrivateFile(const std::string& path);

} // namespace murmex
