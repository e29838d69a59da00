#include "shell/single_instance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <cstdint>
#include <unistd.h>

namespace murmex {
namespace {

const QByteArray kRequest = "show\n";
const QByteArray kAnswer = "ok\n";

} // namespace

CSingleInstance::CSingleInstance(QObject* parent) : QObject(parent) {}

CSingleInstance::~CSingleInstance() = default;

QString CSingleInstance::ServerName(const std::string& dataFolder) {
    // FNV-1a keeps the name short and stable across runs, which std::hash
    // does not promise.
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : dataFolder) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return QStringLiteral("murmex-%1-%2")
        .arg(static_cast<qulonglong>(::getuid()))
        .arg(static_cast<qulonglong>(hash), 16, 16, QLatin1Char('0'));
}

bool CSingleInstance::Listen(const std::string& dataFolder, std::function<void()> onActivate) {
    m_onActivate = std::move(onActivate);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    const QString name = ServerName(dataFolder);
    // The caller holds the folder's lock, so a socket of that name can only be
    // left over from a program that died.
    QLocalServer::removeServer(name);
    if (!m_server->listen(name))
        return false;
    connect(m_server, &QLocalServer::newConnection, this, &CSingleInstance::OnConnection);
    return true;
}

void CSingleInstance::OnConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            // Anything but the one request is ignored: the socket is the user's
            // own, but nothing else should poke the program through it.
            if (socket->bytesAvailable() < kRequest.size())
                return;
            if (socket->read(kRequest.size()) == kRequest) {
                socket->write(kAnswer);
                socket->flush();
                if (m_onActivate)
                    m_onActivate();
            }
            socket->disconnectFromServer();
        });
    }
}

bool CSingleInstance::ActivateRunning(const std::string& dataFolder, int waitMs) {
    QLocalSocket socket;
    socket.connectToServer(ServerName(dataFolder));
    if (!socket.waitForConnected(waitMs))
        return false;
    socket.write(kRequest);
    if (!socket.waitForBytesWritten(waitMs))
        return false;
    while (socket.bytesAvailable() < kAnswer.size())
        if (!socket.waitForReadyRead(waitMs))
            return false;
    return socket.read(kAnswer.size()) == kAnswer;
}

} // namespace murmex
