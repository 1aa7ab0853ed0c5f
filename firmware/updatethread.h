#ifndef NORVO_UPDATETHREAD_H
#define NORVO_UPDATETHREAD_H

#include "dencryptinfo.h"

#include <QByteArray>
#include <QThread>

class QSerialPort;

// Writes a package's firmware image into the instrument's boot-loader, page by page.
class UpdateThread : public QThread
{
    Q_OBJECT

public:
    explicit UpdateThread(QObject *parent = nullptr);

    // Bytes after the image's end in its last page: the value of erased flash.
    static constexpr char kPageFiller = '\xFF';

    // Copies the package to write; call only while the thread is not running.
    void setPackage(const DEncryptInfo &package);

signals:
    void signalUpdateSucceed();
    void signalShowErrorMessage(const QString &error);
    void signalUpdateProgress(int value);

protected:
    void run() override;

private:
    // True when the exchange went through and the answer is exactly expected.
    bool exchangeExpect(QSerialPort &port, const QByteArray &request, const QByteArray &expected);
    bool queryDeviceId(QSerialPort &port, QByteArray &answer);
    bool modelMatches(const QByteArray &answer) const;
    bool eraseMemory(QSerialPort &port, quint32 size);
    bool writePage(QSerialPort &port, const char *page, quint8 index);
    void sendClosingRequest(QSerialPort &port);
    // Reports message, then lets the boot-loader go.
    void fail(QSerialPort &port, const QString &message);

    DEncryptInfo m_package;
    bool m_fastCompletion = false; // taken from the settings at the start of each run
};

#endif
