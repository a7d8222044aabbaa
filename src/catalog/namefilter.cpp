#include "catalog/namefilter.h"

#include <QStringList>

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

} // namespace quoll::catalog
