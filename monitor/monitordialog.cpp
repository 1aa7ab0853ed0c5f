#include "monitordialog.h"

#include "config.h"
#include "filechooser.h"
#include "guiresources.h"
#include "messageboxes.h"
#include "settingskeys.h"
#include "ui_monitordialog.h"

#include <QIcon>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTextBlock>

namespace {
int configuredKeptLines()
{
    bool ok = false;
    const int lines
            = singleton<Config>::instance()->value(SettingsKeys::kMonitorMaxLines).toInt(&ok);
    return ok && lines > 0 ? lines : MonitorDialog::kDefaultKeptLines;
}

// Characters after the last line break of text, or -1 when it has none.
int charsAfterLastBreak(const QString &text)
{
    for (int at = text.size() - 1; at >= 0; --at) {
        const QChar c = text.at(at);
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            return text.size() - 1 - at;
    }
    return -1;
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
    m_showTimer.setSingleShot(true);
    m_showTimer.setInterval(kShowIntervalMs);
    connect(&m_showTimer, &QTimer::timeout, this, &MonitorDialog::showPending);

    // The switch-off exchange runs on the worker; the buttons wait for finished().
    connect(ui->bntStop, &QPushButton::pressed, this, [this] {
        worker.requestStop();
        ui->bntStop->setEnabled(false);
    });
    connect(ui->bntClear, &QPushButton::pressed, this, &MonitorDialog::slotClearText);
    connect(ui->bntStart, &QPushButton::pressed, this, [this] {
        worker.setDebug(ui->ckDebug->isChecked());
        worker.start();
    });
    connect(ui->ckLog, &QCheckBox::toggled, this, &MonitorDialog::setLogging);
    connect(&worker, &QThread::started, this, &MonitorDialog::slotThreadStarted);
    connect(&worker, &QThread::finished, this, &MonitorDialog::slotThreadFinished);
    connect(&worker, &MonitorThread::signalShowError, this, &MonitorDialog::slotShowError);
    connect(&worker, &MonitorThread::signalDataRecv, this, &MonitorDialog::slotDataRecv);

    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this,
            &MonitorDialog::openFindBar);
    connect(ui->bntFindNext, &QPushButton::clicked, this, [this] { find(false); });
    connect(ui->bntFindPrevious, &QPushButton::clicked, this, [this] { find(true); });
    connect(ui->bntFindClose, &QPushButton::clicked, ui->findBar, &QWidget::hide);
}

MonitorDialog::~MonitorDialog()
{
    // However the dialog ends, the run ends first, debug switch included.
    worker.stop();
    delete ui;
}

void MonitorDialog::slotClearText()
{
    m_pending.clear();
    m_lastLineChars = 0;
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

// The burst's text is made now, in the form chosen now, and logged now; the
// view takes it with the next showing.
void MonitorDialog::slotDataRecv(const QByteArray &buffer)
{
    const MonitorView view = currentView();
    const QString text = burstDisplayText(view, buffer);
    if (text.isEmpty())
        return;
    if (view == MonitorView::Original && m_lastLineChars >= kMaxLineChars) {
        m_pending += QLatin1Char('\n');
        m_lastLineChars = 0;
    }
    const int tail = charsAfterLastBreak(text);
    m_lastLineChars = tail < 0 ? m_lastLineChars + text.size() : tail;
    m_pending += text;
    if (m_pending.size() >= kMaxPendingChars)
        showPending();
    else if (!m_showTimer.isActive())
        m_showTimer.start();

    QString error;
    if (m_log.isOpen() && !m_log.append(text.toUtf8(), &error)) {
        const QSignalBlocker quiet(ui->ckLog);
        ui->ckLog->setChecked(false);
        slotShowError(tr("记录到文件"), error);
    }
}

void MonitorDialog::showPending()
{
    m_showTimer.stop();
    if (m_pending.isEmpty())
        return;
    // A user who scrolled up to read keeps the lines in view; at the bottom the view follows.
    const QScrollBar *bar = ui->textEdit->verticalScrollBar();
    const bool following = bar->value() >= bar->maximum();
    // A cursor of its own: the view's cursor and selection stay where the user put them.
    QTextCursor end(ui->textEdit->document());
    end.movePosition(QTextCursor::End);
    end.insertText(m_pending);
    m_pending.clear();
    dropOldestLines(following);
    if (following)
        ui->textEdit->verticalScrollBar()->setValue(bar->maximum());
}

void MonitorDialog::dropOldestLines(bool following)
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
    // The view's scroll position counts lines from the top: the lines the user
    // reads move up by the lines dropped, unless they are dropped themselves.
    QScrollBar *bar = ui->textEdit->verticalScrollBar();
    const QTextBlock top = document->findBlockByLineNumber(bar->value());
    const int topLine = bar->value() - top.firstLineNumber();
    const int topBlock = top.blockNumber() - document->findBlock(cut).blockNumber();

    // The document's own block limit walks a cursor over every dropped line and
    // lays each one out first, which a flood of long hexadecimal lines turns
    // into visible stalls; a selection set inside an edit block lays out nothing.
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    cursor.setPosition(cut, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    cursor.endEditBlock();
    if (!following)
        bar->setValue(topBlock < 0
                              ? 0
                              : document->findBlockByNumber(topBlock).firstLineNumber() + topLine);
}

void MonitorDialog::setLogging(bool on)
{
    if (!on) {
        m_log.close();
        return;
    }
    const QString fileName
            = chooseSaveFile(this, tr("记录到文件"), tr("记录文件 (*.log *.txt);;所有文件 (*)"),
                             QStringLiteral("log"), false);
    // The session may have ended, and unchecked the box, while the file was chosen.
    if (!ui->ckLog->isChecked())
        return;
    QString error;
    if (!fileName.isEmpty() && m_log.open(fileName, &error))
        return;
    const QSignalBlocker quiet(ui->ckLog);
    ui->ckLog->setChecked(false);
    if (!error.isEmpty())
        slotShowError(tr("记录到文件"), error);
}

void MonitorDialog::openFindBar()
{
    ui->findBar->show();
    ui->edFind->setFocus(Qt::ShortcutFocusReason);
    ui->edFind->selectAll();
}

// Case-insensitive, from the current match on, round the end of the view.
void MonitorDialog::find(bool backward)
{
    const QString text = ui->edFind->text();
    if (text.isEmpty())
        return;
    QTextDocument *document = ui->textEdit->document();
    const QTextDocument::FindFlags flags
            = backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    QTextCursor found = document->find(text, ui->textEdit->textCursor(), flags);
    if (found.isNull())
        found = document->find(text, backward ? document->characterCount() : 0, flags);
    ui->lbFindResult->setText(found.isNull() ? tr("未找到") : QString());
    QList<QTextEdit::ExtraSelection> marks;
    if (!found.isNull()) {
        ui->textEdit->setTextCursor(found); // scrolls the match into view
        QTextEdit::ExtraSelection mark;
        mark.cursor = found;
        mark.format.setBackground(Qt::yellow);
        mark.format.setForeground(Qt::black);
        marks << mark;
    }
    ui->textEdit->setExtraSelections(marks);
}

void MonitorDialog::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && ui->edFind->hasFocus()) {
        find(event->modifiers() & Qt::ShiftModifier);
        return;
    }
    if (event->key() == Qt::Key_Escape && ui->findBar->isVisible()) {
        ui->findBar->hide();
        ui->textEdit->setFocus();
        return;
    }
    QDialog::keyPressEvent(event);
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
    // The session's log ends with the session.
    ui->ckLog->setChecked(false);
}
