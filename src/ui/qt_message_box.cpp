#include "ui/qt_message_box.h"

#include "ui/local_text.h"
#include "ui/message_dialog.h"

#include <QThread>

namespace murmex {

CQtMessageBox::CQtMessageBox(QObject* parent)
    : QObject(parent), m_presenter(&CMessageDialog::Show) {}

CQtMessageBox::~CQtMessageBox() {
    StopForShutdown();
}

void CQtMessageBox::ShowMessage(std::string_view textUtf8) {
    const QString text = FromUtf8(textUtf8);
    // On the UI thread the box is shown even during shutdown: nobody waits.
    if (QThread::currentThread() == thread()) {
        Present(text);
        return;
    }
    m_calls.RunAndWait([this, text] { Present(text); });
}

void CQtMessageBox::Present(const QString& text) {
    if (m_presenter)
        m_presenter(m_owner.data(), text);
}

} // namespace murmex
