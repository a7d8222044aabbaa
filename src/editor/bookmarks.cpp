#include "editor/bookmarks.h"

#include <QTextBlock>
#include <QTextDocument>

namespace quoll::editor {

void Bookmarks::toggle(int number, int position)
{
    if (!valid(number))
        return;
    const QTextBlock target = m_document->findBlock(position);
    if (!target.isValid())
        return;
    if (line(number) == target.blockNumber()) {
        clear(number);
        return;
    }
    m_marks[size_t(number)] = QTextCursor(m_document);
    m_marks[size_t(number)].setPosition(position);
}

void Bookmarks::clear(int number)
{
    if (valid(number))
        m_marks[size_t(number)] = QTextCursor();
}

void Bookmarks::clearAll()
{
    for (QTextCursor &mark : m_marks)
        mark = QTextCursor();
}

bool Bookmarks::isSet(int number) const
{
    return valid(number) && !m_marks[size_t(number)].isNull();
}

std::optional<int> Bookmarks::position(int number) const
{
    if (!isSet(number))
        return std::nullopt;
    return m_marks[size_t(number)].position();
}

int Bookmarks::line(int number) const
{
    return isSet(number) ? m_marks[size_t(number)].blockNumber() : -1;
}

int Bookmarks::onLine(int line) const
{
    for (int number = 0; number < Count; ++number)
        if (this->line(number) == line)
            return number;
    return -1;
}

} // namespace quoll::editor
