#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>

class QLocalServer;

namespace murmex {

// The second start of the program on a data folder hands over to the first:
// it asks the running one, over a local socket named after the folder, to
// bring its main bar forward, and then ends. The instance lock decides who is
// first; this only carries the request.
class CSingleInstance : public QObject {
    Q_OBJECT

public:
    explicit CSingleInstance(QObject* parent = nullptr);
    ~CSingleInstance() override;

    // The socket name of a data folder: the same folder gives the same name for
    // the same user, another folder or user another name.
    static QString ServerName(const std::string& dataFolder);

    // The running program: every request that arrives calls onActivate on the
    // UI thread. False when the socket cannot be made.
    bool Listen(const std::string& dataFolder, std::function<void()> onActivate);

    // A later start: true once the running program has taken the request.
    static bool ActivateRunning(const std::string& dataFolder, int waitMs = 3000);

private:
    void OnConnection();

    QLocalServer* m_server = nullptr;
    std::function<void()> m_onActivate;
};

} // namespace murmex
