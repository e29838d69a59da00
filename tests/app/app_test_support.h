#pragma once

#include "support/modal_answer.h"
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
