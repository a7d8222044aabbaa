#include "benchmark.h"
#include "bigtable.h"

#include "app/commandstate.h"
#include "app/errorhandler.h"
#include "app/quollmain.h"
#include "mainprobe.h"
#include "app/widgetdialogs.h"
#include "connection/engine/dataset.h"
#include "editor/sqledit.h"
#include "results/gridlink.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTableView>

namespace quoll::bench {

namespace {

double wallSeconds(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e9;
}

// A million-row result in a shown grid: opening it, scrolling it to its end
// with the scroll bar, counting it the way "Record Count" does, and one
// recomputation of the command state.
std::vector<Figure> gridBenchmark(const Options &options)
{
    QString file;
    std::unique_ptr<connection::Database> database = bigTable(options, file);
    std::vector<Figure> figures;
    const results::Guard guard = [](const std::function<void()> &action) {
        action();
        return true;
    };

    {
        connection::Dataset dataset;
        QTableView grid;
        grid.resize(1000, 700);
        results::GridLink link(&grid, guard);
        link.setDataset(&dataset);
        grid.show();
        QApplication::processEvents();

        const double open = wallSeconds([&] {
            dataset.attach(database->engine().executeDirect(QStringLiteral("select * from big")).cursor);
            QApplication::processEvents();
            grid.repaint();
        });
        figures.push_back({QStringLiteral("open a 1,000,000-row result in a shown grid (wall)"), open, std::nullopt,
                           QStringLiteral("%1 rows read").arg(dataset.fetchedCount())});

        int batches = 0;
        const double scroll = wallSeconds([&] {
            while (dataset.canFetchMore() && batches < 20) {
                grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum());
                QApplication::processEvents();
                ++batches;
            }
            grid.repaint();
        });
        figures.push_back({QStringLiteral("20 scrolls to the end of the read rows (wall)"), scroll, std::nullopt,
                           QStringLiteral("%1 rows read after them").arg(dataset.fetchedCount())});

        qint64 counted = 0;
        const double count = wallSeconds([&] {
            dataset.pauseViews();
            const qint64 row = dataset.currentRow();
            dataset.last();
            counted = dataset.recordCount();
            dataset.moveTo(row);
            dataset.resumeViews();
            QApplication::processEvents();
            grid.repaint();
        });
        figures.push_back({QStringLiteral("count it as Record Count does, the grid attached (wall)"), count,
                           std::nullopt, QStringLiteral("%1 rows").arg(counted)});

        const double end = wallSeconds([&] {
            dataset.last();
            QApplication::processEvents();
            grid.repaint();
        });
        figures.push_back({QStringLiteral("then go to its last row and paint (wall)"), end, std::nullopt, {}});
    }

    {
        app::WidgetDialogs dialogs;
        app::ErrorHandler errors(dialogs);
        app::QuollMain window(AppPaths(options.workFolder, QStringLiteral("quoll")), dialogs, errors);
        const testing::MainProbe probe{window};
        window.show();
        QString text;
        for (int i = 0; i < 200'000; ++i)
            text += QStringLiteral("select * from systables where tabid = %1;\n").arg(i);
        window.currentEditor()->setPlainText(text);
        window.currentEditor()->setSelection(10, 5000);
        QApplication::processEvents();
        constexpr int Times = 1000;
        const double all = wallSeconds([&] {
            for (int i = 0; i < Times; ++i)
                probe.commandState().recompute();
        });
        figures.push_back({QStringLiteral("one command-state recomputation, 200,000-line editor (wall)"),
                           all / Times, std::nullopt,
                           QStringLiteral("%1 microseconds").arg(all / Times * 1e6, 0, 'f', 1)});
    }
    return figures;
}

const Registration registration({QStringLiteral("grid"),
                                 QStringLiteral("a million-row result in the grid, and the command state"),
                                 gridBenchmark});

} // namespace

} // namespace quoll::bench
