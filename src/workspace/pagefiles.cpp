#include "workspace/pagefiles.h"

#include "core/atomicfile.h"
#include "core/error.h"
#include "editor/sqledit.h"
#include "workspace/editorpages.h"

#include <QFile>
#include <QStringList>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace quoll::workspace {

PageFiles::PageFiles(EditorPages &pages, AppPaths paths, QObject *parent)
    : QObject(parent), m_pages(pages), m_paths(std::move(paths))
{
    for (int number = 1; number <= EditorPages::PageCount; ++number) {
        auto *timer = new QTimer(this);
        timer->setSingleShot(true);
        timer->setInterval(AutosaveDelayMs);
        connect(timer, &QTimer::timeout, this, [this, number] { autosave(number); });
        m_timers[size_t(number - 1)] = timer;
        connect(m_pages.editor(number), &QPlainTextEdit::textChanged, this, [this, timer] {
            if (!m_loading)
                timer->start();
        });
    }
}

void PageFiles::load(int number, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(u"Cannot open file %1"_s.arg(path));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Error(u"Cannot open file %1"_s.arg(path));
    PageText page = decodePageText(bytes);
    m_loading = true;
    m_pages.editor(number)->setText(page.text);
    m_loading = false;
    m_formats[size_t(number - 1)] = page.format;
}

void PageFiles::write(int number, const QString &path)
{
    QString text = m_pages.editor(number)->text();
    text.replace(u"\r\n"_s, u"\n"_s);
    writeFileAtomically(path, encodePageText(text, format(number)));
}

QStringList PageFiles::loadAutosaves()
{
    QStringList failures;
    for (int number = 1; number <= EditorPages::PageCount; ++number) {
        const QString path = m_paths.autosaveFile(number);
        if (!QFile::exists(path))
            continue;
        try {
            load(number, path);
        } catch (const Error &e) {
            failures.append(e.message());
        }
    }
    return failures;
}

void PageFiles::saveAutosaves()
{
    for (int number = 1; number <= EditorPages::PageCount; ++number) {
        write(number, m_paths.autosaveFile(number));
        m_timers[size_t(number - 1)]->stop();
    }
}

void PageFiles::openFile(int number, const QString &path)
{
    load(number, path);
    // The page's text now matches the file, not the autosave copy.
    m_timers[size_t(number - 1)]->start();
}

void PageFiles::saveFile(int number, const QString &path)
{
    write(number, path);
}

void PageFiles::setAutosaveDelay(int milliseconds)
{
    for (QTimer *timer : m_timers)
        timer->setInterval(milliseconds);
}

bool PageFiles::autosavePending(int number) const
{
    return m_timers.at(size_t(number - 1))->isActive();
}

void PageFiles::flushAutosaves()
{
    for (int number = 1; number <= EditorPages::PageCount; ++number)
        if (autosavePending(number))
            autosave(number);
}

void PageFiles::autosave(int number)
{
    m_timers[size_t(number - 1)]->stop();
    try {
        write(number, m_paths.autosaveFile(number));
        m_failureReported = false;
    } catch (const Error &e) {
        if (!m_failureReported) {
            m_failureReported = true;
            emit autosaveFailed(e.message());
        }
    }
}

} // namespace quoll::workspace
