#pragma once

#include <QIcon>
#include <QList>
#include <QString>

namespace quoll::widgets {

// An indexed set of pictures, as commands and lists refer to them by number.
// The pictures are SVG files in the program's resources, drawn sharp at any
// size the screen asks for.
class ImageList
{
public:
    // ImageList1: the 32-by-32 command images of tool buttons and actions.
    static ImageList commands();
    // ImageList2: the 16-by-16 icons of the catalog lists, their sort marks
    // and the find buttons.
    static ImageList listIcons();

    // The design size of the pictures in pixels (32 or 16).
    int imageSize() const { return m_imageSize; }
    // The indexes that hold a picture, in ascending order.
    QList<int> indexes() const;
    bool contains(int index) const;
    // The resource alias of a picture (":/icons/execute"), empty when none.
    QString alias(int index) const;
    // The picture, or a null icon for an index without one.
    QIcon icon(int index) const;

private:
    struct Entry
    {
        int index;
        const char *alias;
    };
    ImageList(int imageSize, QList<Entry> entries);

    int m_imageSize;
    QList<Entry> m_entries;
};

// An icon drawn from the SVG resource `alias`; disabled buttons get a greyed
// rendering of the same picture.
QIcon svgIcon(const QString &alias);

// ImageList2 indexes by role.
namespace ListIcon {
enum : int {
    SortAscending = 0,
    SortDescending = 1,
    PrimaryKey = 2,
    Reference = 3,
    Check = 4,
    NotNull = 5,
    UserTable = 6,
    SystemTable = 7,
    UserView = 8,
    SystemView = 9,
    Find = 10,
};
} // namespace ListIcon

} // namespace quoll::widgets
