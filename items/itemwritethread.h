#ifndef NORVO_ITEMWRITETHREAD_H
#define NORVO_ITEMWRITETHREAD_H

#include "itemwriter.h"

#include <QMetaType>
#include <QThread>
#include <QVector>

// Writes one item or a list of items to the instrument off the GUI thread,
// in order, stopping at the first write that fails.
class ItemWriteThread : public QThread
{
    Q_OBJECT

public:
    // One item to write: its number, the value and the field count its echo must have.
    struct Step
    {
        int item = 0;
        QString value;
        int expectedFields = kValueItemFields;
    };

    explicit ItemWriteThread(QObject *parent = nullptr);

    // Copies the steps in and starts; false (and nothing started) while a run is going on.
    bool startWrites(const QVector<Step> &steps);

signals:
    // Step index (from 0) about to be written, and the number of steps.
    void signalWriting(int step, int total);
    void signalWritten(int step, const ItemWriteResult &result);

protected:
    void run() override;

private:
    QVector<Step> m_steps;
};

Q_DECLARE_METATYPE(ItemWriteResult)

#endif
