#include "itemwritethread.h"

#include "itemcomparison.h"
#include "itemreader.h"

#include <QSerialPort>

ItemWriteThread::ItemWriteThread(QObject *parent)
    : QThread(parent)
{
    qRegisterMetaType<ItemWriteResult>();
    qRegisterMetaType<ItemVerifyResult>();
}

bool ItemWriteThread::startWrites(const QVector<Step> &steps, bool verify)
{
    if (isRunning())
        return false;
    m_steps = steps;
    m_verify = verify;
    start(QThread::InheritPriority);
    return true;
}

void ItemWriteThread::run()
{
    const int total = m_steps.size();
    QVector<int> taken;
    for (int step = 0; step < total; ++step) {
        const Step &write = m_steps.at(step);
        emit signalWriting(step, total);
        const ItemWriteResult result
                = writeItemToDevice(write.item, write.value, write.expectedFields);
        emit signalWritten(step, result);
        if (!result.isWritten())
            return;
        // A refusal already shows in the echo; only a value the instrument
        // said it took can have been lost silently.
        if (write.expectedFields == kValueItemFields
            && echoTakesValue(result.echoedValue(), write.value))
            taken.append(step);
    }
    if (m_verify)
        emit signalVerified(readBack(taken));
}

ItemVerifyResult ItemWriteThread::readBack(const QVector<int> &steps)
{
    ItemVerifyResult result;
    if (steps.isEmpty())
        return result;
    QSerialPort port;
    result.errorText = openItemPort(port);
    if (!result.errorText.isEmpty())
        return result;
    for (int step : steps) {
        emit signalVerifying(result.checked, steps.size());
        const Step &written = m_steps.at(step);
        QStringList fields;
        result.errorText = readItem(port, written.item, &fields);
        if (!result.errorText.isEmpty())
            return result;
        ++result.checked;
        if (!readBackMatches(fields.value(1).trimmed(), written.value))
            result.mismatches.append({step, fields.value(0).trimmed(), fields.value(1).trimmed()});
    }
    return result;
}
