#include "historydata.h"

#include "filechooser.h"
#include "guiresources.h"
#include "historyexport.h"
#include "historypdf.h"
#include "historyrequest.h"
#include "messageboxes.h"
#include "ui_historydata.h"

#include <QCloseEvent>
#include <QDate>
#include <QIcon>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>

namespace {
constexpr int kCloseWaitMs = 1000;
constexpr char kCsvFilter[] = "Files (*.csv)";
constexpr char kPdfFilter[] = "Files (*.pdf)";
constexpr char kCsvSuffix[] = "csv";
constexpr char kPdfSuffix[] = "pdf";
} // namespace

HistoryData::HistoryData(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::HistoryData)
    , readThread(this) // a child, found like the dialog's widgets
{
    ui->setupUi(this);
    setWindowFlags((windowFlags() & ~Qt::WindowContextHelpButtonHint)
                   | Qt::WindowMaximizeButtonHint);
    setWindowIcon(QIcon(QString::fromLatin1(GuiResources::kDebugIcon)));
    ui->dateStart->setDate(QDate::currentDate());
    ui->dateEnd->setDate(QDate::currentDate());

    connect(ui->bntQuery, &QPushButton::clicked, this, &HistoryData::slotQueryHistory);
    connect(ui->bntExportCSV, &QPushButton::clicked, this, &HistoryData::slotExportCSV);
    connect(ui->bntExportPDF, &QPushButton::clicked, this, &HistoryData::slotExportPDF);
    connect(&readThread, &ReadThread::signalClearText, this, &HistoryData::slotClearText);
    connect(&readThread, &ReadThread::signalAddText, this, &HistoryData::slotAddText);
    connect(&readThread, &ReadThread::signalShowError, this, &HistoryData::slotShowError);

    // The view follows the stream while it is scrolled to the end: the document
    // is laid out after each chunk (for a long one, piece by piece later), so
    // the end is kept in view whenever the scrolling range grows. A user who
    // scrolls up to read stops the following until back at the end.
    QScrollBar *bar = ui->textEdit->verticalScrollBar();
    connect(bar, &QScrollBar::valueChanged, this,
            [this, bar](int value) { m_followStream = value == bar->maximum(); });
    connect(bar, &QScrollBar::rangeChanged, this, [this, bar](int, int maximum) {
        if (m_followStream)
            bar->setValue(maximum);
    });
}

HistoryData::~HistoryData()
{
    // Also reached by Escape, which skips closeEvent: the query may still sit
    // in one of its waits, and the thread must not outlive its object.
    readThread.cancelQuery();
    readThread.wait();
    delete ui;
}

void HistoryData::closeEvent(QCloseEvent *event)
{
    if (readThread.isRunning()) {
        hide();
        readThread.cancelQuery();
        readThread.wait(kCloseWaitMs);
    }
    QDialog::closeEvent(event);
}

void HistoryData::slotClearText()
{
    ui->textEdit->clear();
}

void HistoryData::slotAddText(const QString &text)
{
    // Inserted through a cursor of its own: setting the view's cursor would
    // scroll to it and end the following of a user who scrolled up.
    QTextCursor cursor(ui->textEdit->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
}

void HistoryData::slotShowError(const QString &title, const QString &error)
{
    showMessageBox(QMessageBox::Critical, title, error, this);
}

void HistoryData::slotQueryHistory()
{
    if (readThread.isRunning())
        return;
    const QDate first = ui->dateStart->date();
    const QDate last = ui->dateEnd->date();
    const QString rangeError = historyRangeError(first, last);
    if (!rangeError.isEmpty()) {
        slotShowError(tr("查询"), rangeError);
        return;
    }
    readThread.startQuery(makeHistoryRequest(first, last));
}

QString HistoryData::askExportFileName(const char *filter, const char *suffix)
{
    return chooseSaveFile(this, tr("导出历史数据"), QString::fromLatin1(filter),
                          QString::fromLatin1(suffix));
}

void HistoryData::slotExportCSV()
{
    const QString fileName = askExportFileName(kCsvFilter, kCsvSuffix);
    if (fileName.isEmpty())
        return;
    const QString error = exportHistoryCsv(fileName, ui->textEdit->toPlainText());
    if (!error.isEmpty())
        slotShowError(exportErrorTitle(), error);
}

void HistoryData::slotExportPDF()
{
    const QString fileName = askExportFileName(kPdfFilter, kPdfSuffix);
    if (fileName.isEmpty())
        return;
    const QString error = exportHistoryPdf(fileName, ui->textEdit->toPlainText());
    if (!error.isEmpty())
        slotShowError(exportErrorTitle(), error);
}
