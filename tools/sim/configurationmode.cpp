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
constexpr int kSecondsPerDay = 24 * 60 * 60;
// Records leave the instrument in blocks with a short pause between them,
// well below the 50 ms of quiet after which the history reader stops listening.
constexpr int kHistoryChunkBytes = 1024;
constexpr int kHistoryChunkGapMs = 2;
const QString kLineEnd = QStringLiteral("\r\n");

const QDateTime kFactoryClock(QDate(2026, 12, 6), QTime(10, 0, 0));

QDate dateFrom(const QByteArray &bytes, int offset)
{
    const auto field = [&](int i) {
        return static_cast<quint8>(bytes.at(offset + i));
    };
    return QDate(kCenturyBase + field(0), field(1), field(2));
}

// Repeatable readings that still vary from record to record, however the
// records are spaced.
double wobble(qint64 seed, int spread)
{
    const quint64 mixed = static_cast<quint64>(seed) * 0x9E3779B97F4A7C15ULL; // golden-ratio hash
    return static_cast<double>((mixed >> 40) % static_cast<quint64>(spread)) / 10.0;
}

QString historyRecord(const QDateTime &stamp)
{
    const qint64 seed = stamp.toSecsSinceEpoch() * 3;
    return QStringLiteral("%1,%2,%3,%4")
                   .arg(stamp.toString(kClockFormat))
                   .arg(18.0 + wobble(seed, 80), 0, 'f', 1)
                   .arg(100.0 + wobble(seed + 1, 40), 0, 'f', 1)
                   .arg(10.0 + wobble(seed + 2, 60), 0, 'f', 1)
            + kLineEnd;
}

// A header line and recordsPerDay records, evenly spread over each day from
// first to last, both included; a reversed or invalid range gives the header alone.
QString historyText(const QDate &first, const QDate &last, int recordsPerDay)
{
    QString text = QStringLiteral("时间,温度,压力,流量") + kLineEnd;
    if (!first.isValid() || !last.isValid())
        return text;
    const int secondsBetween = recordsPerDay > 0 ? kSecondsPerDay / recordsPerDay : kSecondsPerDay;
    int records = 0;
    for (QDate day = first; day <= last; day = day.addDays(1)) {
        const QDateTime midnight(day, QTime(0, 0), Qt::UTC); // no clock change inside a day
        for (int i = 0; i < recordsPerDay; ++i) {
            if (records++ == ConfigurationMode::kMaxHistoryRecords)
                return text;
            text += historyRecord(midnight.addSecs(static_cast<qint64>(i) * secondsBetween));
        }
    }
    return text;
}

QList<ReplyChunk> historyAnswer(const QByteArray &dates, int recordsPerDay)
{
    QDate first;
    QDate last;
    if (dates.size() == kHistoryDatesOffset + kHistoryDateBytes) {
        first = dateFrom(dates, kHistoryDatesOffset);
        last = dateFrom(dates, kHistoryDatesOffset + kHistoryDateBytes / 2);
    }
    const QByteArray text = encodeGb2312(historyText(first, last, recordsPerDay));
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

QList<ReplyChunk> ConfigurationMode::answer(const SimRequest &request, bool keepWrite)
{
    QByteArray single;
    switch (request.kind) {
    case SimRequest::ReadItem:
        single = readItem(request.item);
        break;
    case SimRequest::WriteItem:
        single = request.item == kDebugSwitchItem
                ? switchDebugOutput(request.payload)
                : writeItem(request.item, request.payload, keepWrite);
        break;
    case SimRequest::SetClock:
        single = setClock(request.payload);
        break;
    case SimRequest::History:
        return historyAnswer(request.payload, m_historyRecordsPerDay);
    default:
        // Boot-loader requests and unknown layouts go unanswered by the firmware.
        return {};
    }
    return {ReplyChunk{single, 0}};
}

void ConfigurationMode::setHistoryRecordsPerDay(int records)
{
    m_historyRecordsPerDay = qBound(0, records, kMaxHistoryRecordsPerDay);
}

QByteArray ConfigurationMode::readItem(int index) const
{
    if (!m_items.contains(index))
        return dataAnswer(QByteArray());
    return dataAnswer(encodeGb2312(items().at(index).text()));
}

QByteArray ConfigurationMode::writeItem(int index, const QByteArray &text, bool keep)
{
    if (!m_items.contains(index))
        return dataAnswer(QByteArray());
    if (!keep) {
        SimItem lost = items().at(index);
        lost.write(decodeGb2312(text));
        return dataAnswer(encodeGb2312(lost.text()));
    }
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
