#include "core/timetext.h"

#include <QLocale>
#include <QRegularExpression>

namespace quoll {

namespace {

const QString &longTimeFormat()
{
    static const QString format = [] {
        QString f = QLocale::system().timeFormat(QLocale::LongFormat);
        f.remove(QRegularExpression(QStringLiteral("\\s*t+")));
        return f.trimmed();
    }();
    return format;
}

} // namespace

QString longTimeText(QTime time)
{
    return QLocale::system().toString(time, longTimeFormat());
}

QString elapsedTimeText(qint64 milliseconds)
{
    return longTimeText(QTime::fromMSecsSinceStartOfDay(int(qMax<qint64>(0, milliseconds) % (24 * 3600 * 1000))));
}

} // namespace quoll
