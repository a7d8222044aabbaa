#pragma once

#include <QString>
#include <QTime>

namespace quoll {

// A time of day in the user's long time format (hours, minutes, seconds),
// without the zone name the long format may carry.
QString longTimeText(QTime time);

// An elapsed time written the same way ("0:01:05" or "00:01:05" for a
// minute and five seconds, as the user's format has it); a day or more
// wraps like a clock.
QString elapsedTimeText(qint64 milliseconds);

// The local time of day now, as QTime::currentTime() gives it, at a
// fraction of its cost: the zone's offset from UTC is asked for once per
// second (the C library reads the zone file's status on every call), and
// zone changes fall on whole seconds.
QTime currentTimeOfDay();

} // namespace quoll
