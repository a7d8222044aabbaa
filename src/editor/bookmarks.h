#pragma once

#include <QTextCursor>

#include <array>
#include <optional>

class QTextDocument;

namespace quoll::editor {

// The ten numbered bookmarks of a control. Each one is a place in the text
// that moves with the edits around it.
class Bookmarks
{
public:
    static constexpr int Count = 10;

    explicit Bookmarks(QTextDocument *document) : m_document(document) {}

    // Sets bookmark `number` at `position`; when it already marks the line
    // of `position`, clears it instead (the same key toggles it).
    void toggle(int number, int position);
    void clear(int number);
    void clearAll();

    bool isSet(int number) const;
    // The bookmark's position, nothing when it is not set.
    std::optional<int> position(int number) const;
    // The line (block number) of the bookmark, -1 when it is not set.
    int line(int number) const;
    // The number of a bookmark on `line`, -1 when none is there.
    int onLine(int line) const;

private:
    static bool valid(int number) { return number >= 0 && number < Count; }

    QTextDocument *m_document;
    std::array<QTextCursor, Count> m_marks;
};

} // namespace quoll::editor
