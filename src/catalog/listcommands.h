#pragma once

#include "catalog/tableinfo.h"

#include <QObject>

#include <functional>

class QAction;
class QMenu;

namespace quoll {
class Dialogs;
}
namespace quoll::widgets {
class ReportList;
}

namespace quoll::catalog {

class BrowserQueries;
class CatalogPane;

// The colours a user chose for a list, kept on it as QColor properties
// for the settings file.
inline constexpr const char *ChosenTextColour = "chosenTextColour";
inline constexpr const char *ChosenBackground = "chosenBackground";

// The pop-up menu `pmLW` of the six catalog lists: the font and background
// of the list it was opened on, printing that list as a page in the browser,
// and the text of the selected trigger or view in the value viewer.
class ListCommands : public QObject
{
    Q_OBJECT

public:
    struct Parts
    {
        CatalogPane &pane;
        QMenu &menu;
        BrowserQueries &queries;
        const TableInfoList &tableInfos;
        Dialogs &dialogs;
        std::function<bool(const std::function<void()> &)> guard;
        // `ShowInViewer`.
        std::function<void(const QString &)> showInViewer;
        // Says that the printed page could not be written or shown (the
        // status bar).
        std::function<void(const QString &)> reportFailure;
        // Hands a written page to the desktop, the browser by default; false
        // when nothing can show it.
        std::function<bool(const QString &)> openPage;
    };

    explicit ListCommands(Parts parts, QObject *parent = nullptr);

    // The list the menu was last opened on, or none.
    widgets::ReportList *popupList() const;

    void pmLWPopup();
    void miLWFontClick();
    void miLWColorClick();
    void miLWprintClick();
    void miShowTriggerClick();
    void miShowViewClick();

private:
    QAction *item(const char *name) const;
    Parts m_parts;
};

} // namespace quoll::catalog
