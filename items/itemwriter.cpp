#include "itemwriter.h"

#include "clocksync.h"
#include "commandset.h"
#include "config.h"
#include "itemrows.h"
#include "seriallink.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSerialPort>

namespace {
ItemWriteResult failure(ItemWriteOutcome outcome, const QString &text)
{
    ItemWriteResult result;
    result.outcome = outcome;
    result.errorText = text;
    return result;
}

// Texts of this file are translated in the context of the main window, which shows them.
QString badEchoText()
{
    return QCoreApplication::translate("MainWindow", "硬件返回数据校验错误");
}
} // namespace

QString ItemWriteResult::echoedValue() const
{
    return echoParts.size() > 1 ? echoParts.at(1).trimmed() : QString();
}

QString itemValueTooLongText()
{
    return QCoreApplication::translate("MainWindow", "写入配置失败,数值过长");
}

ItemWriteResult writeItemToDevice(int item, const QString &value, int expectedFields)
{
    // The count byte of the write frame cannot describe a longer text; refuse
    // it before the port is touched rather than send a corrupt frame.
    if (!itemTextFits(value))
        return failure(ItemWriteOutcome::TooLong, itemValueTooLongText());

    QSerialPort port;
    if (!openSerialPort(port)) {
        return failure(ItemWriteOutcome::PortOpenFailed,
                       openFailureText(port,
                                       QCoreApplication::translate("MainWindow", "打开串口失败: %1")
                                               .arg(QString())));
    }

    QByteArray answer;
    const LinkStatus status = sendAndReceive(port, makeWriteItemFrame(item, value), answer);
    const QString linkError = linkErrorText(status, answer);
    if (!linkError.isEmpty())
        return failure(ItemWriteOutcome::LinkError, linkError);

    QString echo;
    if (checkDataAnswer(answer, &echo) != DataAnswerCheck::Ok)
        return failure(ItemWriteOutcome::BadEcho, badEchoText());

    // An action item echoes its name alone, an item with a value its name, a
    // colon and the value, which may hold colons of its own.
    const QStringList parts = splitItemText(echo);
    if (parts.size() != expectedFields)
        return failure(ItemWriteOutcome::BadEcho, badEchoText());

    ItemWriteResult result;
    result.outcome = ItemWriteOutcome::Written;
    result.echoParts = parts;
    return result;
}

bool writeTaken(const QString &valueTextAfterWrite, const QString &sentValue)
{
    return valueTextAfterWrite.contains(sentValue, Qt::CaseSensitive);
}

bool echoTakesValue(const QString &echoedValue, const QString &sentValue)
{
    if (isClockValue(sentValue) && isClockValue(echoedValue))
        return true;
    return writeTaken(itemValueText(echoedValue), sentValue);
}

bool isClockStamp(const QString &value)
{
    static const QRegularExpression stamp(
            QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$"));
    return stamp.match(value.trimmed()).hasMatch();
}

QVector<BulkWriteStep> bulkWritePlan(const QStringList &valueTexts)
{
    QVector<BulkWriteStep> steps;
    for (int row = 0; row < valueTexts.size(); ++row) {
        const QString &text = valueTexts.at(row);
        if (text.isEmpty())
            continue;
        steps.append({row, text.mid(1).trimmed()});
    }
    return steps;
}
