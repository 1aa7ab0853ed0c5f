#include "itemcsv.h"

#include "choicelist.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegExp>
#include <QSaveFile>
#include <QTextCodec>
#include <QTextStream>

namespace {
constexpr int kItemNumberDigits = 2;
constexpr int kLastItemNumber = 255; // the write frame carries the item number in one byte
constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// Action items written by files that leave a blank after every comma.
const QStringList &knownActionItems()
{
    static const QStringList names{QStringLiteral("保存配置"), QStringLiteral("重启设备")};
    return names;
}

// Texts of this file are translated in the context of the main window, which shows them.
QString openFailedText(const QString &fileName)
{
    return QCoreApplication::translate("MainWindow", "打开文件失败: %1").arg(fileName);
}
} // namespace

QString itemFileLine(const ItemRowText &row)
{
    // The name as the edit step shows it; the value keeps the blank after its ':'.
    const QString name = prepareItemEdit(row.column0, row.column1).name;
    QString value = row.column1;
    if (value.startsWith(QLatin1Char(':')))
        value.remove(0, 1);
    return QStringLiteral("%1. %2,%3")
            .arg(row.item, kItemNumberDigits, 10, QLatin1Char('0'))
            .arg(name, value);
}

bool parseItemFileLine(const QString &line, ItemRecord *record)
{
    // Greedy: the name runs to the last comma, the value may be empty.
    QRegExp pattern(QStringLiteral("^(\\d+)\\.(.+),(.+)?"), Qt::CaseSensitive);
    if (pattern.indexIn(line) != 0)
        return false;
    bool numberOk = false;
    const int item = pattern.cap(1).trimmed().toInt(&numberOk, 10);
    // A larger number would reach another item through the frame's one byte.
    if (!numberOk || item > kLastItemNumber)
        return false;
    const QString name = pattern.cap(2).trimmed();
    record->item = item;
    record->fields = QStringList{name};
    // An action item's line ends right at its comma; an item with an empty
    // value keeps the blank after it. Taking an action item for one with an
    // empty value would execute it on the next write of all items.
    const bool valueAbsent = pattern.cap(3).isEmpty();
    if (!valueAbsent && !knownActionItems().contains(name))
        record->fields.append(pattern.cap(3).trimmed());
    return true;
}

QString exportItemFile(const QString &fileName, const QVector<ItemRowText> &rows)
{
    // Written beside the target, which takes its name only once every byte is
    // on disk: a full disk leaves an older file whole instead of cut mid-line,
    // where a later import would take the cut value for the instrument's.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return openFailedText(fileName);
    file.write(kUtf8Bom, sizeof(kUtf8Bom) - 1);
    QTextStream stream(&file);
    stream.setCodec(QTextCodec::codecForName("UTF-8"));
    for (const ItemRowText &row : rows)
        stream << itemFileLine(row) << '\n';
    stream.flush();
    if (stream.status() != QTextStream::Ok || !file.commit())
        return QCoreApplication::translate("MainWindow", "写入文件失败: %1").arg(fileName);
    return QString();
}

QString importItemFile(const QString &fileName, QVector<ItemRecord> *records)
{
    records->clear();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return openFailedText(fileName);
    QTextStream stream(&file);
    // Files without a byte-order mark come from editors in the machine's own encoding.
    stream.setCodec(QTextCodec::codecForLocale());
    stream.setAutoDetectUnicode(true);

    // An exported empty tree is a byte-order mark alone; it must load back as
    // an empty list, not as one empty line.
    QStringList lines = stream.readAll().split(QLatin1Char('\n'));
    if (lines.constLast().isEmpty())
        lines.removeLast(); // nothing after the last line end, or no text at all
    QVector<ItemRecord> parsed;
    for (int number = 0; number < lines.size(); ++number) {
        QString &line = lines[number];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        ItemRecord record;
        if (!parseItemFileLine(line, &record))
            return QCoreApplication::translate("MainWindow", "文件解析错误: 第%1行")
                    .arg(number + 1);
        parsed.append(record);
    }
    *records = parsed;
    return QString();
}
