#pragma once

#include "ports/ui_interfaces.h"
#include "ui/ui_thread.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace murmex {

// The message box for the core: shows CMessageDialog on the UI thread. A call
// from a worker thread is handed to the UI thread and waits until the user has
// closed the box, as a call on the UI thread does.
class CQtMessageBox final : public QObject, public IMessageBox {
    Q_OBJECT

public:
    // How a box is shown; tests replace it.
    using Presenter = std::function<void(QWidget* owner, const QString& text)>;

    // Create on the UI thread; boxes are shown on the thread the object lives on.
    explicit CQtMessageBox(QObject* parent = nullptr);
    ~CQtMessageBox() override;

    // The window the boxes belong to (the current top window). UI thread only.
    void SetOwner(QWidget* owner) { m_owner = owner; }
    void SetPresenter(Presenter presenter) { m_presenter = std::move(presenter); }

    void ShowMessage(std::string_view textUtf8) override;

    // From now on no box is shown for other threads, and those waiting for
    // one go on at once: the UI thread may be about to join them and would
    // never get round to the box. Threads must be joined before the object goes.
    void StopForShutdown() { m_calls.StopForShutdown(); }

    // How many other threads are waiting for their box now.
    int Waiting() const { return m_calls.Waiting(); }

private:
    void Present(const QString& text);

    QPointer<QWidget> m_owner;
    Presenter m_presenter;
    CUiThreadCalls m_calls{*this};
};

} // namespace murmex
