#include "connection/embedded/catalog/catalogtext.h"

namespace quoll::connection::embedded {

QStringList splitCatalogText(QStringView text, qsizetype length)
{
    Q_ASSERT(length >= 2);
    QStringList pieces;
    qsizetype at = 0;
    while (at < text.size()) {
        qsizetype n = std::min(length, text.size() - at);
        if (at + n < text.size() && text[at + n - 1].isHighSurrogate())
            --n;
        pieces.append(text.mid(at, n).toString());
        at += n;
    }
    return pieces;
}

} // namespace quoll::connection::embedded
