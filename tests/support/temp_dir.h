#pragma once

#include <string>

namespace murmex::test {

// A fresh directory under /tmp, removed with everything in it on destruction.
// Becomes the program's data directory while it lives; the one before is
// restored when it goes.
class CTempDataDir {
public:
    CTempDataDir();
    ~CTempDataDir();
    CTempDataDir(const CTempDataDir&) = delete;
    CTempDataDir& operator=(const CTempDataDir&) = delete;

    const std::string& Path() const { return m_path; } // ends with '/'
    std::string File(const std::string& name) const { return m_path + name; }

    std::string ReadFile(const std::string& name) const;
    void WriteFile(const std::string& name, const std::string& bytes) const;

private:
    std::string m_path;
    std::string m_previous;
};

} // namespace murmex::test
