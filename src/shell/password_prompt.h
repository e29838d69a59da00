#pragma once

#include "ports/ui_interfaces.h"
#include "ui/ui_thread.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

namespace murmex {

// The login's password question for the core. The login asks from its own
// thread: the question is handed to the UI thread, and the login thread waits
// there until the user has answered, as if it had asked itself. At shutdown the
// UI thread is about to join the login thread and will not come back to show
// the dialog, so from then on every question, a waiting one too, is answered
// "cancelled".
class CQtPasswordPrompt final : public QObject, public IPasswordPrompt {
    Q_OBJECT

public:
    // Shows the question over `owner`; true with the typed text on OK. Tests replace it.
    using Asker = std::function<bool(QWidget* owner, QString& password)>;

    // Create on the UI thread; the dialog is shown on the thread the object lives on.
    explicit CQtPasswordPrompt(QObject* parent = nullptr);
    ~CQtPasswordPrompt() override;

    void SetOwner(QWidget* owner) { m_owner = owner; }
    void SetAsker(Asker asker) { m_asker = std::move(asker); }

    // The password in Windows-1250, as the core keeps it.
    bool AskPassword(int qid, std::string& password) override;

    void StopForShutdown() { m_calls.StopForShutdown(); }
    // How many other threads are waiting for their answer now.
    int Waiting() const { return m_calls.Waiting(); }

    // The program's own dialog.
    static bool AskWithDialog(QWidget* owner, QString& password);

private:
    // The typed text, or nothing when cancelled.
    std::optional<QString> Ask();

    QPointer<QWidget> m_owner;
    Asker m_asker;
    CUiThreadCalls m_calls{*this};
};

} // namespace murmex
