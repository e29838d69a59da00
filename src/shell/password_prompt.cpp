#include "shell/password_prompt.h"

#include "shell/password_dialog.h"
#include "ui/local_text.h"

#include <QThread>
#include <memory>

namespace murmex {

CQtPasswordPrompt::CQtPasswordPrompt(QObject* parent)
    : QObject(parent), m_asker(&CQtPasswordPrompt::AskWithDialog) {}

CQtPasswordPrompt::~CQtPasswordPrompt() {
    StopForShutdown();
}

bool CQtPasswordPrompt::AskWithDialog(QWidget* owner, QString& password) {
    // On the heap: the owner may go while the dialog is up and takes it along.
    QPointer<CPasswordDialog> dialog = new CPasswordDialog(owner);
    const bool ok = dialog->exec() == QDialog::Accepted && dialog;
    if (ok)
        password = dialog->Password();
    delete dialog.data();
    return ok;
}

bool CQtPasswordPrompt::Ask(QString& password) {
    {
        std::lock_guard lock(m_mutex);
        if (m_stopped)
            return false;
    }
    return m_asker && m_asker(m_owner.data(), password);
}

bool CQtPasswordPrompt::AskPassword(int /*qid*/, std::string& password) {
    QString typed;
    if (QThread::currentThread() == thread()) {
        if (!Ask(typed))
            return false;
        password = ToLocal(typed);
        return true;
    }

    // A queued call with our own wait rather than a blocking queued one, so
    // that StopForShutdown can let this thread go.
    struct SAnswer {
        bool done = false;
        bool ok = false;
        QString text;
    };
    auto answer = std::make_shared<SAnswer>();
    {
        std::lock_guard lock(m_mutex);
        if (m_stopped)
            return false;
    }
    QMetaObject::invokeMethod(
        this,
        [this, answer] {
            QString text;
            const bool ok = Ask(text);
            {
                std::lock_guard lock(m_mutex);
                answer->ok = ok;
                answer->text = text;
                answer->done = true;
            }
            m_answered.notify_all();
        },
        Qt::QueuedConnection);
    ++m_waiting;
    std::unique_lock lock(m_mutex);
    m_answered.wait(lock, [&] { return answer->done || m_stopped; });
    --m_waiting;
    if (!answer->done || !answer->ok)
        return false;
    password = ToLocal(answer->text);
    return true;
}

void CQtPasswordPrompt::StopForShutdown() {
    {
        std::lock_guard lock(m_mutex);
        m_stopped = true;
    }
    m_answered.notify_all();
}

} // namespace murmex
