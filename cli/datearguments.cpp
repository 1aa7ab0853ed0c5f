#include "datearguments.h"

namespace {
constexpr int kFirstYear = 2000;
constexpr int kLastYear = 2099;
} // namespace

QDate DateArguments::parseDay(const QString &text, QString *error)
{
    const QDate day = QDate::fromString(text.trimmed(), QString::fromLatin1(kDayFormat));
    if (!day.isValid()) {
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
