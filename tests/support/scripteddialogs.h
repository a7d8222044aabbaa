#pragma once

#include "core/dialogs.h"

#include <QList>
#include <QQueue>
#include <QString>

#include <functional>

namespace quoll::testing {

// Dialogs for tests: every call is recorded, and answers are taken from what
// the test queued beforehand. A call with no queued answer is recorded as
// unexpected and answered like a cancelled dialog.
class ScriptedDialogs : public Dialogs
{
public:
    enum class Kind { Message, Question, OpenFile, SaveFile, Font, Colour, Dialog };
    // Plays the user's part in a modal dialog: types, clicks, presses keys
    // on the real dialog, and returns its result.
    using DialogScript = std::function<int(QDialog &dialog)>;

    struct Call
    {
        Kind kind;
        QString title;
        QString text;        // message or question text; file name preset
        Icon icon = Icon::Information;
        bool answered = false;
    };

    void answerQuestion(Button answer) { m_questions.enqueue(answer); }
    // An empty name stands for the user cancelling the dialog.
    void answerOpenFile(const QString &fileName) { m_openFiles.enqueue(fileName); }
    void answerSaveFile(const QString &fileName) { m_saveFiles.enqueue(fileName); }
    void answerFont(const QFont &font) { m_fonts.enqueue(font); }
    void answerColour(const QColor &colour) { m_colours.enqueue(colour); }
    void answerDialog(DialogScript script) { m_dialogs.enqueue(std::move(script)); }

    const QList<Call> &calls() const { return m_calls; }
    QList<Call> messages() const;
    int unexpectedCalls() const;
    void clear();

    void message(Icon icon, const QString &title, const QString &text) override;
    Button question(const QString &title, const QString &text, Buttons buttons, Button defaultButton) override;
    std::optional<QString> openFileName(const FileRequest &request) override;
    std::optional<QString> saveFileName(const FileRequest &request) override;
    std::optional<QFont> font(const QFont &initial, const QString &title) override;
    std::optional<QColor> colour(const QColor &initial, const QString &title) override;
    int exec(QDialog &dialog) override;

private:
    QList<Call> m_calls;
    QQueue<Button> m_questions;
    QQueue<QString> m_openFiles;
    QQueue<QString> m_saveFiles;
    QQueue<QFont> m_fonts;
    QQueue<QColor> m_colours;
    QQueue<DialogScript> m_dialogs;
};

} // namespace quoll::testing
