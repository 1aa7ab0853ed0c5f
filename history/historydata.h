#ifndef NORVO_HISTORYDATA_H
#define NORVO_HISTORYDATA_H

#include "readthread.h"

#include <QDialog>

namespace Ui {
class HistoryData;
}

// The history dialog: asks the instrument for the records of a range of days,
// shows the answer as text and exports it as CSV or as a PDF table.
class HistoryData : public QDialog
{
    Q_OBJECT

public:
    explicit HistoryData(QWidget *parent = nullptr);
    ~HistoryData() override;

    bool isQuerying() const { return readThread.isRunning(); }

public slots:
    void slotClearText();
    void slotAddText(const QString &text);
    void slotShowError(const QString &title, const QString &error);
    void slotQueryHistory();
    void slotExportCSV();
    void slotExportPDF();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // The chosen file name, empty when the user cancelled.
    QString askExportFileName(const char *filter, const char *suffix);

    Ui::HistoryData *ui;
    ReadThread readThread;
    bool m_followStream = true; // the view is scrolled to the end and stays there
};

#endif
