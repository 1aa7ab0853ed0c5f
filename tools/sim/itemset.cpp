#include "itemset.h"

#include "commandset.h"

#include <QFile>
#include <QTextCodec>

namespace {
constexpr QChar kCommentMark = QLatin1Char('#');
constexpr QChar kReadOnlyMark = QLatin1Char('!');
constexpr QChar kValueSeparator = QLatin1Char(':');

bool parseLine(const QString &line, SimItem *item, QString *reason)
{
    QString rest = line;
    const bool readOnly = rest.startsWith(kReadOnlyMark);
    if (readOnly)
        rest = rest.mid(1);
    const int colon = rest.indexOf(kValueSeparator);
    const QString name = (colon < 0 ? rest : rest.left(colon)).trimmed();
    if (name.isEmpty()) {
        *reason = QStringLiteral("item without a name");
        return false;
    }
    if (colon < 0) {
        if (readOnly) {
            *reason = QStringLiteral("an action item cannot be read-only");
            return false;
        }
        *item = SimItem::action(name);
    } else {
        *item = SimItem(name, rest.mid(colon + 1).trimmed(), readOnly);
    }
    static QTextCodec *const gb2312 = QTextCodec::codecForName("gb2312");
    if (!gb2312->canEncode(item->text())) {
        *reason = QStringLiteral("text has characters outside GB2312");
        return false;
    }
    if (encodeGb2312(item->text()).size() > kMaxAnswerTextBytes) {
        *reason = QStringLiteral("item text longer than %1 bytes").arg(kMaxAnswerTextBytes);
        return false;
    }
    return true;
}
} // namespace

ItemSet ItemSet::builtIn()
{
    ItemSet set;
    set.append(SimItem(QStringLiteral("设备名称"), QStringLiteral("NV-100 流量计")));
    set.append(SimItem(QStringLiteral("设备型号"), QStringLiteral("NV-100A")));
    set.append(SimItem(QStringLiteral("序列号"), QStringLiteral("NV2026120601"), true));
    set.append(SimItem(QStringLiteral("固件版本"), QStringLiteral("V2.31"), true));
    set.append(SimItem(QStringLiteral("工作模式(自动/手动/测试)"), QStringLiteral("自动")));
    set.append(SimItem(QStringLiteral("背光(ON/OFF)"), QStringLiteral("ON")));
    set.append(SimItem(QStringLiteral("采样倍率(1/10/100)"), QStringLiteral("10")));
    set.append(
            SimItem(QStringLiteral("波特率(9600/19200/38400/115200)"), QStringLiteral("115200")));
    set.append(SimItem(QStringLiteral("通讯地址"), QStringLiteral("1")));
    set.append(SimItem(QStringLiteral("量程上限"), QStringLiteral("500.0")));
    set.append(SimItem(QStringLiteral("量程下限"), QStringLiteral("0.0")));
    set.append(SimItem(QStringLiteral("报警上限"), QStringLiteral("450.0")));
    set.append(SimItem(QStringLiteral("阻尼时间(s)"), QStringLiteral("3")));
    set.append(SimItem(QStringLiteral("报警时间"), QStringLiteral("12:30")));
    set.append(SimItem(QStringLiteral("安装位置"), QStringLiteral("一号泵房")));
    set.append(SimItem(QStringLiteral("用户备注"), QString()));
    set.append(SimItem(QStringLiteral("累计流量"), QStringLiteral("12345.6"), true));
    set.append(SimItem(QStringLiteral("设备时间"), QStringLiteral("2026-12-06 10:00:00"), true));
    set.append(SimItem::action(QStringLiteral("保存配置")));
    set.append(SimItem::action(QStringLiteral("重启设备")));
    return set;
}

bool ItemSet::parse(const QString &text, ItemSet *out, QString *error)
{
    ItemSet set;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(kCommentMark))
            continue;
        SimItem item;
        QString reason;
        if (set.count() == kMaxItems)
            reason = QStringLiteral("more than %1 items").arg(kMaxItems);
        else
            parseLine(line, &item, &reason);
        if (!reason.isEmpty()) {
            if (error)
                *error = QStringLiteral("line %1: %2").arg(i + 1).arg(reason);
            return false;
        }
        set.append(item);
    }
    *out = set;
    return true;
}

bool ItemSet::load(const QString &path, ItemSet *out, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    QTextCodec::ConverterState state;
    const QByteArray bytes = file.readAll();
    const QString text
            = QTextCodec::codecForName("utf-8")->toUnicode(bytes.constData(), bytes.size(), &state);
    QString reason;
    if (state.invalidChars > 0)
        reason = QStringLiteral("not UTF-8 text");
    else if (parse(text, out, &reason))
        return true;
    if (error)
        *error = QStringLiteral("%1: %2").arg(path, reason);
    return false;
}

int ItemSet::indexOf(const QString &name) const
{
    for (int i = 0; i < m_items.size(); ++i) {
        if (m_items.at(i).name() == name)
            return i;
    }
    return -1;
}
