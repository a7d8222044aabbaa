#pragma once

#include <QString>

namespace quoll {

// Decides where the program keeps its own files: the settings file, the menu
// file, the five autosave files and the embedded servers. They live together
// in one folder: the executable's folder when it is writable, otherwise the
// per-user configuration folder. Tests construct it on a temporary folder.
class AppPaths
{
public:
    // `folder` holds every file; `baseName` names the settings and menu files
    // ("quoll" gives "quoll.ini" and "quoll.mnu").
    AppPaths(const QString &folder, const QString &baseName);

    // The paths for the running executable (needs a QCoreApplication).
    static AppPaths forExecutable();

    // The folder chosen for an executable in `executableFolder`, falling back
    // to `userFolder` when the executable's folder cannot be written.
    static QString chooseFolder(const QString &executableFolder, const QString &userFolder);

    QString folder() const { return m_folder; }
    QString settingsFile() const;
    QString menuFile() const;
    // Autosave file of editor page 1 to 5: "sql1____.$$$" ... "sql5____.$$$".
    QString autosaveFile(int page) const;
    // The folder under which the built-in embedded servers keep their data.
    QString serversFolder() const;

private:
    QString m_folder;
    QString m_baseName;
};

} // namespace quoll
