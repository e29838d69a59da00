#pragma once

#include "support/wait_for.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <functional>
#include <string>

namespace murmex::test {

// Answers every modal dialog of type T that comes up while it lives: `answer`
// runs on the dialog inside its own exec(), as a user's click would.
template <class T> class CModalAnswer {
public:
    explicit CModalAnswer(std::function<void(T*)> answer) : m_answer(std::move(answer)) {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Check(); });
        m_timer.start();
    }
    int Count() const { return m_count; }

private:
    void Check() {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        // One answer per dialog: the next tick may still see it closing. A
        // guarded pointer, since the next dialog may take the same address.
        if (!dialog || dialog == m_last.data())
            return;
        m_last = dialog;
        ++m_count;
        m_answer(dialog);
    }

    std::function<void(T*)> m_answer;
    QTimer m_timer;
    QPointer<QWidget> m_last;
    int m_count = 0;
};

// Restores an environment variable the test changes.
class CEnvGuard {
public:
    explicit CEnvGuard(const char* name) : m_name(name) {
        if (const char* value = std::getenv(name)) {
            m_old = value;
            m_had = true;
        }
    }
    ~CEnvGuard() {
        if (m_had)
            ::setenv(m_name, m_old.c_str(), 1);
        else
            ::unsetenv(m_name);
    }
    CEnvGuard(const CEnvGuard&) = delete;
    CEnvGuard& operator=(const CEnvGuard&) = delete;

private:
    const char* m_name;
    std::string m_old;
    bool m_had = false;
};

} // namespace murmex::test
