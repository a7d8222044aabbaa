#pragma once

#include <QColor>
#include <QFont>
#include <QFlags>
#include <QString>

#include <optional>

class QDialog;

namespace quoll {

// Every message box, question and file, font and colour dialog of the program
// is reached through this interface, so that tests can answer them.
// The widget implementation lives in app/, a scripted one in the tests.
class Dialogs
{
public:
    enum class Icon { Information, Warning, Error, Question };
    enum class Button { Ok = 0x1, Yes = 0x2, No = 0x4, Cancel = 0x8 };
    Q_DECLARE_FLAGS(Buttons, Button)

    // What a file dialog is asked for; mirrors the options the program's
    // file dialogs carry (the last file name is kept by the caller).
    struct FileRequest
    {
        QString title;
        QString fileName;         // preset name, possibly with a folder
        QString filter;           // Qt filter text, entries separated by ";;"
        QString defaultSuffix;    // appended when the user types no extension
        bool confirmOverwrite = false;
    };

    virtual ~Dialogs() = default;

    // A modal message box with one OK button.
    virtual void message(Icon icon, const QString &title, const QString &text) = 0;

    // A modal question with a question icon; returns the button pressed.
    // Escape answers Cancel when the box has it, else `defaultButton`.
    virtual Button question(const QString &title, const QString &text, Buttons buttons,
                            Button defaultButton) = 0;

    // The chosen file name, or nothing when the user cancels.
    virtual std::optional<QString> openFileName(const FileRequest &request) = 0;
    virtual std::optional<QString> saveFileName(const FileRequest &request) = 0;

    // The chosen font or colour, or nothing when the user cancels.
    virtual std::optional<QFont> font(const QFont &initial, const QString &title) = 0;
    virtual std::optional<QColor> colour(const QColor &initial, const QString &title) = 0;

    // Shows one of the program's own modal dialogs and returns its result
    // (QDialog::Accepted or QDialog::Rejected).
    virtual int exec(QDialog &dialog) = 0;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(Dialogs::Buttons)

} // namespace quoll
