#include "itemwritethread.h"

ItemWriteThread::ItemWriteThread(QObject *parent)
    : QThread(parent)
{
    qRegisterMetaType<ItemWriteResult>();
}

bool ItemWriteThread::startWrites(const QVector<Step> &steps)
{
    if (isRunning())
        return false;
    m_steps = steps;
    start(QThread::InheritPriority);
    return true;
}

void ItemWriteThread::run()
{
    const int total = m_steps.size();
    for (int step = 0; step < total; ++step) {
        const Step &write = m_steps.at(step);
        emit signalWriting(step, total);
        const ItemWriteResult result
                = writeItemToDevice(write.item, write.value, write.expectedFields);
        emit signalWritten(step, result);
        if (!result.isWritten())
            return;
    }
}
