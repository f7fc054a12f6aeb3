#pragma once
// One running copy per user. The first copy holds a lock file and serves a local socket of the
// same name in the user's private runtime folder; a later copy finds the lock taken, asks the
// first through the socket to show its window, and gives way.

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

namespace talvex {

class SingleInstance final : public QObject {
    Q_OBJECT
public:
    // The name keeps its leading blank: a copy that uses it without the blank is another
    // program as far as this check goes.
    static inline const QString kKey = QStringLiteral(" {57D1171D-1a34-0804-8A3A-65ABA2150001}");

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

signals:
    // A later copy asked this one to show its window.
    void activationRequested();

private:
    void serve();
    void acceptConnection();
    void askFirstCopy();

    QString serverPath;
    QLockFile lockFile;
    QLocalServer server;
};

} // namespace talvex
