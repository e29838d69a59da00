#pragma once

#include <string>

namespace murmex {

// One running program per data folder. Two programs on one folder would each
// rewrite murmex.cfg from their own memory and lose what the other stored, so
// the first one holds an advisory lock on a file in the folder for as long as
// it runs; the lock goes with the process, however it ends.
class CInstanceLock {
public:
    enum class EState { Held, HeldElsewhere, Failed };

    CInstanceLock() = default;
    ~CInstanceLock();
    CInstanceLock(const CInstanceLock&) = delete;
    CInstanceLock& operator=(const CInstanceLock&) = delete;

    // Takes the lock of the folder (ending with '/', or empty for the working
    // folder) without waiting. Failed: the lock file cannot be made (the
    // reason is in ErrorText()); the caller decides whether to go on.
    EState Acquire(const std::string& folder);
    void Release();

    bool IsHeld() const { return m_fd >= 0; }
    const std::string& ErrorText() const { return m_error; }

    static constexpr const char* kFileName = "murmex.lock";

private:
    int m_fd = -1;
    std::string m_error;
};

} // namespace murmex
