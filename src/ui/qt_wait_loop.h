#pragma once

#include "protocol/wait_loop.h"

#include <QObject>
#include <functional>
#include <vector>

class QEventLoop;

namespace murmex {

// Keeps the windows alive while the UI thread waits for a job: a nested event
// loop per wait, left once the job is done. Waits may nest (a window opened
// during one wait starts another); each returns as soon as its own job is done
// and every wait inside it has returned. Wake may be called from any thread.
class CQtWaitLoop final : public QObject, public IWaitLoop {
    Q_OBJECT

public:
    explicit CQtWaitLoop(QObject* parent = nullptr);
    ~CQtWaitLoop() override;

    // Call on the thread the object lives on (the UI thread).
    void RunUntilDone(const std::function<bool()>& done) override;
    void Wake() override;

    int Depth() const { return static_cast<int>(m_waits.size()); }

private:
    void CheckWaits();

    struct SWait {
        const std::function<bool()>* done;
        QEventLoop* loop;
    };
    std::vector<SWait> m_waits; // outermost first; touched on the UI thread only
};

} // namespace murmex
