#pragma once

// What several fuzz targets share: a scratch data folder on a memory-backed
// file system where there is one (every rewrite of a data file is flushed to
// disk, which on a real disk would slow fuzzing to a crawl), and a check that
// stops the run with a message when a property the code promises fails.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <unistd.h>

namespace murmex::fuzz {

// A fresh folder that lives as long as the process; ends with '/'.
inline const std::string& ScratchFolder() {
    static const std::string folder = [] {
        std::error_code error;
        std::string base = std::filesystem::is_directory("/dev/shm", error) ? "/dev/shm" : "/tmp";
        std::string pattern = base + "/murmex-fuzz-XXXXXX";
        if (!::mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        std::string path = pattern + "/";
        // Removed at exit so that repeated corpus runs leave nothing behind.
        static struct SRemover {
            std::string path;
            ~SRemover() {
                std::error_code ignored;
                std::filesystem::remove_all(path, ignored);
            }
        } remover{path};
        return path;
    }();
    return folder;
}

inline void WriteWholeFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::abort();
    }
}

[[noreturn]] inline void Fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: property failed: %s\n", file, line, what);
    std::abort();
}

} // namespace murmex::fuzz

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            ::murmex::fuzz::Fail(#condition, __FILE__, __LINE__);                                  \
    } while (0)
