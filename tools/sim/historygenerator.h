#ifndef NORVO_HISTORYGENERATOR_H
#define NORVO_HISTORYGENERATOR_H

#include <QDate>
#include <QString>

// Makes up the history records an instrument would have logged over a range of days.
class HistoryGenerator
{
public:
    static constexpr int kRecordsPerDay = 4;
    static constexpr int kHoursBetweenRecords = 24 / kRecordsPerDay;
    // The instrument stops a long range here rather than streaming for minutes.
    static constexpr int kMaxRecords = 400;

    // A header line and one line per record from first to last, both days included.
    // A reversed or invalid range gives the header alone.
    static QString text(const QDate &first, const QDate &last);
    static QString headerLine();
    static QString recordLine(const QDate &day, int hour);
};

#endif
