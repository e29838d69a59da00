#include "support/temp_dir.h"

#include "platform/paths.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace murmex::test {

CTempDataDir::CTempDataDir() {
    char pattern[] = "/tmp/murmex-test-XXXXXX";
    if (!::mkdtemp(pattern))
        throw std::runtime_error("mkdtemp failed");
    m_path = std::string(pattern) + "/";
    m_previous = CPaths::DataDirectory();
    CPaths::SetDataDirectory(m_path);
}

CTempDataDir::~CTempDataDir() {
    // Later tests must not find the data directory pointing at a removed folder.
    CPaths::SetDataDirectory(m_previous);
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

std::string CTempDataDir::ReadFile(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void CTempDataDir::WriteFile(const std::string& name, const std::string& bytes) const {
    std::ofstream out(File(name), std::ios::binary | std::ios::trunc);
    out << bytes;
}

} // namespace murmex::test
