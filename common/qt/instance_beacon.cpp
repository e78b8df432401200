#include "common/qt/instance_beacon.h"

#include <unistd.h>

#include <QCryptographicHash>
#include <QLocalSocket>

namespace quor::ui {

namespace {

constexpr char kComeForward[] = "come-forward\n";
constexpr int kWaitMs = 2000;

}  // namespace

QString beaconName(const std::filesystem::path& programFolder, const QString& program) {
    std::error_code ec;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(programFolder, ec);
    const QByteArray folder = QByteArray::fromStdString((ec ? programFolder : canonical).string());
    const QByteArray hash =
        QCryptographicHash::hash(folder, QCryptographicHash::Sha256).toHex().left(16);
    return QString("%1-%2-%3").arg(program).arg(::getuid()).arg(QString::fromLatin1(hash));
}

InstanceBeacon::InstanceBeacon(QObject* parent) : QObject(parent) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                while (socket->canReadLine()) {
                    if (socket->readLine() == kComeForward) {
                        emit comeForwardRequested();
                    }
                }
            });
        }
    });
}

bool InstanceBeacon::listen(const QString& name) {
    if (server_.listen(name)) {
        return true;
    }
    QLocalServer::removeServer(name);
    return server_.listen(name);
}

bool askFirstCopyToComeForward(const QString& name) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(kWaitMs)) {
        return false;
    }
    socket.write(kComeForward);
    const bool sent = socket.waitForBytesWritten(kWaitMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) {
        socket.waitForDisconnected(kWaitMs);
    }
    return sent;
}

}  // namespace quor::ui
