#pragma once

#include "app/errorhandler.h"
#include "app/quollmain.h"
#include "core/apppaths.h"
#include "scripteddialogs.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace quoll::testing {

// A main window on a temporary folder with scripted dialogs.
struct MainFixture
{
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    app::ErrorHandler errors{dialogs};
    std::unique_ptr<app::QuollMain> window;

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

    template<class T = QWidget>
    T *find(const QString &name) const
    {
        return window->findChild<T *>(name);
    }
};

} // namespace quoll::testing
