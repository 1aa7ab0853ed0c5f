#include "configurationmode.h"

#include "commandset.h"
#include "seriallink.h"

namespace {
constexpr char kDataAnswerAddress = char(0xFF);
constexpr char kDataAnswerFunction = 0x03;
constexpr int kClockFieldCount = 7;
constexpr int kCenturyBase = 2000;
const QString kClockItemName = QStringLiteral("设备时间");
const QString kClockFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");
constexpr char kDebugOn[] = "1";
constexpr char kDebugOff[] = "0";
constexpr qint64 kDebugDriftStepMs = 1000; // the debug temperature creeps once a second

constexpr int kHistoryDatesOffset = 3; // after the fixed 91 00 04
constexpr int kHistoryDateBytes = 6;   // first and last day, three bytes each
constexpr int kHistoryHoursBetweenRecords = 6;
// The instrument stops a long range here rather than streaming for minutes.
constexpr int kMaxHistoryRecords = 400;
constexpr int kHistoryChunkBytes = 200;
// Below the 50 ms of quiet after which the history reader stops listening.
constexpr int kHistoryChunkGapMs = 15;
const QString kLineEnd = QStringLiteral("\r\n");

const QDateTime kFactoryClock(QDate(2026, 12, 6), QTime(10, 0, 0));

QDate dateFrom(const QByteArray &bytes, int offset)
{
    const auto field = [&](int i) {
        return static_cast<quint8>(bytes.at(offset + i));
    };
    return QDate(kCenturyBase + field(0), field(1), field(2));
}

// Repeatable readings that still vary from record to record.
double wobble(qint64 seed, int spread)
{
    return static_cast<double>((seed * 7919 + 104729) % spread) / 10.0;
}

QString historyRecord(const QDate &day, int hour)
{
    const qint64 seed = day.toJulianDay() * 24 + hour;
    return QStringLiteral("%1 %2:00:00,%3,%4,%5")
                   .arg(day.toString(QStringLiteral("yyyy-MM-dd")))
                   .arg(hour, 2, 10, QLatin1Char('0'))
                   .arg(18.0 + wobble(seed, 80), 0, 'f', 1)
                   .arg(100.0 + wobble(seed + 1, 40), 0, 'f', 1)
                   .arg(10.0 + wobble(seed + 2, 60), 0, 'f', 1)
            + kLineEnd;
}

// A header line and one line per record from first to last, both days included;
// a reversed or invalid range gives the header alone.
QString historyText(const QDate &first, const QDate &last)
{
    QString text = QStringLiteral("时间,温度,压力,流量") + kLineEnd;
    if (!first.isValid() || !last.isValid())
        return text;
    int records = 0;
    for (QDate day = first; day <= last; day = day.addDays(1)) {
        for (int hour = 0; hour < 24; hour += kHistoryHoursBetweenRecords) {
            if (records++ == kMaxHistoryRecords)
                return text;
            text += historyRecord(day, hour);
        }
    }
    return text;
}

QList<ReplyChunk> historyAnswer(const QByteArray &dates)
{
    QDate first;
    QDate last;
    if (dates.size() == kHistoryDatesOffset + kHistoryDateBytes) {
        first = dateFrom(dates, kHistoryDatesOffset);
        last = dateFrom(dates, kHistoryDatesOffset + kHistoryDateBytes / 2);
    }
    const QByteArray text = encodeGb2312(historyText(first, last));
    QList<ReplyChunk> chunks;
    for (int at = 0; at < text.size(); at += kHistoryChunkBytes)
        chunks.append(ReplyChunk{text.mid(at, kHistoryChunkBytes),
                                 chunks.isEmpty() ? 0 : kHistoryChunkGapMs});
    return chunks;
}
} // namespace

ConfigurationMode::ConfigurationMode(const ItemSet &items)
{
    setItems(items);
}

