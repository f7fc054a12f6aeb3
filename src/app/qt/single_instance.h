#pragma once
// One running copy per user. The first copy holds a lock file and serves a local socket of the
// same name in the user's private runtime folder; a later copy finds the lock taken, asks the
// first through the socket to show its window, and gives way. kestrix-cli uses the same socket
// to hand the running window the commands that touch the keyboard (app/forwarded_command.h).

#include "app/forwarded_command.h"
#include "platform/runtime_folder.h"

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <functional>

class QLocalSocket;

namespace talvex {

class SingleInstance final : public QObject {
    Q_OBJECT
public:
    static inline const QString kKey = QString::fromUtf8(kWindowSocketName);

    // $XDG_RUNTIME_DIR, else a folder of this user's own with mode 0700; empty when neither is
    // usable.
    static QString runtimeFolder();

    SingleInstance(const QString& folder, const QString& key, QObject* parent = nullptr);

    // True when this is the first copy; from then on it answers later copies until it is
    // destroyed. False when another copy runs: it has been asked to show its window, and this
    // copy must end without showing anything. When the folder cannot hold the lock the check
    // is given up and this copy runs as the first.
    bool claim();

    // Whether claim() took the lock; a copy that runs as the first because the lock could not be
    // made at all holds none.
    bool holdsLock() const { return lockFile.isLocked(); }

    QString socketPath() const { return serverPath; }
    QString lockPath() const { return lockFile.fileName(); }

    // Sends the window's answer to a forwarded request and hangs up. Call it once, on this
    // object's thread, whenever the work is done; once the command line has gone (it gives up
    // after 30 s) it does nothing.
    using ForwardAnswer = std::function<void(const ForwardedReply&)>;
    using ForwardHandler = std::function<void(const ForwardedRequest&, ForwardAnswer answer)>;
    // Until a handler is set, every forwarded request is answered NotMine.
    void setForwardHandler(ForwardHandler handler) { forwardHandler = std::move(handler); }

signals:
    // A later copy asked this one to show its window.
    void activationRequested();

private:
    struct Connection;

    void serve();
    void acceptConnection();
    void receive(QLocalSocket* socket, Connection& connection);
    void receiveForwarded(QLocalSocket* socket, Connection& connection);
    void askFirstCopy();

    QString serverPath;
    QLockFile lockFile;
    QLocalServer server;
    ForwardHandler forwardHandler;
};

} // namespace talvex
