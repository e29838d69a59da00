#include "shell/password_prompt.h"

#include "shell/password_dialog.h"
#include "ui/local_text.h"

#include <optional>

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

std::optional<QString> CQtPasswordPrompt::Ask() {
    // Asked on the UI thread after shutdown began: no question any more.
    QString typed;
    if (m_calls.IsStopped() || !m_asker || !m_asker(m_owner.data(), typed))
        return std::nullopt;
    return typed;
}

bool CQtPasswordPrompt::AskPassword(int /*qid*/, std::string& password) {
    // From the login's thread the question waits on the UI thread, until
    // shutdown answers "cancelled" for it.
    const std::optional<std::optional<QString>> answer =
        m_calls.Call<std::optional<QString>>([this] { return Ask(); });
    if (!answer || !*answer)
        return false;
    password = ToLocal(**answer);
    return true;
}

} // namespace murmex
