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

// Most statements of a script take well under a second: the text of the
// last whole second is kept rather than formatted again for each.
QString elapsedTimeText(qint64 milliseconds)
{
    const int seconds = int(qMax<qint64>(0, milliseconds) / 1000 % (24 * 3600));
    thread_local int lastSeconds = -1;
    thread_local QString lastText;
    if (seconds != lastSeconds) {
        lastText = longTimeText(QTime::fromMSecsSinceStartOfDay(seconds * 1000));
        lastSeconds = seconds;
    }
    return lastText;
}

} // namespace quoll
