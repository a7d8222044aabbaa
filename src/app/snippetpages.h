#pragma once

#include <QString>

#include <functional>

class QTabWidget;

namespace quoll {
class Dialogs;
}

namespace quoll::app {

// `LoadButtonPages`: the pages of snippet buttons above the editor, from
// the menu file: a page per section, a flat text button per key in file
// order; a button's tool tip is its value up to the first "|", and a click
// hands the whole value to `insert` (`InsertIntoEditor`). A missing file is
// said in a message and leaves no pages; so are pages past MaxButtonPages.
// The pages a menu file may give; more are said in a message and left out.
inline constexpr qsizetype MaxButtonPages = 256;

void LoadButtonPages(QTabWidget &pcButtons, const QString &menuFile, Dialogs &dialogs,
                     const std::function<void(const QString &)> &insert);

// The tool tip of a snippet: its value up to the first "|".
QString snippetHint(const QString &value);

} // namespace quoll::app
