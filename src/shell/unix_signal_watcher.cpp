#include "shell/unix_signal_watcher.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <iterator>
#include <unistd.h>

namespace murmex {
namespace {

int g_pipe[2] = {-1, -1};

extern "C" void OnSignal(int signalNumber) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    // A full pipe already holds a request to quit; dropping this one is fine.
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

} // namespace

CUnixSignalWatcher::CUnixSignalWatcher(std::initializer_list<int> numbers, QObject* parent)
    : QObject(parent) {
    if (g_pipe[0] >= 0 || ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &CUnixSignalWatcher::Drain);
    for (int number : numbers) {
        if (m_count == static_cast<int>(std::size(m_signals)))
            break;
        struct sigaction action = {};
        action.sa_handler = OnSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        if (::sigaction(number, &action, nullptr) == 0)
            m_signals[m_count++] = number;
    }
}

CUnixSignalWatcher::~CUnixSignalWatcher() {
    for (int i = 0; i < m_count; ++i)
        std::signal(m_signals[i], SIG_DFL);
    if (g_pipe[0] < 0 || !m_notifier)
        return;
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void CUnixSignalWatcher::Drain() {
    unsigned char byte = 0;
    while (::read(g_pipe[0], &byte, 1) == 1)
        emit Received(byte);
}

} // namespace murmex
