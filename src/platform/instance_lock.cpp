#include "platform/instance_lock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace murmex {

CInstanceLock::~CInstanceLock() {
    Release();
}

CInstanceLock::EState CInstanceLock::Acquire(const std::string& folder) {
    Release();
    m_error.clear();
    const std::string path = folder + kFileName;
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        m_error = path + ": " + std::strerror(errno);
        return EState::Failed;
    }
    // flock, not fcntl locks: those belong to the process and vanish when any
    // descriptor of the file is closed, so a second open in this process
    // would neither see nor keep the lock.
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK)
            return EState::HeldElsewhere;
        m_error = path + ": " + std::strerror(error);
        return EState::Failed;
    }
    m_fd = fd;
    return EState::Held;
}

void CInstanceLock::Release() {
    if (m_fd < 0)
        return;
    ::close(m_fd); // closing the only descriptor drops the lock
    m_fd = -1;
}

} // namespace murmex
