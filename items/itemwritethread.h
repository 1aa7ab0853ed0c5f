#ifndef NORVO_ITEMWRITETHREAD_H
#define NORVO_ITEMWRITETHREAD_H

#include "itemwriter.h"

#include <QMetaType>
#include <QThread>
#include <QVector>

// One written item whose read-back does not show the value sent.
struct ItemReadBack
{
    int step = 0;
    QString name;  // as the instrument names it
    QString value; // what it holds now
};

// What reading the written items back found.
struct ItemVerifyResult
{
    int checked = 0;                  // items read back
    QString errorText;                // a read that failed; empty otherwise
    QVector<ItemReadBack> mismatches; // in step order

    bool isConsistent() const { return errorText.isEmpty() && mismatches.isEmpty(); }
};

// Writes one item or a list of items to the instrument off the GUI thread,
// in order, stopping at the first write that fails; on request it then reads
// back once each item whose echo showed the value taken.
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
    bool startWrites(const QVector<Step> &steps, bool verify = false);

signals:
    // Step index (from 0) about to be written, and the number of steps.
    void signalWriting(int step, int total);
    void signalWritten(int step, const ItemWriteResult &result);
    // Read-backs done so far, and how many there are.
    void signalVerifying(int done, int total);
    // Once every step is written, when verifying.
    void signalVerified(const ItemVerifyResult &result);

protected:
    void run() override;

private:
    ItemVerifyResult readBack(const QVector<int> &steps);

    QVector<Step> m_steps;
    bool m_verify = false;
};

Q_DECLARE_METATYPE(ItemWriteResult)
Q_DECLARE_METATYPE(ItemVerifyResult)

#endif
