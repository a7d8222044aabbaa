#include "benchmark.h"

#include "app/errorhandler.h"
#include "app/quollmain.h"
#include "app/widgetdialogs.h"
#include "core/apppaths.h"

#include <QApplication>
#include <QElapsedTimer>

namespace quoll::bench {

namespace {

// Building the main window with its whole layout, and tearing it down.
std::vector<Figure> windowBenchmark(const Options &options)
{
    app::WidgetDialogs dialogs;
    app::ErrorHandler errors(dialogs);
    double destroySeconds = -1;
    const double createSeconds = bestOf(options.repeat, [&] {
        auto window = std::make_unique<app::QuollMain>(AppPaths(options.workFolder, QStringLiteral("quoll")),
                                                       dialogs, errors);
        window->show();
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        window.reset();
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        destroySeconds = destroySeconds < 0 ? seconds : std::min(destroySeconds, seconds);
    });
    return {
        {QStringLiteral("create and show the main window (incl. destroy)"), createSeconds, std::nullopt, {}},
        {QStringLiteral("destroy the main window"), destroySeconds, std::nullopt, {}},
    };
}

const Registration registration({QStringLiteral("window"),
                                 QStringLiteral("building and destroying the main window offscreen"),
                                 windowBenchmark});

} // namespace

} // namespace quoll::bench
