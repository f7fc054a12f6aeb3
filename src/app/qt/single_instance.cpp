#include "app/qt/single_instance.h"

#include "platform/runtime_folder.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <memory>

namespace talvex {

namespace {

const QByteArray kShowRequest = QByteArrayLiteral("show\n");
const QByteArray kForwardRequest(kForwardGreeting.data(),
                                 static_cast<qsizetype>(kForwardGreeting.size()));

// A connection that has sent nothing for this long is dropped, so a stuck or stray client does
// not hold one open for the rest of the run. It is above the command line's own wait.
constexpr int kIdleTimeoutMs = 35000;

// A later copy gives up on a first copy that does not answer within this time and ends anyway.
constexpr int kAskTimeoutMs = 1000;

QString pathIn(const QString& folder, const QString& name) {
    return folder.isEmpty() ? QString() : QDir(folder).filePath(name);
}

void sendReply(QLocalSocket* socket, const ForwardedReply& reply) {
    const std::vector<std::uint8_t> bytes = encodeReply(reply);
    const auto length = encodeFrameLength(static_cast<std::uint32_t>(bytes.size()));
    socket->write(reinterpret_cast<const char*>(length.data()), length.size());
    socket->write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    socket->disconnectFromServer();
}

void refuse(QLocalSocket* socket, const std::string& error) {
    ForwardedReply reply;
    reply.exitCode = 2;
    reply.err = "kestrix-cli: the window refused the request: " + error + "\n";
    sendReply(socket, reply);
}

} // namespace

QString SingleInstance::runtimeFolder() {
    // The command line finds the socket without Qt, so both take the folder from one place.
    return QString::fromStdString(userRuntimeFolder().string());
}

SingleInstance::SingleInstance(const QString& folder, const QString& key, QObject* parent)
    : QObject(parent), serverPath(pathIn(folder, key)),
      lockFile(pathIn(folder, key + QStringLiteral(".lock"))) {
    // Only a lock whose process has died is stale, however long the first copy has run.
    lockFile.setStaleLockTime(0);
    connect(&server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnection);
}

bool SingleInstance::claim() {
    if (serverPath.isEmpty())
        return true;
    if (lockFile.tryLock(0)) {
        serve();
        return true;
    }
    if (lockFile.error() != QLockFile::LockFailedError)
        return true;
    askFirstCopy();
    return false;
}

void SingleInstance::serve() {
    // The lock is ours, so a socket file left here belongs to a copy that crashed.
    QLocalServer::removeServer(serverPath);
    server.setSocketOptions(QLocalServer::UserAccessOption);
    server.listen(serverPath);
}

// What one connection has sent so far; once it has made its request, whatever follows is
// ignored.
struct SingleInstance::Connection {
    QByteArray received;
    bool requestMade = false;
    QTimer* idle = nullptr;
};

void SingleInstance::acceptConnection() {
    while (QLocalSocket* socket = server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto connection = std::make_shared<Connection>();
        connection->idle = new QTimer(socket);
        connection->idle->setSingleShot(true);
        connection->idle->setInterval(kIdleTimeoutMs);
        connect(connection->idle, &QTimer::timeout, socket, &QLocalSocket::abort);
        connection->idle->start();
        connect(socket, &QLocalSocket::readyRead, this,
                [this, socket, connection] { receive(socket, *connection); });
    }
}

void SingleInstance::receive(QLocalSocket* socket, Connection& connection) {
    const QByteArray arrived = socket->readAll();
    if (connection.requestMade || arrived.isEmpty())
        return;
    connection.idle->start();
    connection.received += arrived;
    const QByteArray& received = connection.received;
    if (received.startsWith(kShowRequest)) {
        connection.requestMade = true;
        socket->disconnectFromServer();
        emit activationRequested();
    } else if (received.startsWith(kForwardRequest)) {
        receiveForwarded(socket, connection);
    } else if (!kShowRequest.startsWith(received) && !kForwardRequest.startsWith(received)) {
        socket->abort();
    }
}

void SingleInstance::receiveForwarded(QLocalSocket* socket, Connection& connection) {
    const std::span<const std::uint8_t> received(
        reinterpret_cast<const std::uint8_t*>(connection.received.constData()),
        static_cast<std::size_t>(connection.received.size()));
    const std::size_t start = kForwardGreeting.size() + kFrameLengthBytes;
    if (received.size() < start)
        return;
    const std::uint32_t length =
        decodeFrameLength(received.subspan(kForwardGreeting.size()).first<kFrameLengthBytes>());
    if (length <= kMaxForwardBytes && received.size() - start < length)
        return;
    connection.requestMade = true;
    connection.idle->stop();
    if (length > kMaxForwardBytes)
        return refuse(socket, "a request of " + std::to_string(length) +
                                  " bytes is more than the " + std::to_string(kMaxForwardBytes) +
                                  " the window takes");
    std::string error;
    std::optional<ForwardedRequest> request = decodeRequest(received.subspan(start, length), error);
    connection.received.clear();
    if (!request)
        return refuse(socket, error);
    ForwardAnswer answer = [socket = QPointer<QLocalSocket>(socket)](const ForwardedReply& reply) {
        if (socket && socket->state() == QLocalSocket::ConnectedState)
            sendReply(socket, reply);
    };
    if (forwardHandler)
        forwardHandler(*request, std::move(answer));
    else
        answer({ForwardStatus::NotMine, 0, {}, {}, {}, {}});
}

void SingleInstance::askFirstCopy() {
    // The first copy may hold the lock but not listen yet; try again until the deadline.
    QDeadlineTimer deadline(kAskTimeoutMs);
    QLocalSocket socket;
    while (true) {
        socket.connectToServer(serverPath);
        if (socket.waitForConnected(static_cast<int>(deadline.remainingTime())))
            break;
        if (deadline.hasExpired())
            return;
        QThread::msleep(20);
    }
    socket.write(kShowRequest);
    socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()));
    socket.disconnectFromServer();
}

} // namespace talvex
