#pragma once

#include <QObject>
#include <initializer_list>

class QSocketNotifier;

namespace murmex {

// Turns SIGTERM and SIGINT into a Qt signal on the UI thread, so that a logout
// of the desktop session or a Ctrl+C ends the program the orderly way instead
// of killing it between a fetched message and its save. The handler itself only
// writes the signal's number to a pipe. One watcher per process.
class CUnixSignalWatcher : public QObject {
    Q_OBJECT

public:
    explicit CUnixSignalWatcher(std::initializer_list<int> numbers, QObject* parent = nullptr);
    ~CUnixSignalWatcher() override;
    CUnixSignalWatcher(const CUnixSignalWatcher&) = delete;
    CUnixSignalWatcher& operator=(const CUnixSignalWatcher&) = delete;

signals:
    void Received(int signalNumber);

private:
    void Drain();

    QSocketNotifier* m_notifier = nullptr;
    int m_signals[4] = {};
    int m_count = 0;
};

} // namespace murmex
