#include "support/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/paths.h"

namespace murmex::test {

CTempDataDir::CTempDataDir() {
    char pattern[] = "/tmp/murmex-test-XXXXXX";
    if (!::mkdtemp(pattern))
        throw std::runtime_error("mkdtemp failed");
    m_path = std::string(pattern) + "/";
    CPaths::SetDataDirectory(m_path);
}

CTempDataDir::~CTempDataDir() {
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
