#include "core/timetext.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>

#include <limits>

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

QTime currentTimeOfDay()
{
    constexpr qint64 MsPerDay = 24 * 3600'000;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const qint64 second = now >= 0 ? now / 1000 : (now - 999) / 1000;
    thread_local qint64 knownSecond = std::numeric_limits<qint64>::min();
    thread_local qint64 offsetMs = 0;
    if (second != knownSecond) {
        offsetMs = qint64(QDateTime::fromMSecsSinceEpoch(second * 1000).offsetFromUtc()) * 1000;
        knownSecond = second;
    }
    const qint64 local = ((now + offsetMs) % MsPerDay + MsPerDay) % MsPerDay;
    return QTime::fromMSecsSinceStartOfDay(int(local));
}

} // namespace quoll
