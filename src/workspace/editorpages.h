#pragma once

#include "widgets/pagecontrol.h"

#include <array>

namespace quoll::editor {
class SqlEdit;
}

namespace quoll::workspace {

// The editor page control `pcSQL`: five pages `tsSQLText1` to `tsSQLText5`
// captioned "1" to "5", tagged 1 to 5, each filled by one editor `mmSQL1` to
// `mmSQL5`. Commands find the editor they act on through the active page's tag.
class EditorPages : public widgets::PageControl
{
    Q_OBJECT

public:
    static constexpr int PageCount = 5;

    explicit EditorPages(QWidget *parent = nullptr);

    // The editor of page 1 to 5.
    editor::SqlEdit *editor(int number) const;
    // The editor whose number equals the tag of the active page, or none
    // when the active page carries another tag.
    editor::SqlEdit *currentEditor() const;

    // The tag of a page (the "tag" property), 0 when it has none.
    static int tagOf(const QWidget *page);

private:
    std::array<editor::SqlEdit *, PageCount> m_editors{};
};

} // namespace quoll::workspace
