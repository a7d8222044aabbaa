#include "catalog/catalogtext.h"

#include "connection/engine/query.h"

using namespace Qt::Literals::StringLiterals;

namespace quoll::catalog {

QString withCrLfBreaks(const QString &text)
{
    QString out;
    out.reserve(text.size() + text.size() / 32);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            out += u"\r\n"_s;
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else if (c == u'\n') {
            out += u"\r\n"_s;
        } else {
            out += c;
        }
    }
    return out;
}

QString ReadCatalogText(connection::Query &query)
{
    QString text;
    query.open();
    try {
        for (; !query.atEnd(); query.next()) {
            // A NULL piece (NULL || '%' is NULL) adds nothing.
            const QString piece = query.text(0);
            if (!piece.isEmpty())
                text += QStringView(piece).chopped(1);
        }
    } catch (...) {
        query.close();
        throw;
    }
    query.close();
    return withCrLfBreaks(text);
}

QString BuildProcText(const ProcInfo &routine, connection::Query &qProcBd, connection::Query &qProcDc)
{
    QString text = u"drop "_s + (routine.isproc ? u"procedure "_s : u"function "_s) + routine.name + u";\r\n\r\n"_s;
    qProcBd.setParameter(u"procid"_s, routine.procid);
    text += ReadCatalogText(qProcBd);
    qProcDc.setParameter(u"procid"_s, routine.procid);
    text += ReadCatalogText(qProcDc);
    return text + u"\r\n"_s;
}

} // namespace quoll::catalog