void ConfigurationMode::setItems(const ItemSet &items)
{
    m_items = items;
    m_clockBase = kFactoryClock;
    const int clockItem = m_items.indexOf(kClockItemName);
    if (clockItem >= 0) {
        const QDateTime fromItem
                = QDateTime::fromString(m_items.at(clockItem).value(), kClockFormat);
        if (fromItem.isValid())
            m_clockBase = fromItem;
    }
    m_sinceClockSet.start();
}

ItemSet ConfigurationMode::items() const
{
    ItemSet current = m_items;
    const int clockItem = current.indexOf(kClockItemName);
    if (clockItem >= 0 && current.at(clockItem).hasValue())
        current[clockItem].setValue(clockText());
    return current;
}

QString ConfigurationMode::clockText() const
{
    return m_clockBase.addMSecs(m_sinceClockSet.elapsed()).toString(kClockFormat);
}

QByteArray ConfigurationMode::dataAnswer(const QByteArray &text)
{
    QByteArray answer;
    answer.append(kDataAnswerAddress).append(kDataAnswerFunction);
    answer.append(static_cast<char>(text.size())).append(text);
    appendCrc(answer);
    return answer;
}

QList<ReplyChunk> ConfigurationMode::answer(const SimRequest &request)
{
    QByteArray single;
    switch (request.kind) {
    case SimRequest::ReadItem:
        single = readItem(request.item);
        break;
    case SimRequest::WriteItem:
        single = request.item == kDebugSwitchItem ? switchDebugOutput(request.payload)
                                                  : writeItem(request.item, request.payload);
        break;
    case SimRequest::SetClock:
        single = setClock(request.payload);
        break;
    case SimRequest::History:
        return historyAnswer(request.payload);
    default:
        // Boot-loader requests and unknown layouts go unanswered by the firmware.
        return {};
    }
    return {ReplyChunk{single, 0}};
}

QByteArray ConfigurationMode::readItem(int index) const
{
    if (!m_items.contains(index))
        return dataAnswer(QByteArray());
    return dataAnswer(encodeGb2312(items().at(index).text()));
}

QByteArray ConfigurationMode::writeItem(int index, const QByteArray &text)
{
    if (!m_items.contains(index))
        return dataAnswer(QByteArray());
    // A refused value leaves the item unchanged, and the echo shows the old value.
    m_items[index].write(decodeGb2312(text));
    return readItem(index);
}

QByteArray ConfigurationMode::switchDebugOutput(const QByteArray &text)
{
    if (text == kDebugOn) {
        if (!m_debugOn)
            m_debugLines = 0;
        m_debugOn = true;
    } else if (text == kDebugOff)
        m_debugOn = false;
    return dataAnswer(encodeGb2312(QStringLiteral("调试:%1").arg(m_debugOn ? 1 : 0)));
}

QByteArray ConfigurationMode::setClock(const QByteArray &fields)
{
    const QByteArray refusal = dataAnswer(QByteArrayLiteral("NG"));
    if (fields.size() != kClockFieldCount)
        return refusal;
    const auto field = [&](int i) {
        return static_cast<quint8>(fields.at(i));
    };
    const QDate date = dateFrom(fields, 0);
    const QTime time(field(3), field(4), field(5));
    const int weekday = field(6);
    if (!date.isValid() || !time.isValid() || weekday < 1 || weekday > 7)
        return refusal;
    m_storedClock = QDateTime(date, time);
    m_clockBase = m_storedClock;
    m_sinceClockSet.restart();
    return clockAcknowledgement();
}

QByteArray ConfigurationMode::debugLine(qint64 uptimeMs)
{
    if (!m_debugOn)
        return QByteArray();
    const double temperature = 21.0 + static_cast<double>(uptimeMs / kDebugDriftStepMs % 10) / 10.0;
    const QString line = QStringLiteral("DBG #%1 t=%2 温度=%3 流量=12.0\r\n")
                                 .arg(++m_debugLines)
                                 .arg(uptimeMs)
                                 .arg(temperature, 0, 'f', 1);
    return encodeGb2312(line);
}
