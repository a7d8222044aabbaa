#include "catalog/listprint.h"

#include "export/htmlreport.h"

#include <QAbstractItemModel>

using namespace Qt::Literals::StringLiterals;

namespace quoll::catalog {

QString listPageHtml(const QAbstractItemModel &list)
{
    using exporting::htmlText;
    const int columns = list.columnCount();
    QString html = exporting::reportHead() + u"<TR>"_s;
    for (int column = 0; column < columns; ++column)
        html += u"<TH >"_s + htmlText(list.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString())
                + u"</TH>"_s;
    html += u"</TR>"_s;
    for (int row = 0; row < list.rowCount(); ++row) {
        html += u"<TR>"_s;
        for (int column = 0; column < columns; ++column)
            html += u"<TD>"_s + htmlText(list.index(row, column).data(Qt::DisplayRole).toString()) + u"</TD>"_s;
        html += u"</TR>"_s;
    }
    return html + exporting::reportEnd() + u"\r\n"_s;
}

} // namespace quoll::catalog
