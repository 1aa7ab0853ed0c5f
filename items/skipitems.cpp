#include "skipitems.h"

#include "config.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

namespace {
const QString kNameField = QStringLiteral("设备名称");
const QString kModelField = QStringLiteral("设备型号");
constexpr int kListedLineParts = 2;

bool isNameRow(const QStringList &list)
{
    return !list.isEmpty() && list.first() == kNameField;
}

bool isModelRow(const QStringList &list)
{
    return !list.isEmpty() && list.first() == kModelField;
}
} // namespace

QString skipItemsPath()
{
    return QFileInfo(Config::fileName()).dir().filePath(QString::fromLatin1(kSkipItemsFileName));
}

QString stripSpaces(const QString &text)
{
    QString stripped = text;
    stripped.remove(QLatin1Char(' '));
    return stripped.trimmed();
}

QStringList splitSkipLine(const QString &line)
{
    QStringList parts = line.split(QLatin1Char(','), Qt::KeepEmptyParts);
    if (parts.size() == kListedLineParts) {
        for (QString &part : parts)
            part = stripSpaces(part);
    }
    return parts;
}

SkipTable loadSkipTable(const QString &path)
{
    SkipTable table;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return table;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine();
        const int nul = line.indexOf('\0');
        const QString text = QString::fromUtf8(line.constData(), nul < 0 ? line.size() : nul);
        const QStringList parts = splitSkipLine(text);
        if (parts.size() == kListedLineParts)
            table[parts.at(0)].insert(parts.at(1));
    }
    return table;
}

SkipDecision SkipFilter::decide(const SkipTable &table, int index, const QStringList &list)
{
    SkipDecision decision;
    if (isNameRow(list)) {
        // A second name row while one is held: the held one was not followed by
        // its model, so it is shown rather than lost.
        if (s_held)
            decision.releasedRow = std::exchange(s_held, std::nullopt);
        if (list.size() > 1 && table.contains(stripSpaces(list.at(1)))) {
            s_held = ItemRow{index, list};
            decision.appendRow = false;
        }
        return decision;
    }
    if (!s_held)
        return decision;

    const ItemRow held = *std::exchange(s_held, std::nullopt);
    if (isModelRow(list) && list.size() > 1) {
        const QSet<QString> models = table.value(stripSpaces(held.list.at(1)));
        if (models.contains(stripSpaces(list.at(1)))) {
            decision.appendRow = false;
            return decision;
        }
    }
    decision.releasedRow = held;
    return decision;
}
