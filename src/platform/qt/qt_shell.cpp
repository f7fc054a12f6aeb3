#include "platform/qt/qt_shell.h"

#include <QDesktopServices>
#include <QFile>
#include <QProcess>
#include <QUrl>

namespace talvex {

namespace {

QString toQString(const std::filesystem::path& path) {
    return QFile::decodeName(path.c_str());
}

} // namespace

bool QtShell::startProgram(const std::filesystem::path& program,
                           const std::filesystem::path& folder) {
    return QProcess::startDetached(toQString(program), {}, toQString(folder));
}

bool QtShell::openPath(const std::filesystem::path& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(toQString(path)));
}

bool QtShell::openUrl(const std::string& url) {
    const QUrl address(QString::fromStdString(url), QUrl::StrictMode);
    const QString scheme = address.scheme().toLower();
    if (!address.isValid() || (scheme != "http" && scheme != "https"))
        return false;
    return QDesktopServices::openUrl(address);
}

} // namespace talvex
