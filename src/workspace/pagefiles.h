#pragma once

#include "core/apppaths.h"
#include "workspace/pagetext.h"

#include <QObject>
#include <QString>

#include <array>

class QTimer;

namespace quoll::workspace {

class EditorPages;

// The files behind the five editor pages: opening a file into a page and
// saving a page to one, and the autosave files "sql1____.$$$" to
// "sql5____.$$$" that carry the texts between runs. Each page remembers the
// line ends and encoding of the file it was read from and writes them back.
//
// Besides the save at close, a page's autosave file is written a moment
// after its last edit, so that a crash loses at most those seconds of
// typing. Every write replaces the old file in one step.
class PageFiles : public QObject
{
    Q_OBJECT

public:
    static constexpr int AutosaveDelayMs = 2000;

    PageFiles(EditorPages &pages, AppPaths paths, QObject *parent = nullptr);

    // Start: each page from its autosave file; a page without one stays
    // empty. Returns the messages of files that could not be read.
    QStringList loadAutosaves();
    // Close: every page to its autosave file, in page order. Raises Error
    // "Cannot create file <path>" and stops at the first that fails.
    void saveAutosaves();

    // Replaces page `number`'s text with the file's lines (not an undoable
    // edit). Raises Error "Cannot open file <path>"; the text is then kept.
    void openFile(int number, const QString &path);
    // Writes page `number` to `path`, replacing the file. Raises Error
    // "Cannot create file <path>".
    void saveFile(int number, const QString &path);

    // The pause after the last edit before a page's autosave file is written.
    void setAutosaveDelay(int milliseconds);

    const PageTextFormat &format(int number) const { return m_formats.at(size_t(number - 1)); }
    // Whether page `number` has edits its autosave file does not hold yet.
    bool autosavePending(int number) const;
    // Writes every page with pending edits now.
    void flushAutosaves();

signals:
    // A background autosave failed; said once until one succeeds again.
    void autosaveFailed(const QString &message);

private:
    void load(int number, const QString &path);
    void write(int number, const QString &path);
    void autosave(int number);

    EditorPages &m_pages;
    AppPaths m_paths;
    std::array<PageTextFormat, 5> m_formats{};
    std::array<QTimer *, 5> m_timers{};
    bool m_loading = false;
    bool m_failureReported = false;
};

} // namespace quoll::workspace
