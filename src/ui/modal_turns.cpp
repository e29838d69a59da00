#include "ui/modal_turns.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <algorithm>

namespace murmex {
namespace {

// Leaves the waiting caller's loop once its dialog, shown in its turn, has
// gone away again (answered, hidden or destroyed).
class CAnswerWatch final : public QObject {
public:
    CAnswerWatch(QDialog& dialog, QEventLoop& loop) : m_loop(loop) {
        dialog.installEventFilter(this);
        connect(&dialog, &QObject::destroyed, &loop, &QEventLoop::quit);
    }

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Hide)
            m_loop.quit();
        return false;
    }

private:
    QEventLoop& m_loop;
};

} // namespace

CModalTurns& CModalTurns::Instance() {
    // Goes with the application; a test run may make a new one.
    static QPointer<CModalTurns> instance;
    if (!instance)
        instance = new CModalTurns(QCoreApplication::instance());
    return *instance;
}

CModalTurns::CModalTurns(QObject* parent) : QObject(parent) {}

CModalTurns::CBackground::CBackground(bool background) : m_was(Instance().m_background) {
    Instance().m_background = background;
}

CModalTurns::CBackground::~CBackground() {
    Instance().m_background = m_was;
}

bool CModalTurns::IsBusy() const {
    return m_current || QApplication::activeModalWidget() != nullptr;
}

int CModalTurns::Exec(QDialog& dialog) {
    const bool background = m_background;
    // Whatever happens while this dialog is up is the user's doing.
    CForeground foreground;
    if (background && (IsBusy() || !m_waiting.empty()))
        return WaitForTurn(dialog);
    // Nothing up: the dialog takes the turn. Something up and the user asked:
    // the dialog belongs to the window that is up, which keeps the turn.
    const bool takes = !IsBusy();
    QPointer<QDialog> guard(&dialog);
    if (takes)
        TakeTurn(dialog);
    const int result = dialog.QDialog::exec();
    if (takes && guard)
        ReleaseTurn(dialog);
    return result;
}

int CModalTurns::WaitForTurn(QDialog& dialog) {
    QPointer<QDialog> guard(&dialog);
    // As exec does: a dialog that deletes itself on close must outlive its result.
    const bool deleteOnClose = dialog.testAttribute(Qt::WA_DeleteOnClose);
    dialog.setAttribute(Qt::WA_DeleteOnClose, false);
    const bool wasShowModal = dialog.testAttribute(Qt::WA_ShowModal);
    dialog.setResult(QDialog::Rejected);

    m_waiting.push_back(guard);
    Watch(QApplication::activeModalWidget());
    PostDispatch();
    {
        QEventLoop loop;
        CAnswerWatch watch(dialog, loop);
        loop.exec(QEventLoop::DialogExec);
    }
    if (!guard)
        return QDialog::Rejected;
    // Left early (the application quits): no longer waiting, no longer shown.
    std::erase_if(m_waiting,
                  [&dialog](const QPointer<QDialog>& waiting) { return waiting == &dialog; });
    if (dialog.isVisible())
        dialog.hide();
    ReleaseTurn(dialog);
    dialog.setAttribute(Qt::WA_ShowModal, wasShowModal);
    const int result = dialog.result();
    if (deleteOnClose)
        delete guard.data();
    return result;
}

void CModalTurns::TakeTurn(QDialog& dialog) {
    m_current = &dialog;
    dialog.installEventFilter(this);
    connect(&dialog, &QObject::destroyed, this, &CModalTurns::PostDispatch, Qt::UniqueConnection);
}

void CModalTurns::ReleaseTurn(const QDialog& dialog) {
    if (m_current != &dialog)
        return;
    m_current = nullptr;
    PostDispatch();
}

void CModalTurns::Watch(QWidget* modal) {
    // A modal window opened some other way (a file chooser) ends its turn
    // unannounced: its going is watched for.
    if (!modal || modal == m_current || modal == m_watched)
        return;
    m_watched = modal;
    modal->installEventFilter(this);
    connect(modal, &QObject::destroyed, this, &CModalTurns::PostDispatch, Qt::UniqueConnection);
}

bool CModalTurns::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Hide)
        return false;
    if (watched == m_current.data()) {
        m_current = nullptr;
        PostDispatch();
    } else if (watched == m_watched.data()) {
        m_watched = nullptr;
        PostDispatch();
    }
    return false;
}

void CModalTurns::PostDispatch() {
    if (m_dispatchPosted)
        return;
    m_dispatchPosted = true;
    // Posted: the window that just closed is still unwinding its own handlers.
    QMetaObject::invokeMethod(this, &CModalTurns::Dispatch, Qt::QueuedConnection);
}

void CModalTurns::Dispatch() {
    m_dispatchPosted = false;
    std::erase_if(m_waiting, [](const QPointer<QDialog>& waiting) { return waiting.isNull(); });
    if (m_waiting.empty())
        return;
    if (IsBusy()) {
        Watch(QApplication::activeModalWidget());
        return;
    }
    QDialog& next = *m_waiting.front();
    m_waiting.pop_front();
    TakeTurn(next);
    // Shown as exec shows it; its caller's loop waits for it to go.
    next.setAttribute(Qt::WA_ShowModal, true);
    next.show();
    next.raise();
    next.activateWindow();
}

} // namespace murmex
