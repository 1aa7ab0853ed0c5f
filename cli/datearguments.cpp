#include "datearguments.h"

#include <QRegularExpression>

namespace {
constexpr int kFirstYear = 2000;
constexpr int kLastYear = 2099;

// Why text, written in the right form, names no day or moment: 2026-02-30,
// or 25:00:00. Empty when its form is wrong as well (a moment needs its time,
// a day has none).
QString nonexistentError(const QString &text, bool moment)
{
    static const QRegularExpression shape(
            QStringLiteral("^(\\d{4})-(\\d\\d)-(\\d\\d)(?: (\\d\\d):(\\d\\d):(\\d\\d))?$"));
    const QRegularExpressionMatch match = shape.match(text.trimmed());
    if (!match.hasMatch() || match.captured(4).isEmpty() == moment)
        return QString();
    if (!QDate::isValid(match.captured(1).toInt(), match.captured(2).toInt(),
                        match.captured(3).toInt()))
        return DateArguments::tr("这个日期不存在: %1").arg(text);
    return DateArguments::tr("这个时间不存在: %1").arg(text);
}
} // namespace

QDate DateArguments::parseDay(const QString &text, QString *error)
{
    const QDate day = QDate::fromString(text.trimmed(), QString::fromLatin1(kDayFormat));
    if (!day.isValid()) {
        *error = nonexistentError(text, false);
        if (error->isEmpty())
            *error = tr("日期应写作 yyyy-MM-dd: %1").arg(text);
        return QDate();
    }
    *error = yearError(day);
    return error->isEmpty() ? day : QDate();
}

QDateTime DateArguments::parseMoment(const QString &text, QString *error)
{
    const QDateTime moment
            = QDateTime::fromString(text.trimmed(), QString::fromLatin1(kMomentFormat));
    if (!moment.isValid()) {
        *error = nonexistentError(text, true);
        if (error->isEmpty())
            *error = tr("时间应写作 yyyy-MM-dd hh:mm:ss: %1").arg(text);
        return QDateTime();
    }
    *error = yearError(moment.date());
    return error->isEmpty() ? moment : QDateTime();
}

QString DateArguments::yearError(const QDate &day)
{
    if (day.year() >= kFirstYear && day.year() <= kLastYear)
        return QString();
    return tr("仪表只认 %1 到 %2 年的日期: %3")
            .arg(kFirstYear)
            .arg(kLastYear)
            .arg(day.toString(QString::fromLatin1(kDayFormat)));
}
