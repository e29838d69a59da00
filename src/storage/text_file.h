#pragma once

#include <string>
#include <vector>

namespace murmex {

// Whole-file reads and atomic rewrites of the program's CR LF text files.

// Splits the file into lines: a line ends at LF, and a CR right before the LF
// is not part of it. False when the file cannot be opened.
bool ReadTextLines(const std::string& path, std::vector<std::string>& lines);

// Writes every line followed by CR LF into a temporary file beside the target,
// flushes it to disk and renames it over the target, so a failure at any point
// leaves the old file whole. Files that may hold passwords are created 0600.
// False (and the old file untouched) when anything fails.
bool RewriteTextFile(const std::string& path, const std::vector<std::string>& lines);

// True for the files that hold passwords (murmex.cfg, chat.html).
bool IsPrivateFile(const std::string& path);

} // namespace murmex
