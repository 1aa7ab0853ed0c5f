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

    // Why the last run failed: a package with nothing to flash, the line (port,
    // silence, answers that were not the expected ones), or an instrument of
    // another model than the package's.
    enum class Failure { None, Package, Link, WrongModel };

    // Copies the package to write; call only while the thread is not running.
    void setPackage(const DEncryptInfo &package);
    // Why a package cannot be flashed at all, checked before anything is sent;
    // empty when it can.
    static QString packageRefusal(const DEncryptInfo &package);
    // Read once the run has finished.
    Failure failure() const { return m_failure; }
    // The model the boot-loader named in the last run, empty when none answered.
    QString identifiedModel() const { return m_identifiedModel; }

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
    // The model the boot-loader's identification names, or "unknown".
    static QString reportedModel(const QByteArray &answer);
    bool eraseMemory(QSerialPort &port, quint32 size);
    bool writePage(QSerialPort &port, const char *page, quint8 index);
    void sendClosingRequest(QSerialPort &port);
    // Reports message, then lets the boot-loader go.
    void fail(QSerialPort &port, const QString &message, Failure failure = Failure::Link);

    DEncryptInfo m_package;
    bool m_fastCompletion = false; // taken from the settings at the start of each run
    Failure m_failure = Failure::None;
    QString m_identifiedModel;
};

#endif
