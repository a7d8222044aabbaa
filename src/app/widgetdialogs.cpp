#include "app/widgetdialogs.h"

#include "widgets/waitcursor.h"

#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>

namespace quoll::app {

namespace {

QMessageBox::StandardButton toQt(Dialogs::Button button)
{
    switch (button) {
    case Dialogs::Button::Ok: return QMessageBox::Ok;
    case Dialogs::Button::Yes: return QMessageBox::Yes;
    case Dialogs::Button::No: return QMessageBox::No;
    case Dialogs::Button::Cancel: return QMessageBox::Cancel;
    }
    return QMessageBox::NoButton;
}

QMessageBox::Icon toQt(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::Information: return QMessageBox::Information;
    case Dialogs::Icon::Warning: return QMessageBox::Warning;
    case Dialogs::Icon::Error: return QMessageBox::Critical;
    case Dialogs::Icon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void WidgetDialogs::message(Icon icon, const QString &title, const QString &text)
{
    QMessageBox box(toQt(icon), title, text, QMessageBox::Ok, m_parent);
    box.exec();
}

Dialogs::Button WidgetDialogs::question(const QString &title, const QString &text, Buttons buttons,
                                        Button defaultButton)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, m_parent);
    for (Button b : {Button::Yes, Button::No, Button::Ok, Button::Cancel})
        if (buttons.testFlag(b))
            box.addButton(toQt(b));
    box.setDefaultButton(toQt(defaultButton));
    box.setEscapeButton(toQt(buttons.testFlag(Button::Cancel) ? Button::Cancel : defaultButton));
    switch (box.exec()) {
    case QMessageBox::Ok: return Button::Ok;
    case QMessageBox::Yes: return Button::Yes;
    case QMessageBox::No: return Button::No;
    case QMessageBox::Cancel: return Button::Cancel;
    default: return defaultButton;
    }
}

std::optional<QString> WidgetDialogs::fileName(const FileRequest &request, bool save)
{
    QFileDialog dialog(m_parent, request.title, QString(), request.filter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.confirmOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> WidgetDialogs::openFileName(const FileRequest &request)
{
    return fileName(request, false);
}

std::optional<QString> WidgetDialogs::saveFileName(const FileRequest &request)
{
    return fileName(request, true);
}

std::optional<QFont> WidgetDialogs::font(const QFont &initial, const QString &title)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, m_parent, title);
    return ok ? std::optional<QFont>(chosen) : std::nullopt;
}

std::optional<QColor> WidgetDialogs::colour(const QColor &initial, const QString &title)
{
    const QColor chosen = QColorDialog::getColor(initial, m_parent, title);
    return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
}

// The program's own dialogs have no parent window (they live as long as the
// application); each opens centred on the main window.
int WidgetDialogs::exec(QDialog &dialog)
{
    if (m_parent) {
        dialog.adjustSize();
        QRect bounds = dialog.frameGeometry();
        bounds.moveCenter(m_parent->frameGeometry().center());
        dialog.move(bounds.topLeft());
    }
    const widgets::NormalCursor normal;
    return dialog.exec();
}

} // namespace quoll::app
