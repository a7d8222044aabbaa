#include "benchmark.h"

#include "app/commandstate.h"
#include "app/commandtable.h"
#include "app/errorhandler.h"
#include "app/logmodel.h"
#include "app/logpage.h"
#include "app/quollmain.h"
#include "app/topbar.h"
#include "app/widgetdialogs.h"
#include "connection/builtin/builtinservers.h"
#include "connection/engine/database.h"
#include "connection/engine/engine.h"
#include "connection/engine/parameterlist.h"
#include "core/apppaths.h"
#include "editor/sqledit.h"
#include "widgets/statusbar.h"
#include "workspace/scriptsplitter.h"

#include "mainprobe.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTabWidget>
#include <QToolButton>

namespace quoll::bench {

namespace {

constexpr int Statements = 100'000;

QString insertScript()
{
    QString script;
    script.reserve(Statements * 48);
    for (int i = 1; i <= Statements; ++i)
        script += QStringLiteral("insert into s values (%1, 'text number %1');\n").arg(i);
    return script;
}

// Fifty megabytes of statements with the things the splitter must look
// into: comments, strings holding semicolons, procedure bodies.
QString bigScript()
{
    const QString block = QStringLiteral(
        "-- a comment; with a semicolon\r\n"
        "select a, 'x;y' from t where b = \"q;\" {brace; comment} and c = 1;\n"
        "create procedure p%1() let x = 1; let y = 'a;b'; end procedure;\n"
        "/* block; comment */ update t set a = a + 1 where id = %1;\n");
    QString script;
    const qsizetype target = 50 * 1024 * 1024;
    script.reserve(target + 512);
    for (int i = 0; script.size() < target; ++i)
        script += block.arg(i);
    return script;
}

std::vector<Figure> scriptBenchmark(const Options &options)
{
    std::vector<Figure> figures;

    // Splitting alone.
    const QString big = bigScript();
    int statements = 0;
    const double splitSeconds = bestOf(options.repeat, [&] {
        statements = 0;
        workspace::ScriptSplitter splitter(big);
        while (splitter.next())
            ++statements;
    });
    figures.push_back({QStringLiteral("split a 50 MB script"), splitSeconds, std::nullopt,
                       QStringLiteral("%1 statements").arg(statements)});

    // Running 100,000 inserts from editor page 1 of a real window.
    app::WidgetDialogs dialogs;
    app::ErrorHandler errors(dialogs);
    const AppPaths paths(options.workFolder, QStringLiteral("quoll"));
    app::QuollMain window(paths, dialogs, errors);
    const testing::MainProbe probe{window};
    window.database().hooks().login = [](connection::ParameterList &login) {
        login.setValue(QStringLiteral("USER NAME"), QStringLiteral("bench"));
    };
    QComboBox *servers = probe.topBar()->serverName();
    servers->setCurrentIndex(servers->findText(QStringLiteral("quoll_work")));
    probe.topBar()->connectButton()->click();
    probe.topBar()->dataBaseName()->hidePopup();
    connection::Database &database = window.database();
    if (!database.isConnected())
        return figures;
    const auto server = connection::builtin::builtinServer(QStringLiteral("quoll_work"), paths.serversFolder());
    if (!server.hasDatabase(QStringLiteral("scriptbench")))
        database.execute(QStringLiteral("create database scriptbench"));
    database.execute(QStringLiteral("database scriptbench"));
    const QString file = server.databaseFile(QStringLiteral("scriptbench"));

    const QString script = insertScript();
    editor::SqlEdit *edit = window.currentEditor();
    edit->setPlainText(script);
    QAction *execute = window.actions()["acExecute"];
    app::LogModel *log = probe.logPage()->model();
    const auto freshTable = [&] {
        try {
            database.execute(QStringLiteral("drop table s"));
        } catch (const std::exception &) {
            // Not made yet.
        }
        database.execute(QStringLiteral("create table s (i integer, v varchar(40))"));
        probe.logPage()->clear();
        // The idle step that enables the run command after the text came.
        probe.commandState().recompute();
    };
    QElapsedTimer wall;
    qint64 bestWall = -1;
    // Each run into an empty table, with an empty log: making them is not timed.
    const double runSeconds = bestOf(options.repeat, freshTable, [&] {
        wall.start();
        execute->trigger();
        const qint64 w = wall.elapsed();
        bestWall = bestWall < 0 ? w : std::min(bestWall, w);
    });
    const int logged = log->size();

    // The same statements sent straight to the engine, without the window.
    const double engineSeconds = bestOf(options.repeat, freshTable, [&] {
        workspace::ScriptSplitter splitter(script);
        while (const auto statement = splitter.next())
            database.engine().executeDirect(statement->text.toString());
    });

    // What the window adds per statement: a log entry and the status panels.
    const double logSeconds = bestOf(options.repeat, [&] {
        probe.logPage()->clear();
        for (int i = 0; i < Statements; ++i)
            window.AddLog(QStringLiteral("SQL - 0:00:00"), QStringLiteral("insert into s values (1, 'x');"));
    });
    widgets::StatusBar *status = probe.statusPanels();
    const double panelSeconds = bestOf(options.repeat, [&] {
        for (int i = 0; i < Statements; ++i) {
            status->setPanelText(3, QStringLiteral("0 Success %1").arg(i));
            status->setPanelText(0, QStringLiteral("0:%1").arg(i));
            status->setPanelText(1, QString());
        }
    });

    // The window after it: the log page shown with its last entry selected.
    auto *pages = window.findChild<QTabWidget *>(QStringLiteral("pcMenu"));
    window.show();
    QApplication::processEvents();
    QElapsedTimer shown;
    shown.start();
    pages->setCurrentWidget(probe.logPage());
    QApplication::processEvents();
    const double showSeconds = double(shown.nsecsElapsed()) / 1e9;

    std::optional<double> shell;
    const QString sqlite3 = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (!sqlite3.isEmpty()) {
        database.execute(QStringLiteral("close database"));
        // Synced as the embedded server syncs its files.
        const QByteArray input = "pragma synchronous = normal;\n" + script.toUtf8();
        double best = -1;
        for (int i = 0; i < std::max(1, options.repeat); ++i) {
            timeCommand(sqlite3, {file, QStringLiteral("delete from s")});
            const auto t = timeCommand(sqlite3, {file}, input);
            if (t && (best < 0 || *t < best))
                best = *t;
        }
        if (best > 0)
            shell = best;
    }
    figures.push_back({QStringLiteral("run 100,000 inserts from an editor page"), runSeconds, shell,
                       QStringLiteral("%1 log entries, wall %2 s%3")
                           .arg(logged)
                           .arg(double(bestWall) / 1000.0, 0, 'f', 2)
                           .arg(logged < 100'000 ? QStringLiteral("  NOT A FULL RUN: the figure means nothing")
                                                 : QString())});
    figures.push_back({QStringLiteral("the same statements straight to the engine"), engineSeconds, shell, {}});
    figures.push_back({QStringLiteral("then show the log page at its last entry"), showSeconds, std::nullopt, {}});
    figures.push_back({QStringLiteral("100,000 log entries alone"), logSeconds, std::nullopt, {}});
    figures.push_back({QStringLiteral("100,000 times three status panels alone"), panelSeconds, std::nullopt, {}});
    return figures;
}

const Registration registration({QStringLiteral("script"),
                                 QStringLiteral("splitting a 50 MB script; running 100,000 inserts from an editor page"),
                                 scriptBenchmark});

} // namespace

} // namespace quoll::bench
