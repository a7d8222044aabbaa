#include "benchmark.h"

#include "editor/sqledit.h"
#include "editor/sqlhighlighter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>

#include <time.h>

namespace quoll::bench {

namespace {

// A script of about `bytes` characters as people write them: comments of
// both kinds, strings over several lines, keywords in both cases, numbers.
QString generatedScript(qsizetype bytes)
{
    QString script;
    script.reserve(bytes + 256);
    for (int i = 0; script.size() < bytes; ++i) {
        switch (i % 6) {
        case 0:
            script += QStringLiteral("-- statement %1: customers of one region\n").arg(i);
            break;
        case 1:
            script += QStringLiteral("SELECT c.customer_num, c.lname, o.order_date, o.ship_charge * 1.2\n"
                                     "  FROM customer c, orders o\n"
                                     " where c.customer_num = o.customer_num and o.order_num > %1;\n").arg(i);
            break;
        case 2:
            script += QStringLiteral("/* a block comment\n   over two lines */ update stock set unit_price = %1.50\n"
                                     " where stock_num = %1 and manu_code = 'HRO';\n").arg(i);
            break;
        case 3:
            script += QStringLiteral("insert into notes values (%1, 'a note that goes on\nover the next line', \"x\");\n").arg(i);
            break;
        case 4:
            script += QStringLiteral("delete from items where item_num between %1 and %2;\n").arg(i).arg(i + 10);
            break;
        default:
            script += QStringLiteral("create index ix_%1 on orders (order_date, customer_num);\n").arg(i);
            break;
        }
    }
    return script;
}

double elapsedMs(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

bool hasColours(const QTextBlock &block)
{
    return !block.layout()->formats().isEmpty();
}

void key(QWidget *widget, int code, const QString &text = {})
{
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

struct LoadFigures
{
    double usableMs = 0;      // text set, first screen painted and coloured, caret moved
    double completeMs = 0;    // every line loaded and coloured
    double longestStepMs = 0; // the longest the event loop was busy meanwhile
    double completeCpuMs = 0;
    bool firstScreenColoured = false;
    int lines = 0;
};

LoadFigures loadLarge(const QString &script)
{
    LoadFigures f;
    editor::SqlEdit edit(editor::SqlEdit::Mode::Editable);
    edit.resize(1000, 700);
    edit.show();
    QApplication::processEvents();

    QElapsedTimer timer;
    timer.start();
    const double cpuStart = cpuMs();
    edit.setText(script);
    QApplication::processEvents();
    edit.viewport()->repaint();
    key(&edit, Qt::Key_Down);
    key(&edit, Qt::Key_Down);
    edit.viewport()->repaint();
    f.usableMs = elapsedMs(timer);
    f.firstScreenColoured = hasColours(edit.document()->firstBlock()) && hasColours(edit.cursorForPosition(QPoint(5, 5)).block())
                            && edit.textCursor().blockNumber() == 2;

    while (edit.isLoading() || edit.highlighter()->isColouringPending()) {
        QElapsedTimer step;
        step.start();
        QApplication::processEvents();
        f.longestStepMs = std::max(f.longestStepMs, elapsedMs(step));
    }
    f.completeMs = elapsedMs(timer);
    f.completeCpuMs = cpuMs() - cpuStart;
    f.lines = edit.document()->blockCount();
    f.firstScreenColoured = f.firstScreenColoured && hasColours(edit.document()->lastBlock().previous());
    return f;
}

struct KeyFigures
{
    double medianMs = 0;
    double worstMs = 0;
    double medianCpuMs = 0;   // CPU time of this process, which other load does not inflate
    double worstCpuMs = 0;
};


// Times one key press with the repaint it causes, over `times` presses.
template<typename Press>
KeyFigures timeKeys(editor::SqlEdit &edit, int times, Press press)
{
    std::vector<double> samples;
    std::vector<double> cpu;
    for (int i = 0; i < times; ++i) {
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        const double cpuStart = cpuMs();
        press();
        edit.viewport()->repaint();
        cpu.push_back(cpuMs() - cpuStart);
        samples.push_back(elapsedMs(timer));
    }
    std::sort(samples.begin(), samples.end());
    std::sort(cpu.begin(), cpu.end());
    return {samples[samples.size() / 2], samples.back(), cpu[cpu.size() / 2], cpu.back()};
}

std::vector<Figure> editorBenchmark(const Options &options)
{
    std::vector<Figure> figures;
    const QString big = generatedScript(20 * 1000 * 1000);

    LoadFigures best;
    for (int i = 0; i < std::max(1, options.repeat); ++i) {
        const LoadFigures f = loadLarge(big);
        if (i == 0 || f.usableMs < best.usableMs)
            best = f;
    }
    figures.push_back({QStringLiteral("20 MB script: usable (first screen coloured, caret moved)"), best.usableMs / 1000,
                       std::nullopt,
                       QStringLiteral("wall clock; %1 lines; first and last lines coloured: %2")
                           .arg(best.lines)
                           .arg(best.firstScreenColoured ? QStringLiteral("yes") : QStringLiteral("NO"))});
    figures.push_back({QStringLiteral("20 MB script: loaded and coloured to the end"), best.completeMs / 1000,
                       std::nullopt,
                       QStringLiteral("wall clock, in the background (CPU %1 s); longest busy step %2 ms")
                           .arg(best.completeCpuMs / 1000, 0, 'f', 2)
                           .arg(best.longestStepMs, 0, 'f', 1)});

    // A 200,000-line text, fully loaded and coloured, caret in the middle.
    QStringList lines = generatedScript(20 * 1000 * 1000).split(u'\n');
    lines.resize(200000);
    editor::SqlEdit edit(editor::SqlEdit::Mode::Editable);
    edit.resize(1000, 700);
    edit.show();
    edit.setText(lines.join(u'\n'));
    edit.finishLoading();
    edit.highlighter()->finishColouring();
    QTextCursor middle(edit.document()->findBlockByNumber(100000));
    middle.movePosition(QTextCursor::EndOfBlock);
    edit.setTextCursor(middle);
    edit.centerCursor();
    QApplication::processEvents();

    const KeyFigures typed = timeKeys(edit, 200, [&] { key(&edit, Qt::Key_X, QStringLiteral("x")); });
    const KeyFigures enter = timeKeys(edit, 50, [&] { key(&edit, Qt::Key_Return); });
    const KeyFigures moved = timeKeys(edit, 50, [&] { key(&edit, Qt::Key_Up); });
    // An opening quote turns every line below into a string: the worst case
    // for colouring, bounded by the highlighter's budget.
    const KeyFigures quote = timeKeys(edit, 10, [&] { key(&edit, Qt::Key_Apostrophe, QStringLiteral("'")); });
    // The worst case: a comment opened on the first line of 200,000 lines
    // that hold no comment or string to close it, so every line below is
    // coloured again, in the background.
    QStringList plain;
    for (int i = 0; i < 200000; ++i)
        plain << QStringLiteral("select col%1, 2 * col%1 from tab where id = %1").arg(i);
    editor::SqlEdit worst(editor::SqlEdit::Mode::Editable);
    worst.resize(1000, 700);
    worst.show();
    worst.setText(plain.join(u'\n'));
    worst.finishLoading();
    worst.highlighter()->finishColouring();
    QApplication::processEvents();
    QElapsedTimer recolour;
    double longestStep = 0;
    worst.setSelection(0, 0);
    recolour.start();
    worst.replaceSelection(QStringLiteral("/*"));
    worst.viewport()->repaint();
    const double commentKeyMs = elapsedMs(recolour);
    while (worst.highlighter()->isColouringPending()) {
        QElapsedTimer step;
        step.start();
        QApplication::processEvents();
        longestStep = std::max(longestStep, elapsedMs(step));
    }
    const double recolourMs = elapsedMs(recolour);
    const QList<QTextLayout::FormatRange> lastFormats = worst.document()->lastBlock().layout()->formats();
    const bool allComment = lastFormats.size() == 1 && lastFormats.first().format.fontItalic();

    const auto note = [](const KeyFigures &k) {
        return QStringLiteral("wall clock median %1 ms, worst %2 ms; CPU median %3 ms, worst %4 ms")
            .arg(k.medianMs, 0, 'f', 2)
            .arg(k.worstMs, 0, 'f', 2)
            .arg(k.medianCpuMs, 0, 'f', 2)
            .arg(k.worstCpuMs, 0, 'f', 2);
    };
    figures.push_back({QStringLiteral("200,000 lines: type a character and repaint"), typed.medianMs / 1000,
                       std::nullopt, note(typed)});
    figures.push_back({QStringLiteral("200,000 lines: Enter and repaint"), enter.medianMs / 1000, std::nullopt,
                       note(enter)});
    figures.push_back({QStringLiteral("200,000 lines: caret up and repaint"), moved.medianMs / 1000, std::nullopt,
                       note(moved)});
    figures.push_back({QStringLiteral("200,000 lines: quote re-colouring the rest, repaint"), quote.medianMs / 1000,
                       std::nullopt, note(quote)});
    figures.push_back({QStringLiteral("200,000 lines: \"/*\" on line 1, key and repaint"), commentKeyMs / 1000,
                       std::nullopt, QStringLiteral("wall clock")});
    figures.push_back({QStringLiteral("200,000 lines: every line below re-coloured"), recolourMs / 1000, std::nullopt,
                       QStringLiteral("wall clock, in the background; longest busy step %1 ms; last line a comment: %2")
                           .arg(longestStep, 0, 'f', 1)
                           .arg(allComment ? QStringLiteral("yes") : QStringLiteral("NO"))});
    return figures;
}

const Registration registration({QStringLiteral("editor"),
                                 QStringLiteral("loading a 20 MB script into an editor and typing in a long text"),
                                 editorBenchmark});

} // namespace

} // namespace quoll::bench
