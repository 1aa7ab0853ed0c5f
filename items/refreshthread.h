#ifndef NORVO_REFRESHTHREAD_H
#define NORVO_REFRESHTHREAD_H

#include "seriallink.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QThread>

class QSerialPort;

// Reads the instrument's item list, one read-item request per item, off the GUI thread.
class RefreshThread : public QThread
{
    Q_OBJECT

public:
    explicit RefreshThread(QObject *parent = nullptr);

    // The item number is one byte on the line, so the list ends here at the latest.
    static constexpr int kLastItemNumber = 255;

signals:
    void signalClearItems();
    void signalAddItems(int index, const QStringList &list);
    void showErrorMessage(const QString &title, const QString &error, const QString &image);

protected:
    void run() override;

private:
    // True when reading must stop (error reported, or the empty answer that
    // ends the list). A link failure is asked again once; pass kRetry as item
    // for that second attempt.
    bool checkItemAnswer(LinkStatus status, QSerialPort &port, int item, const QString &title,
                         const QString &image, QByteArray &answer);

    static constexpr int kRetry = -1;
};

#endif
