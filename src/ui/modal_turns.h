#pragma once

#include <QObject>
#include <QPointer>
#include <deque>

class QDialog;
class QWidget;

namespace murmex {

// One modal window at a time. A dialog raised from the background (a worker
// thread's question, a tick of the heartbeat, the start-up sequence) while
// another modal window is up waits its turn: it comes up when the one that is
// up and those that asked before it have closed, first come first served.
// The caller still waits for its answer, in an event loop of its own, so the
// ticks go on. A dialog the user opens from inside the window that is up is
// part of that window's conversation and comes up on top of it at once.
//
// Waiting callers may be nested on the stack in any order: the keeper shows
// each dialog itself, so one buried under a later waiter still comes up in
// its turn (its caller resumes once the later one has its answer too).
//
// Application modality is a property of the process, hence one keeper; UI
// thread only.
class CModalTurns final : public QObject {
    Q_OBJECT

public:
    static CModalTurns& Instance();

    // QDialog::exec, in turn. Every skinned dialog's exec comes here.
    int Exec(QDialog& dialog);

    // Marks the code in its scope as not the user's own doing. Every loop
    // the keeper runs, and the engine's wait loop, is the user's again.
    class CBackground {
    public:
        CBackground() : CBackground(true) {}
        ~CBackground();
        CBackground(const CBackground&) = delete;
        CBackground& operator=(const CBackground&) = delete;

    protected:
        explicit CBackground(bool background);

    private:
        bool m_was;
    };
    class CForeground final : public CBackground {
    public:
        CForeground() : CBackground(false) {}
    };
    bool InBackground() const { return m_background; }

    // A modal window is up (one of ours or any other).
    bool IsBusy() const;
    // Dialogs waiting for their turn now.
    int Waiting() const { return static_cast<int>(m_waiting.size()); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CModalTurns(QObject* parent);
    int WaitForTurn(QDialog& dialog);
    void TakeTurn(QDialog& dialog);
    void ReleaseTurn(const QDialog& dialog);
    void Watch(QWidget* modal);
    void PostDispatch();
    void Dispatch();

    std::deque<QPointer<QDialog>> m_waiting;
    QPointer<QWidget> m_current; // the window holding the turn
    QPointer<QWidget> m_watched; // a modal window opened without the keeper
    bool m_dispatchPosted = false;
    bool m_background = false;
};

} // namespace murmex
