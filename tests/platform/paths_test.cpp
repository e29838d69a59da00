#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

#include "platform/paths.h"
#include "support/temp_dir.h"

namespace murmex {
namespace {

TEST(ProgramDirectory, FromTheCommandLine) {
    EXPECT_EQ(ProgramDirectoryFromCommandLine("/usr/bin/murmex /autorun"), "/usr/bin/");
    EXPECT_EQ(ProgramDirectoryFromCommandLine("\"/opt/my apps/murmex\" /autorun"), "/opt/my apps/");
    EXPECT_EQ(ProgramDirectoryFromCommandLine("murmex"), "");
    EXPECT_EQ(ProgramDirectoryFromCommandLine("./murmex"), "./");
    EXPECT_EQ(ProgramDirectoryFromCommandLine(""), "");
}

// Restores the environment variables a test changes.
class CEnvGuard {
public:
    explicit CEnvGuard(const char* name) : m_name(name) {
        if (const char* v = std::getenv(name))
            m_old = v, m_had = true;
    }
    ~CEnvGuard() {
        if (m_had)
            ::setenv(m_name, m_old.c_str(), 1);
        else
            ::unsetenv(m_name);
    }

private:
    const char* m_name;
    std::string m_old;
    bool m_had = false;
};

TEST(DataDirectory, MurmexHomeWinsAndIsCreated) {
    test::CTempDataDir tmp;
    CEnvGuard home("MURMEX_HOME");
    ::setenv("MURMEX_HOME", (tmp.Path() + "nested/home").c_str(), 1);
    CPaths::Init(tmp.Path() + "bin/murmex");
    EXPECT_EQ(CPaths::DataDirectory(), tmp.Path() + "nested/home/");
    EXPECT_EQ(CPaths::ProgramDirectory(), tmp.Path() + "bin/");
    EXPECT_TRUE(std::filesystem::is_directory(tmp.Path() + "nested/home"));
    EXPECT_EQ(CPaths::DataFile("murmex.cfg"), tmp.Path() + "nested/home/murmex.cfg");
}

TEST(DataDirectory, PortableInstallUsesTheProgramDirectory) {
    test::CTempDataDir tmp;
    CEnvGuard home("MURMEX_HOME");
    ::unsetenv("MURMEX_HOME");
    CPaths::Init(tmp.Path() + "murmex");
    EXPECT_EQ(CPaths::DataDirectory(), tmp.Path());
}

TEST(DataDirectory, ReadOnlyProgramDirectoryFallsBackToXdgData) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write anywhere";
    test::CTempDataDir tmp;
    CEnvGuard home("MURMEX_HOME"), xdg("XDG_DATA_HOME");
    ::unsetenv("MURMEX_HOME");
    ::setenv("XDG_DATA_HOME", (tmp.Path() + "xdg").c_str(), 1);
    std::filesystem::create_directory(tmp.Path() + "ro");
    ::chmod((tmp.Path() + "ro").c_str(), 0555);
    CPaths::Init(tmp.Path() + "ro/murmex");
    EXPECT_EQ(CPaths::DataDirectory(), tmp.Path() + "xdg/murmex/");
    ::chmod((tmp.Path() + "ro").c_str(), 0755);
}

TEST(Resources, DataThenProgramDirectory) {
    test::CTempDataDir tmp;
    CEnvGuard home("MURMEX_HOME");
    std::filesystem::create_directories(tmp.Path() + "data");
    std::filesystem::create_directories(tmp.Path() + "prog");
    ::setenv("MURMEX_HOME", (tmp.Path() + "data").c_str(), 1);
    CPaths::Init(tmp.Path() + "prog/murmex");
    tmp.WriteFile("prog/misc.cfg", "p");
    EXPECT_EQ(CPaths::Resource("misc.cfg"), tmp.Path() + "prog/misc.cfg");
    tmp.WriteFile("data/misc.cfg", "d");
    EXPECT_EQ(CPaths::Resource("misc.cfg"), tmp.Path() + "data/misc.cfg");
    EXPECT_EQ(CPaths::Resource("nowhere.cfg"), tmp.Path() + "data/nowhere.cfg");
}

} // namespace
} // namespace murmex
