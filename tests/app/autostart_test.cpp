// The autostart entry and the program path it runs: what is written, where,
// and what is never touched.
#include "app/app_test_support.h"
#include "platform/autostart.h"
#include "platform/program_path.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace murmex {
namespace {

std::string ExecLine(const std::string& text) {
    const auto start = text.find("\nExec=");
    if (start == std::string::npos)
        return {};
    const auto end = text.find('\n', start + 1);
    return text.substr(start + 6, end - start - 6);
}

TEST(AutostartEntry, MakesItsFolderAndWritesAnEntryThatRunsTheProgramHidden) {
    test::CTempDataDir dir;
    const std::string folder = dir.File("config/autostart");
    CAutostartEntry entry(folder);
    EXPECT_FALSE(entry.Exists());
    ASSERT_TRUE(entry.Open());
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    ASSERT_TRUE(entry.Create("/opt/murmex/bin/murmex"));
    EXPECT_TRUE(entry.Exists());

    const std::string text = dir.ReadFile("config/autostart/murmex.desktop");
    EXPECT_EQ(text.rfind("[Desktop Entry]\n", 0), 0u);
    EXPECT_NE(text.find("\nType=Application\n"), std::string::npos);
    EXPECT_EQ(ExecLine(text), "/opt/murmex/bin/murmex /autorun");
    struct stat st {};
    ASSERT_EQ(::stat(entry.FilePath().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
}

TEST(AutostartEntry, NeverReplacesAnEntryThatIsThere) {
    test::CTempDataDir dir;
    CAutostartEntry entry(dir.File("autostart"));
    ASSERT_TRUE(entry.Open());
    // The user's own edit (disabled in the session settings) stays as it is.
    dir.WriteFile("autostart/murmex.desktop", "[Desktop Entry]\nHidden=true\n");
    EXPECT_TRUE(entry.Exists());
    EXPECT_FALSE(entry.Create("/usr/bin/murmex"));
    EXPECT_EQ(dir.ReadFile("autostart/murmex.desktop"), "[Desktop Entry]\nHidden=true\n");
}

TEST(AutostartEntry, AFolderThatCannotBeMadeDoesNotOpen) {
    test::CTempDataDir dir;
    // A file where the folder's parent should be.
    dir.WriteFile("config", "not a folder");
    CAutostartEntry entry(dir.File("config/autostart"));
    EXPECT_FALSE(entry.Open());
    EXPECT_FALSE(entry.Exists());
    EXPECT_FALSE(entry.Create("/usr/bin/murmex"));

    test::CEnvGuard config("XDG_CONFIG_HOME");
    test::CEnvGuard home("HOME");
    ::unsetenv("XDG_CONFIG_HOME");
    ::unsetenv("HOME");
    EXPECT_EQ(CAutostartEntry::DefaultFolder(), "");
    EXPECT_FALSE(CAutostartEntry().Open());
}

TEST(AutostartEntry, DefaultFolderFollowsTheConfigHome) {
    test::CEnvGuard config("XDG_CONFIG_HOME");
    test::CEnvGuard home("HOME");
    ::setenv("HOME", "/home/ala", 1);
    ::setenv("XDG_CONFIG_HOME", "/home/ala/.cfg", 1);
    EXPECT_EQ(CAutostartEntry::DefaultFolder(), "/home/ala/.cfg/autostart");
    // A relative value is not a config home; the standard place applies.
    ::setenv("XDG_CONFIG_HOME", "cfg", 1);
    EXPECT_EQ(CAutostartEntry::DefaultFolder(), "/home/ala/.config/autostart");
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(CAutostartEntry().FilePath(), "/home/ala/.config/autostart/murmex.desktop");
}

TEST(AutostartEntry, ExecLineCarriesAnyPathTheSessionCanRun) {
    // Blanks, quotes, dollars and backslashes are quoted and escaped; a
    // percent sign is doubled so that it is not read as a field code.
    EXPECT_EQ(CAutostartEntry::ExecArgument("/usr/bin/murmex"), "/usr/bin/murmex");
    EXPECT_EQ(CAutostartEntry::ExecArgument("/opt/my apps/murmex"), "\"/opt/my apps/murmex\"");
    EXPECT_EQ(CAutostartEntry::ExecArgument("/opt/a$b/m\"x"), "\"/opt/a\\$b/m\\\"x\"");
    EXPECT_EQ(CAutostartEntry::ExecArgument("/opt/100%/murmex"), "/opt/100%%/murmex");
    // In the file a backslash is escaped once more, as every string value's is.
    EXPECT_EQ(ExecLine(CAutostartEntry::EntryText("/opt/a\\b/murmex")),
              "\"/opt/a\\\\\\\\b/murmex\" /autorun");
    EXPECT_EQ(ExecLine(CAutostartEntry::EntryText("/opt/my apps/murmex")),
              "\"/opt/my apps/murmex\" /autorun");
    // A line break would end the Exec line early and inject another key.
    EXPECT_EQ(CAutostartEntry::EntryText("/opt/x\nHidden=true/murmex"), "");
    EXPECT_EQ(CAutostartEntry::EntryText(""), "");
    test::CTempDataDir dir;
    CAutostartEntry entry(dir.File("autostart"));
    ASSERT_TRUE(entry.Open());
    EXPECT_FALSE(entry.Create("/opt/x\tmurmex"));
    EXPECT_FALSE(entry.Exists());
}

TEST(ProgramPath, IsAbsoluteHoweverTheProgramWasStarted) {
    EXPECT_EQ(ProgramPathFromArgv0("/usr/bin/murmex"), "/usr/bin/murmex");
    char cwd[4096];
    ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
    EXPECT_EQ(ProgramPathFromArgv0("./build/murmex"), std::string(cwd) + "/build/murmex");
    EXPECT_EQ(ProgramPathFromArgv0("build/murmex"), std::string(cwd) + "/build/murmex");
    // Found on PATH: the running file itself (this test program here).
    const std::string self = ProgramPathFromArgv0("murmex");
    ASSERT_FALSE(self.empty());
    EXPECT_EQ(self.front(), '/');
    EXPECT_TRUE(std::filesystem::exists(self));
}

} // namespace
} // namespace murmex
