#include "ui/qt_message_box.h"

#include "ui/local_text.h"
#include "ui/message_dialog.h"

#include <QThread>
#include <memory>

namespace murmex {

CQtMessageBox::CQtMessageBox(QObject* parent)
    : QObject(parent), m_presenter(&CMessageDialog::Show) {}

CQtMessageBox::~CQtMessageBox() {
    StopForShutdown();
}

void CQtMessageBox::ShowMessage(std::string_view textUtf8) {
    const QString text = FromUtf8(textUtf8);
    if (QThread::currentThread() == thread()) {
        Present(text);
        return;
    }
    // Like a blocking queued call, except that StopForShutdown can release the
    // waiting thread when the UI thread will not come back to its events.
    auto finished = std::make_shared<bool>(false);
    {
        std::lock_guard lock(m_mutex);
        if (m_stopped)
            return;
    }
    QMetaObject::invokeMethod(
        this,
        [this, text, finished] {
            {
                std::lock_guard lock(m_mutex);
                if (m_stopped)
                    return;
            }
            Present(text);
            {
                std::lock_guard lock(m_mutex);
                *finished = true;
            }
            m_shown.notify_all();
        },
        Qt::QueuedConnection);
    ++m_waiting;
    std::unique_lock lock(m_mutex);
    m_shown.wait(lock, [&] { return *finished || m_stopped; });
    --m_waiting;
}

void CQtMessageBox::StopForShutdown() {
    {
        std::lock_guard lock(m_mutex);
        m_stopped = true;
    }
    m_shown.notify_all();
}

void CQtMessageBox::Present(const QString& text) {
    if (m_presenter)
        m_presenter(m_owner.data(), text);
}

} // namespace murmex
