#pragma once

#include "core/dialogs.h"

#include <QPointer>
#include <QWidget>

namespace quoll::app {

// The real dialogs: Qt's message boxes and file, font and colour dialogs,
// shown modally over the window given as their parent.
class WidgetDialogs : public Dialogs
{
public:
    void setParentWindow(QWidget *window) { m_parent = window; }

    void message(Icon icon, const QString &title, const QString &text) override;
    Button question(const QString &title, const QString &text, Buttons buttons, Button defaultButton) override;
    std::optional<QString> openFileName(const FileRequest &request) override;
    std::optional<QString> saveFileName(const FileRequest &request) override;
    std::optional<QFont> font(const QFont &initial, const QString &title) override;
    std::optional<QColor> colour(const QColor &initial, const QString &title) override;
    int exec(QDialog &dialog) override;

private:
    std::optional<QString> fileName(const FileRequest &request, bool save);

    QPointer<QWidget> m_parent;
};

} // namespace quoll::app
