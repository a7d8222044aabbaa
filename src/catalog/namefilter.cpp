#include "catalog/namefilter.h"

#include <QComboBox>

using namespace Qt::Literals::StringLiterals;

namespace quoll::catalog {

namespace {

// The piece without leading and trailing characters of codes up to 32.
QString trimmedPiece(const QString &piece)
{
    qsizetype begin = 0, end = piece.size();
    while (begin < end && piece[begin].unicode() <= 32)
        ++begin;
    while (end > begin && piece[end - 1].unicode() <= 32)
        --end;
    return piece.mid(begin, end - begin);
}

} // namespace

QString nameFilterCondition(const QString &filterText, const QString &field)
{
    QStringList alternatives;
    // Emptiness is judged on the piece as typed, before trimming.
    for (const QString &piece : filterText.split(u';'))
        if (!piece.isEmpty())
            alternatives.append(field + u" matches \""_s + trimmedPiece(piece) + u'"');
    if (alternatives.isEmpty())
        return {};
    return u" and ("_s + alternatives.join(u" or "_s) + u')';
}

void recordFilterText(QStringList &history, const QString &text)
{
    if (history.isEmpty())
        return;
    // The last slot equal to the text, or the oldest slot when none is.
    qsizetype k = history.size() - 1;
    for (qsizetype i = history.size() - 1; i >= 0; --i) {
        if (history[i] == text) {
            k = i;
            break;
        }
    }
    for (qsizetype j = k - 1; j >= 0; --j)
        history[j + 1] = history[j];
    history[0] = text;
}

QStringList filterHistory(const QComboBox &box)
{
    QStringList history;
    for (int i = 0; i < box.count(); ++i)
        history.append(box.itemText(i));
    return history;
}

void setFilterHistory(QComboBox &box, const QStringList &history)
{
    for (int i = 0; i < box.count() && i < history.size(); ++i)
        box.setItemText(i, history[i]);
    box.setCurrentIndex(0);
    box.setEditText(box.itemText(0));
}

void AddNameFilter(QComboBox &box, const QString &field, QString &condition)
{
    const QString text = box.currentText();
    QStringList history = filterHistory(box);
    recordFilterText(history, text);
    setFilterHistory(box, history);
    condition += nameFilterCondition(text, field);
}

} // namespace quoll::catalog
