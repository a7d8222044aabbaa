#include "scripteddialogs.h"

#include <QDialog>

namespace quoll::testing {

QList<ScriptedDialogs::Call> ScriptedDialogs::messages() const
{
    QList<Call> result;
    for (const Call &c : m_calls)
        if (c.kind == Kind::Message)
            result.append(c);
    return result;
}

int ScriptedDialogs::unexpectedCalls() const
{
    int count = 0;
    for (const Call &c : m_calls)
        if (c.kind != Kind::Message && !c.answered)
            ++count;
    return count;
}

void ScriptedDialogs::clear()
{
    m_calls.clear();
    m_questions.clear();
    m_openFiles.clear();
    m_saveFiles.clear();
    m_fonts.clear();
    m_colours.clear();
    m_dialogs.clear();
}

void ScriptedDialogs::message(Icon icon, const QString &title, const QString &text)
{
    m_calls.append({Kind::Message, title, text, icon, true});
}

Dialogs::Button ScriptedDialogs::question(const QString &title, const QString &text, Buttons buttons,
                                          Button defaultButton)
{
    const bool answered = !m_questions.isEmpty();
    m_calls.append({Kind::Question, title, text, Icon::Question, answered});
    if (answered)
        return m_questions.dequeue();
    return buttons.testFlag(Button::Cancel) ? Button::Cancel : defaultButton;
}

std::optional<QString> ScriptedDialogs::openFileName(const FileRequest &request)
{
    const bool answered = !m_openFiles.isEmpty();
    m_calls.append({Kind::OpenFile, request.title, request.fileName, Icon::Information, answered});
    const QString name = answered ? m_openFiles.dequeue() : QString();
    return name.isEmpty() ? std::nullopt : std::optional<QString>(name);
}

std::optional<QString> ScriptedDialogs::saveFileName(const FileRequest &request)
{
    const bool answered = !m_saveFiles.isEmpty();
    m_calls.append({Kind::SaveFile, request.title, request.fileName, Icon::Information, answered});
    const QString name = answered ? m_saveFiles.dequeue() : QString();
    return name.isEmpty() ? std::nullopt : std::optional<QString>(name);
}

std::optional<QFont> ScriptedDialogs::font(const QFont &, const QString &title)
{
    const bool answered = !m_fonts.isEmpty();
    m_calls.append({Kind::Font, title, QString(), Icon::Information, answered});
    return answered ? std::optional<QFont>(m_fonts.dequeue()) : std::nullopt;
}

std::optional<QColor> ScriptedDialogs::colour(const QColor &, const QString &title)
{
    const bool answered = !m_colours.isEmpty();
    m_calls.append({Kind::Colour, title, QString(), Icon::Information, answered});
    return answered ? std::optional<QColor>(m_colours.dequeue()) : std::nullopt;
}

// An unscripted dialog is answered as if the user cancelled it, without
// ever showing it (a modal loop would hang the test).
int ScriptedDialogs::exec(QDialog &dialog)
{
    const bool answered = !m_dialogs.isEmpty();
    m_calls.append({Kind::Dialog, dialog.windowTitle(), QString(), Icon::Information, answered});
    if (!answered)
        return QDialog::Rejected;
    return m_dialogs.dequeue()(dialog);
}

} // namespace quoll::testing
