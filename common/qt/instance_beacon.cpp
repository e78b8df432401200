#include "common/qt/instance_beacon.h"

#include <unistd.h>

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QPointer>
#include <QTimer>

namespace quor::ui {

namespace {

using handoff::Kind;
using handoff::kMaxHandoffLine;

constexpr char kComeForward[] = "come-forward\n";
constexpr int kWaitMs = 2000;
// A connection that has not sent a whole line by then is dropped, and no
// more than this many are kept at once.
constexpr int kIdleConnectionMs = 10000;
constexpr int kMaxConnections = 8;

constexpr std::string_view kNotUnderstood = "the request was not understood";

void sendLine(QLocalSocket* socket, const std::string& line) {
    if (socket != nullptr && socket->state() == QLocalSocket::ConnectedState) {
        socket->write(line.data(), static_cast<qint64>(line.size()));
        socket->flush();
    }
}

void answerAndClose(QLocalSocket* socket, Kind kind, std::string_view reason) {
    sendLine(socket, handoff::answerLine(kind, reason));
    socket->disconnectFromServer();
}

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
            takeConnection(socket);
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

void InstanceBeacon::takeConnection(QLocalSocket* socket) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    if (connections_ >= kMaxConnections) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    ++connections_;
    connect(socket, &QObject::destroyed, this, [this] { --connections_; });
    // Reading stops when the buffer is full, so a sender without line ends
    // costs no more than one line of memory.
    socket->setReadBufferSize(kMaxHandoffLine);
    auto* idle = new QTimer(socket);
    idle->setObjectName("idleTimer");
    idle->setSingleShot(true);
    connect(idle, &QTimer::timeout, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
    idle->start(kIdleConnectionMs);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readLines(socket); });
    readLines(socket);  // what arrived with the connection
}

void InstanceBeacon::readLines(QLocalSocket* socket) {
    while (socket->canReadLine()) {
        QByteArray line = socket->readLine(kMaxHandoffLine + 1);
        if (line == kComeForward) {
            emit comeForwardRequested();
            continue;
        }
        // One build request per connection; nothing after it is read.
        disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
        if (auto* idle = socket->findChild<QTimer*>("idleTimer")) {
            idle->stop();
        }
        std::optional<handoff::Message> request;
        if (line.endsWith('\n')) {
            line.chop(1);
            request = handoff::parseLine(std::string_view(line.constData(), line.size()));
        }
        if (!request || request->kind != Kind::Build) {
            answerAndClose(socket, Kind::Refused, kNotUnderstood);
            return;
        }
        // The build lets events run: it starts from the event loop, not from
        // inside this read.
        QTimer::singleShot(0, this, [this, guard = QPointer(socket), name = request->text] {
            if (guard) {
                answerBuildRequest(guard, name);
            }
        });
        return;
    }
    if (socket->bytesAvailable() >= static_cast<qint64>(kMaxHandoffLine)) {
        disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
        answerAndClose(socket, Kind::Refused, kNotUnderstood);
    }
}

