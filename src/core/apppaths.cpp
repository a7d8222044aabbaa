#include "core/apppaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace quoll {

namespace {

// Permission bits do not tell the whole truth (read-only mounts, root), so
// the folder counts as writable only when a file can really be made in it.
bool canCreateFileIn(const QString &folder)
{
    if (!QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(u".quoll-write-probe-XXXXXX"_s));
    return probe.open();
}

} // namespace

AppPaths::AppPaths(const QString &folder, const QString &baseName)
    : m_folder(QDir::cleanPath(folder)), m_baseName(baseName)
{
}

AppPaths AppPaths::forExecutable()
{
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return AppPaths(chooseFolder(exe.absolutePath(), userFolder), exe.completeBaseName());
}

QString AppPaths::chooseFolder(const QString &executableFolder, const QString &userFolder)
{
    if (canCreateFileIn(executableFolder))
        return executableFolder;
    QDir().mkpath(userFolder);
    return userFolder;
}

QString AppPaths::settingsFile() const
{
    return QDir(m_folder).filePath(m_baseName + u".ini"_s);
}

QString AppPaths::menuFile() const
{
    return QDir(m_folder).filePath(m_baseName + u".mnu"_s);
}

QString AppPaths::autosaveFile(int page) const
{
    if (page < 1 || page > 5)
        throw std::out_of_range("autosave page must be 1 to 5");
    return QDir(m_folder).filePath(u"sql%1____.$$$"_s.arg(page));
}

QString AppPaths::serversFolder() const
{
    return QDir(m_folder).filePath(u"servers"_s);
}

} // namespace quoll
