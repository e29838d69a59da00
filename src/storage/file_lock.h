#pragma once

#include <mutex>
#include <string>

namespace murmex {

// One process-wide lock per file path. A pass over a file (read a section, or
// read-modify-write it) holds the file's lock for its whole length, so passes
// from different threads never interleave and never lose each other's sections.
// The lock is recursive: a thread may start a nested pass on the same file.
std::recursive_mutex& FileLock(const std::string& path);

} // namespace murmex
