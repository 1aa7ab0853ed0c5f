#ifndef NORVO_DATEARGUMENTS_H
#define NORVO_DATEARGUMENTS_H

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QString>

// Days and moments given on the command line. The instrument's frames carry
// the year without its century, so only 2000 to 2099 can be sent: 1999 would
// arrive as 2099.
class DateArguments
{
    Q_DECLARE_TR_FUNCTIONS(DateArguments)

public:
    static constexpr char kDayFormat[] = "yyyy-MM-dd";
    static constexpr char kMomentFormat[] = "yyyy-MM-dd hh:mm:ss";

    // The day "yyyy-MM-dd" names; invalid, with error set, when there is none
    // or it cannot be sent.
    static QDate parseDay(const QString &text, QString *error);
    // The same for a moment "yyyy-MM-dd hh:mm:ss".
    static QDateTime parseMoment(const QString &text, QString *error);
    // Why the day cannot be sent; empty when it can.
    static QString yearError(const QDate &day);
};

#endif
