#pragma once

#include "app/commandstate.h"
#include "app/errorhandler.h"
#include "app/quollmain.h"
#include "mainprobe.h"
#include "app/topbar.h"
#include "connection/widgets/connectdialog.h"
#include "connection/engine/database.h"
#include "core/apppaths.h"
#include "scripteddialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

#include <unistd.h>

namespace quoll::testing {

// A main window on a temporary folder with scripted dialogs.
// Reports go to a temporary area of the test's own.
struct PrivateTemp
{
    QTemporaryDir area;
    QByteArray old = qgetenv("TMPDIR");
    PrivateTemp() { qputenv("TMPDIR", QFile::encodeName(area.path())); }
    ~PrivateTemp() { qputenv("TMPDIR", old); }
    QString reportFolder() const { return area.filePath(QStringLiteral("quoll-%1").arg(geteuid())); }
};

struct MainFixture
{
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    app::ErrorHandler errors{dialogs};
    std::unique_ptr<app::QuollMain> window;
    // What connectTo types into the login dialog's password box.
    QString loginPassword = QStringLiteral("secret");

    MainFixture()
        : window(std::make_unique<app::QuollMain>(AppPaths(folder.path(), QStringLiteral("quoll")),
                                                  dialogs, errors))
    {
    }

    // Shows the window at a size where every tool bar has room, and waits
    // until it is laid out and active.
    bool show(QSize size = QSize(1200, 800))
    {
        window->resize(size);
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowExposed(window.get()) && QTest::qWaitForWindowActive(window.get());
    }

    // Answers the next login dialog as a user would: the name typed over
    // the user-name box, the password into its box, Enter pressed there.
    void answerLogin(const QString &user, const QString &password = QStringLiteral("secret"))
    {
        dialogs.answerDialog([user, password](QDialog &dialog) {
            auto *name = dialog.findChild<QComboBox *>(QStringLiteral("cbUserName"));
            auto *edit = dialog.findChild<QLineEdit *>(QStringLiteral("edPassword"));
            name->setEditText(user);
            edit->clear();
            QTest::keyClicks(edit, password);
            QTest::keyClick(edit, Qt::Key_Return);
            return dialog.result();
        });
    }

    // Picks `server` in `cbServerName`, clicks `tbConnect` and logs in as
    // `user`; true when the connection is open afterwards. The database
    // list that opens after connecting is closed again.
    bool connectTo(const QString &server, const QString &user = QStringLiteral("tester"))
    {
        auto *servers = find<QComboBox>(QStringLiteral("cbServerName"));
        servers->setCurrentIndex(servers->findText(server));
        answerLogin(user, loginPassword);
        probe().topBar()->connectButton()->click();
        probe().topBar()->dataBaseName()->hidePopup();
        return window->database().isConnected();
    }

    // Picks `name` in `cbDataBaseName` as the user does.
    void pickDatabase(const QString &name)
    {
        QComboBox *combo = probe().topBar()->dataBaseName();
        const int index = combo->findText(name);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    // What the program does when its event loop next waits: the commands'
    // enabled state follows what the user did just before.
    void idle() const { probe().commandState().recompute(); }

    // The window's parts (its widgets by object name).
    MainProbe probe() const { return MainProbe{*window}; }

    template<class T = QWidget>
    T *find(const QString &name) const
    {
        return window->findChild<T *>(name);
    }
};

} // namespace quoll::testing
