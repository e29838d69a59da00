#include "platform/instance_lock.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace murmex {
namespace {

TEST(InstanceLock, OneHolderPerFolderUntilItLetsGo) {
    test::CTempDataDir a;
    test::CTempDataDir b;
    CInstanceLock first;
    ASSERT_EQ(first.Acquire(a.Path()), CInstanceLock::EState::Held);

    // Another holder in the same process is refused too: the lock belongs to
    // the open file, not to the process.
    CInstanceLock second;
    EXPECT_EQ(second.Acquire(a.Path()), CInstanceLock::EState::HeldElsewhere);
    EXPECT_FALSE(second.IsHeld());
    // Another folder is another lock.
    EXPECT_EQ(second.Acquire(b.Path()), CInstanceLock::EState::Held);

    // A second program (a child process) sees the folder taken.
    const pid_t child = ::fork();
    if (child == 0) {
        CInstanceLock other;
        ::_exit(other.Acquire(a.Path()) == CInstanceLock::EState::HeldElsewhere ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    first.Release();
    CInstanceLock third;
    EXPECT_EQ(third.Acquire(a.Path()), CInstanceLock::EState::Held);
}

TEST(InstanceLock, TheLockFileIsPrivateAndAMissingFolderIsAFailureWithItsReason) {
    test::CTempDataDir dir;
    CInstanceLock lock;
    ASSERT_EQ(lock.Acquire(dir.Path()), CInstanceLock::EState::Held);
    struct stat st {};
    ASSERT_EQ(::stat((dir.Path() + CInstanceLock::kFileName).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    CInstanceLock nowhere;
    EXPECT_EQ(nowhere.Acquire(dir.Path() + "missing/"), CInstanceLock::EState::Failed);
    EXPECT_NE(nowhere.ErrorText().find("missing/murmex.lock"), std::string::npos);
}

} // namespace
} // namespace murmex
