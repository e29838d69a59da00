#include "platform/paths.h"
#include "support/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

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

// Where the data lands for one program folder, with MURMEX_HOME unset and the
// XDG data folder inside the test's own folder.
class DataFolderChoice : public ::testing::Test {
protected:
    DataFolderChoice() {
        ::unsetenv("MURMEX_HOME");
        ::setenv("XDG_DATA_HOME", (tmp.Path() + "xdg").c_str(), 1);
        std::filesystem::create_directories(tmp.Path() + "prog");
    }
    std::string Chosen() {
        CPaths::Init(tmp.Path() + "prog/murmex");
        return CPaths::DataDirectory();
    }

    test::CTempDataDir tmp;
    CEnvGuard m_home{"MURMEX_HOME"}, m_xdg{"XDG_DATA_HOME"}, m_userHome{"HOME"};
};

TEST_F(DataFolderChoice, AWritableProgramFolderAloneIsNotPortable) {
    // A build tree or a copy under $HOME: writable, yet no place for a user's data.
    EXPECT_EQ(Chosen(), tmp.Path() + "xdg/murmex/");
    EXPECT_TRUE(std::filesystem::is_directory(tmp.Path() + "xdg/murmex"));
    EXPECT_FALSE(std::filesystem::exists(tmp.Path() + "prog/murmex.cfg"));
}

TEST_F(DataFolderChoice, ExistingDataBesideTheProgramKeepsBeingUsed) {
    tmp.WriteFile("prog/murmex.cfg", "[LocalUsers]\n");
    EXPECT_EQ(Chosen(), tmp.Path() + "prog/");
    EXPECT_FALSE(std::filesystem::exists(tmp.Path() + "xdg/murmex")) << "no stray empty folder";
}

TEST_F(DataFolderChoice, APortableMarkerFileMakesAPortableCopy) {
    tmp.WriteFile(std::string("prog/") + CPaths::kPortableMarker, "");
    EXPECT_EQ(Chosen(), tmp.Path() + "prog/");
    // A folder of that name is not the marker a user writes; still, it says the same.
    std::filesystem::remove(tmp.Path() + "prog/portable");
    std::filesystem::create_directory(tmp.Path() + "prog/portable");
    EXPECT_EQ(Chosen(), tmp.Path() + "prog/");
}

TEST_F(DataFolderChoice, MurmexHomeWinsOverAPortableCopy) {
    tmp.WriteFile("prog/murmex.cfg", "");
    ::setenv("MURMEX_HOME", (tmp.Path() + "home").c_str(), 1);
    EXPECT_EQ(Chosen(), tmp.Path() + "home/");
}

TEST_F(DataFolderChoice, WithoutXdgDataHomeTheUsualFolderInHome) {
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("HOME", (tmp.Path() + "user").c_str(), 1);
    EXPECT_EQ(Chosen(), tmp.Path() + "user/.local/share/murmex/");
    // A relative XDG_DATA_HOME is invalid and ignored, not taken from the working folder.
    ::setenv("XDG_DATA_HOME", "relative/data", 1);
    EXPECT_EQ(Chosen(), tmp.Path() + "user/.local/share/murmex/");
}

TEST_F(DataFolderChoice, AReadOnlyProgramFolderWithoutDataUsesXdgData) {
    ::chmod((tmp.Path() + "prog").c_str(), 0555);
    EXPECT_EQ(Chosen(), tmp.Path() + "xdg/murmex/");
    ::chmod((tmp.Path() + "prog").c_str(), 0755);
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
