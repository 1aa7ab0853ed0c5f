#include "monitordialog.h"

#include "config.h"
#include "guiresources.h"
#include "messageboxes.h"
#include "settingskeys.h"
#include "ui_monitordialog.h"

#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBlock>

namespace {
int configuredKeptLines()
{
    bool ok = false;
    const int lines
            = singleton<Config>::instance()->value(SettingsKeys::kMonitorMaxLines).toInt(&ok);
    return ok && lines > 0 ? lines : MonitorDialog::kDefaultKeptLines;
}
} // namespace

MonitorDialog::MonitorDialog(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::MonitorDialog)
    , keptLines(configuredKeptLines())
{
    ui->setupUi(this);
    setWindowFlags((windowFlags() & ~Qt::WindowContextHelpButtonHint)
                   | Qt::WindowMaximizeButtonHint);
    setWindowIcon(QIcon(QString::fromLatin1(GuiResources::kMonitorIcon)));
    // Hours of traffic: a plain text view lays out only what is on screen,
    // the oldest lines go (dropOldestLines) and no undo history piles up.
    ui->textEdit->setUndoRedoEnabled(false);

    connect(ui->bntStop, &QPushButton::pressed, &worker, &MonitorThread::stop);
    connect(ui->bntClear, &QPushButton::pressed, this, &MonitorDialog::slotClearText);
    connect(ui->bntStart, &QPushButton::pressed, this, [this] {
        worker.setDebug(ui->ckDebug->isChecked());
        worker.start();
    });
    connect(&worker, &QThread::started, this, &MonitorDialog::slotThreadStarted);
    connect(&worker, &QThread::finished, this, &MonitorDialog::slotThreadFinished);
    connect(&worker, &MonitorThread::signalShowError, this, &MonitorDialog::slotShowError);
    connect(&worker, &MonitorThread::signalDataRecv, this, &MonitorDialog::slotDataRecv);
}

MonitorDialog::~MonitorDialog()
{
    // However the dialog ends, the run ends first, debug switch included.
    worker.stop();
    delete ui;
}

void MonitorDialog::slotClearText()
{
    ui->textEdit->clear();
}

void MonitorDialog::slotShowError(const QString &title, const QString &error)
{
    showMessageBox(QMessageBox::Critical, title, error, this);
}

MonitorView MonitorDialog::currentView() const
{
    if (ui->rdOriginal->isChecked())
        return MonitorView::Original;
    if (ui->rdHex->isChecked())
        return MonitorView::Hex;
    return MonitorView::OriginalHex;
}

void MonitorDialog::slotDataRecv(const QByteArray &buffer)
{
    const MonitorView view = currentView();
    const QString text = burstDisplayText(view, buffer);
    if (text.isEmpty())
        return;
    ui->textEdit->moveCursor(QTextCursor::End);
    if (view == MonitorView::Original
        && ui->textEdit->document()->lastBlock().length() > kMaxLineChars)
        ui->textEdit->insertPlainText(QStringLiteral("\n"));
    ui->textEdit->insertPlainText(text);
    dropOldestLines();
}

void MonitorDialog::dropOldestLines()
{
    QTextDocument *document = ui->textEdit->document();
    int cut = 0;
    const int excessLines = document->blockCount() - keptLines;
    if (excessLines > 0)
        cut = document->findBlockByNumber(excessLines).position();
    const int excessChars = document->characterCount() - kMaxKeptChars;
    if (excessChars > 0) {
        const QTextBlock reached = document->findBlock(excessChars);
        cut = qMax(cut, reached.next().isValid() ? reached.next().position() : reached.position());
    }
    if (cut <= 0)
        return;
    // The document's own block limit walks a cursor over every dropped line and
    // lays each one out first, which a flood of long hexadecimal lines turns
    // into visible stalls; a selection set inside an edit block lays out nothing.
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    cursor.setPosition(cut, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    cursor.endEditBlock();
}

void MonitorDialog::slotThreadStarted()
{
    ui->bntStart->setEnabled(false);
    ui->ckDebug->setEnabled(false);
    ui->bntStop->setEnabled(true);
}

void MonitorDialog::slotThreadFinished()
{
    ui->bntStart->setEnabled(true);
    ui->ckDebug->setEnabled(true);
    ui->bntStop->setEnabled(false);
}
