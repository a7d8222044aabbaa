#pragma once

#include "editor/sqledit.h"

#include <QString>
#include <QTextCursor>

// Texts with the caret written as "|" and the selection's other end as "^",
// for putting a state into an editor and reading it back.
namespace editortest {

inline void setMarked(quoll::editor::SqlEdit &edit, const QString &marked)
{
    QString text = marked;
    const qsizetype caretAt = marked.indexOf(u'|');
    const qsizetype anchorAt = marked.indexOf(u'^');
    text.remove(u'|');
    text.remove(u'^');
    const auto plain = [&](qsizetype at) { return int(at - ((caretAt >= 0 && caretAt < at) || (anchorAt >= 0 && anchorAt < at) ? 1 : 0)); };
    edit.setText(text);
    QTextCursor cursor(edit.document());
    const int caret = caretAt < 0 ? 0 : plain(caretAt);
    cursor.setPosition(anchorAt < 0 ? caret : plain(anchorAt));
    cursor.setPosition(caret, QTextCursor::KeepAnchor);
    edit.setTextCursor(cursor);
}

inline QString marked(const quoll::editor::SqlEdit &edit)
{
    QString text = edit.toPlainText();
    const QTextCursor cursor = edit.textCursor();
    const int caret = cursor.position();
    const int anchor = cursor.anchor();
    if (anchor != caret && anchor > caret)
        text.insert(anchor, u'^');
    text.insert(caret, u'|');
    if (anchor != caret && anchor < caret)
        text.insert(anchor, u'^');
    return text;
}

} // namespace editortest
