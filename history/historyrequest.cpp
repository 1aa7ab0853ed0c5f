#include "historyrequest.h"

#include "bootframe.h"

namespace {
constexpr quint16 kHistoryCommand = 0x4E9F;
// The instrument expects the length field 7 although nine data bytes follow.
constexpr quint16 kHistoryLengthField = 0x0007;
constexpr char kHistoryDataStart[] = {char(0x91), 0x00, 0x04};
constexpr int kYearsPerCentury = 100;

void appendDate(QByteArray &data, const QDate &date)
{
    data.append(static_cast<char>(date.year() % kYearsPerCentury));
    data.append(static_cast<char>(date.month()));
    data.append(static_cast<char>(date.day()));
}
} // namespace

QByteArray makeHistoryRequest(const QDate &first, const QDate &last)
{
    QByteArray data(kHistoryDataStart, sizeof kHistoryDataStart);
    appendDate(data, first);
    appendDate(data, last);
    return bootFrame(kHistoryCommand, kHistoryLengthField, data);
}
