#include "workspace/editorpages.h"

#include "editor/sqledit.h"
#include "widgets/screenscale.h"

#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace quoll::workspace {

EditorPages::EditorPages(QWidget *parent) : widgets::PageControl(QTabWidget::West, parent)
{
    setObjectName(u"pcSQL"_s);
    setTabLength(widgets::scaled(30));
    for (int number = 1; number <= PageCount; ++number) {
        auto *page = new QWidget;
        page->setObjectName(u"tsSQLText%1"_s.arg(number));
        page->setProperty("tag", number);
        auto *layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        auto *edit = new editor::SqlEdit(editor::SqlEdit::Mode::Editable, page);
        edit->setObjectName(u"mmSQL%1"_s.arg(number));
        layout->addWidget(edit);
        m_editors[size_t(number - 1)] = edit;
        addTab(page, QString::number(number));
    }
    setCurrentIndex(0);
}

editor::SqlEdit *EditorPages::editor(int number) const
{
    return number >= 1 && number <= PageCount ? m_editors[size_t(number - 1)] : nullptr;
}

editor::SqlEdit *EditorPages::currentEditor() const
{
    return editor(tagOf(currentWidget()));
}

int EditorPages::tagOf(const QWidget *page)
{
    return page ? page->property("tag").toInt() : 0;
}

} // namespace quoll::workspace
