#include "historygenerator.h"

namespace {
const QString kLineEnd = QStringLiteral("\r\n");

// Repeatable readings that still vary from record to record.
double wobble(qint64 seed, int spread)
{
    return static_cast<double>((seed * 7919 + 104729) % spread) / 10.0;
}
} // namespace

QString HistoryGenerator::headerLine()
{
    return QStringLiteral("时间,温度,压力,流量") + kLineEnd;
}

QString HistoryGenerator::recordLine(const QDate &day, int hour)
{
    const qint64 seed = day.toJulianDay() * 24 + hour;
    const double temperature = 18.0 + wobble(seed, 80);
    const double pressure = 100.0 + wobble(seed + 1, 40);
    const double flow = 10.0 + wobble(seed + 2, 60);
    return QStringLiteral("%1 %2:00:00,%3,%4,%5")
                   .arg(day.toString(QStringLiteral("yyyy-MM-dd")))
                   .arg(hour, 2, 10, QLatin1Char('0'))
                   .arg(temperature, 0, 'f', 1)
                   .arg(pressure, 0, 'f', 1)
                   .arg(flow, 0, 'f', 1)
            + kLineEnd;
}

QString HistoryGenerator::text(const QDate &first, const QDate &last)
{
    QString text = headerLine();
    if (!first.isValid() || !last.isValid())
        return text;
    int records = 0;
    for (QDate day = first; day <= last; day = day.addDays(1)) {
        for (int hour = 0; hour < 24; hour += kHoursBetweenRecords) {
            if (records++ == kMaxRecords)
                return text;
            text += recordLine(day, hour);
        }
    }
    return text;
}