void InstanceBeacon::answerBuildRequest(QLocalSocket* socket, const std::string& listName) {
    const QPointer<QLocalSocket> guard(socket);
    handoff::Message outcome{Kind::Refused, "this copy does not take builds"};
    if (buildHandler_) {
        outcome = buildHandler_(listName,
                                [&guard] { sendLine(guard, handoff::answerLine(Kind::Accepted)); });
    }
    if (guard) {
        answerAndClose(guard, outcome.kind, outcome.text);
    }
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

namespace {

enum class LineRead { Line, Closed, TimedOut, NotUnderstood };

// Reads one answer before deadline, blocked in the socket between pieces.
LineRead readAnswer(QLocalSocket& socket, const QDeadlineTimer& deadline,
                    std::optional<handoff::Message>& answer) {
    for (;;) {
        if (socket.canReadLine()) {
            QByteArray line = socket.readLine(kMaxHandoffLine + 1);
            if (!line.endsWith('\n')) {
                return LineRead::NotUnderstood;
            }
            line.chop(1);
            answer = handoff::parseLine(std::string_view(line.constData(), line.size()));
            return answer ? LineRead::Line : LineRead::NotUnderstood;
        }
        if (socket.bytesAvailable() >= static_cast<qint64>(kMaxHandoffLine)) {
            return LineRead::NotUnderstood;
        }
        if (socket.state() != QLocalSocket::ConnectedState) {
            return LineRead::Closed;
        }
        if (deadline.hasExpired()) {
            return LineRead::TimedOut;
        }
        if (!socket.waitForReadyRead(static_cast<int>(deadline.remainingTime())) &&
            socket.state() == QLocalSocket::ConnectedState) {
            return LineRead::TimedOut;
        }
    }
}

std::string seconds(std::chrono::milliseconds wait) {
    const auto whole = std::chrono::duration_cast<std::chrono::seconds>(wait).count();
    return std::to_string(whole) + (whole == 1 ? " second" : " seconds");
}

Status refusedBecause(const handoff::Message& answer) {
    const std::string why = handoff::printableText(answer.text);
    if (answer.kind == Kind::Refused) {
        return Error{"the running Quorvane window did not build the list" +
                     (why.empty() ? std::string() : ": " + why)};
    }
    return Error{"the running Quorvane window could not build the list" +
                 (why.empty() ? std::string() : ": " + why)};
}

constexpr std::string_view kNotUnderstoodAnswer =
    "the running copy of quorvane gave an answer that was not understood; nothing is known "
    "of the list";

}  // namespace

Status handOffBuild(const QString& name, const std::string& listName, const HandoffWaits& waits) {
    const std::optional<std::string> request = handoff::requestLine(listName);
    if (!request) {
        return Error{
            "another copy of quorvane is running, and the list name cannot be handed to "
            "it; nothing was done"};
    }
    QLocalSocket socket;
    socket.setReadBufferSize(kMaxHandoffLine);
    socket.connectToServer(name);
    if (!socket.waitForConnected(static_cast<int>(waits.connect.count()))) {
        return Error{
            "another copy of quorvane is running (another rebuild, or a window that "
            "cannot be reached); nothing was done"};
    }
    socket.write(request->data(), static_cast<qint64>(request->size()));
    socket.flush();

    std::optional<handoff::Message> answer;
    switch (readAnswer(socket, QDeadlineTimer(waits.answer), answer)) {
        case LineRead::Line:
            break;
        case LineRead::TimedOut:
            return Error{"the running copy of quorvane did not answer within " +
                         seconds(waits.answer) + "; nothing was done"};
        case LineRead::Closed:
            return Error{
                "the running copy of quorvane ended the connection without an answer; "
                "nothing was done"};
        case LineRead::NotUnderstood:
            return Error{std::string(kNotUnderstoodAnswer)};
    }
    if (answer->kind != Kind::Accepted) {
        return answer->kind == Kind::Refused ? refusedBecause(*answer)
                                             : Status(Error{std::string(kNotUnderstoodAnswer)});
    }
    switch (readAnswer(socket, QDeadlineTimer(waits.build), answer)) {
        case LineRead::Line:
            break;
        case LineRead::TimedOut:
            return Error{"the list was still being built in the Quorvane window after " +
                         seconds(waits.build) + "; stopped waiting for it"};
        case LineRead::Closed:
            return Error{"the Quorvane window closed before the list was built"};
        case LineRead::NotUnderstood:
            return Error{std::string(kNotUnderstoodAnswer)};
    }
    switch (answer->kind) {
        case Kind::Built:
            return {};
        case Kind::Refused:
        case Kind::Failed:
            return refusedBecause(*answer);
        default:
            return Error{std::string(kNotUnderstoodAnswer)};
    }
}

}  // namespace quor::ui
