#include "app/qt/single_instance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace talvex {

namespace {

const QByteArray kShowRequest = QByteArrayLiteral("show\n");

// A later copy gives up on a first copy that does not answer within this time and ends anyway.
constexpr int kAskTimeoutMs = 1000;

QString pathIn(const QString& folder, const QString& name) {
    return folder.isEmpty() ? QString() : QDir(folder).filePath(name);
}

} // namespace

QString SingleInstance::runtimeFolder() {
    // Qt checks that the folder belongs to this user with mode 0700, and when XDG_RUNTIME_DIR
    // is not set makes such a folder in the temporary folder.
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
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

void SingleInstance::acceptConnection() {
    while (QLocalSocket* socket = server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            QByteArray received = socket->property("received").toByteArray() + socket->readAll();
            if (received.startsWith(kShowRequest)) {
                socket->disconnectFromServer();
                emit activationRequested();
            } else if (!kShowRequest.startsWith(received)) {
                socket->abort();
            } else {
                socket->setProperty("received", received);
            }
        });
    }
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
