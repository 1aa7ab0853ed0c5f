#include "mainwindow.h"

#include "choicelist.h"
#include "clocksync.h"
#include "config.h"
#include "configtree.h"
#include "dialogframe.h"
#include "emptytreehint.h"
#include "filechooser.h"
#include "guiresources.h"
#include "historydata.h"
#include "itemcsv.h"
#include "itemrows.h"
#include "itemwriter.h"
#include "languagecodes.h"
#include "messageboxes.h"
#include "modifydialog.h"
#include "monitordialog.h"
#include "neutralaboutdialog.h"
#include "portstatuslabel.h"
#include "producttitle.h"
#include "settingskeys.h"
#include "setupdialog.h"
#include "translationfiles.h"
#include "ui_mainwindow.h"
#include "updatedialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QTranslator>
#include <QTreeWidgetItem>

namespace {
constexpr int kStatusMessageMs = 5000;
constexpr int kMinimumWindowHeight = 600;
constexpr int kToolBarPixmapSize = 16; // pixels; the menu shows the same images
constexpr char kItemFileFilter[] = "Files (*.csv)";
constexpr char kItemFileSuffix[] = "csv";
constexpr int kEditCancelled = 0; // askItemValue: nothing to write
const QString kValuePrefix = QStringLiteral(": ");
constexpr int kFileColumn = 2; // the reference file's value while a comparison is shown
// Row backgrounds of a comparison: soft enough to keep the text readable.
const QColor kDiffersColor(255, 226, 160);
const QColor kOnlyInFileColor(200, 225, 250);
const QColor kOnlyOnInstrumentColor(225, 225, 225);

Config *config()
{
    return singleton<Config>::instance();
}
} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
    , tree(new ConfigTree(this))
    , translator(new QTranslator(this))
    , qtTranslator(new QTranslator(this))
    , m_portStatus(new PortStatusLabel(this))
    , m_treeHint(new EmptyTreeHint(tree))
    , m_importedNote(new QLabel(this))
    , m_comparisonNote(new QLabel(this))
{
    ui->setupUi(this);
    setWindowIcon(QIcon(GuiResources::kConfigureIcon));
    setCentralWidget(tree);
    statusBar()->addPermanentWidget(m_portStatus);
    // A normal status-bar widget: messages cover it for their time, then it shows again.
    m_importedNote->setObjectName(QStringLiteral("importedNote"));
    statusBar()->addWidget(m_importedNote);
    m_importedNote->hide();
    m_comparisonNote->setObjectName(QStringLiteral("comparisonNote"));
    statusBar()->addWidget(m_comparisonNote);
    m_comparisonNote->hide();
    ui->writeChanged->setEnabled(false);
    ui->toolBar->setMovable(false);
    ui->toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    connectSignals();
    restoreSettings();
    // After the language is known, so the first message is in it.
    statusBar()->showMessage(tr("准备就绪"), kStatusMessageMs);
    shrinkToolBarIcons();
    loadSkipItems();
}

MainWindow::~MainWindow()
{
    // A window destroyed without being closed must not destroy a running worker.
    refreshThread.wait();
    writeThread.wait();
    clockThread.wait();
    delete ui;
}

void MainWindow::connectSignals()
{
    connect(ui->setup, &QAction::triggered, this, &MainWindow::slotCommunicationSetup);
    connect(ui->refresh, &QAction::triggered, this, &MainWindow::slotRefresh);
    connect(ui->import_2, &QAction::triggered, this, &MainWindow::slotImportItems);
    connect(ui->export_2, &QAction::triggered, this, &MainWindow::slotExportItems);
    connect(ui->save, &QAction::triggered, this, &MainWindow::slotWriteItems);
    connect(ui->compare, &QAction::triggered, this, &MainWindow::slotCompareItems);
    connect(ui->writeChanged, &QAction::triggered, this, &MainWindow::slotWriteChanged);
    connect(ui->sync_time, &QAction::triggered, this, &MainWindow::slotSyncTime);
    connect(ui->debug, &QAction::triggered, this, &MainWindow::slotHistoryData);
    connect(ui->update, &QAction::triggered, this, &MainWindow::slotUpdateHardware);
    connect(ui->monitor, &QAction::triggered, this, &MainWindow::slotDeviceMonitor);
    connect(ui->about, &QAction::triggered, this, &MainWindow::slotAbout);
    connect(ui->lang_en_US, &QAction::triggered, this, &MainWindow::slot_en_US);
    connect(ui->lang_zh_CH, &QAction::triggered, this, &MainWindow::slot_zh_CH);
    connect(ui->lang_zh_TW, &QAction::triggered, this, &MainWindow::slot_zh_TW);
    connect(ui->quit, &QAction::triggered, this, &MainWindow::close);

    connect(&refreshThread, &RefreshThread::signalClearItems, this, &MainWindow::slotClearItems);
    connect(&refreshThread, &RefreshThread::signalAddItems, this, &MainWindow::slotAddItems);
    connect(&refreshThread, &RefreshThread::signalAddItems, this, &MainWindow::slotRefreshProgress);
    connect(&refreshThread, &RefreshThread::showErrorMessage, this,
            &MainWindow::slotShowErrorMessage);
    connect(&refreshThread, &QThread::finished, this, &MainWindow::slotRefreshFinished);
    connect(tree, &QTreeWidget::itemDoubleClicked, this, &MainWindow::slotItemDoubleClicked);

    connect(&writeThread, &ItemWriteThread::signalWriting, this, &MainWindow::slotItemWriting);
    connect(&writeThread, &ItemWriteThread::signalWritten, this, &MainWindow::slotItemWritten);
    connect(&writeThread, &QThread::finished, this, &MainWindow::slotWritesFinished);
    connect(&writeThread, &ItemWriteThread::signalVerifying, this, &MainWindow::slotItemsVerifying);
    connect(&writeThread, &ItemWriteThread::signalVerified, this, &MainWindow::slotItemsVerified);
    connect(&clockThread, &ClockSyncThread::signalClockSynced, this, &MainWindow::slotClockSynced);
    connect(&clockThread, &ClockSyncThread::signalItemRead, this, &MainWindow::slotClockItemRead);
    connect(&clockThread, &QThread::finished, this, [this] { setBusy(false); });
}

void MainWindow::setBusy(bool busy)
{
    m_busy = busy;
    // Everything that talks to the instrument, or changes or reads the tree
    // while an exchange fills it, waits for the exchange to end.
    for (QAction *action : {ui->setup, ui->refresh, ui->import_2, ui->export_2, ui->save,
                            ui->compare, ui->sync_time, ui->debug, ui->update, ui->monitor})
        action->setEnabled(!busy);
    ui->writeChanged->setEnabled(!busy && m_comparing);
    tree->setCursor(busy ? Qt::BusyCursor : Qt::ArrowCursor);
}

void MainWindow::shrinkToolBarIcons()
{
    const QSize size(kToolBarPixmapSize, kToolBarPixmapSize);
    for (QAction *action : ui->toolBar->actions()) {
        const QPixmap pixmap = action->icon().pixmap(size, QIcon::Normal, QIcon::Off);
        action->setIcon(QIcon(pixmap));
    }
}

void MainWindow::restoreSettings()
{
    const int width = config()->value(SettingsKeys::kWindowWidth).toInt();
    const int height = config()->value(SettingsKeys::kWindowHeight).toInt();
    QSize size(width, qMax(height, kMinimumWindowHeight));
    // A size from a larger screen, or a damaged file, must still fit this one.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size());
    resize(size);
    applyLanguage(config()->value(SettingsKeys::kLanguage).toString());
}

int MainWindow::toolBarWidth() const
{
    // The tool bar's layout puts its item spacing between neighbouring
    // buttons; without it the last button slides behind the extension arrow.
    int width = QToolBar().minimumSizeHint().width();
    int buttons = 0;
    for (QAction *action : ui->toolBar->actions()) {
        if (QWidget *widget = ui->toolBar->widgetForAction(action)) {
            width += widget->minimumSizeHint().width();
            ++buttons;
        }
    }
    if (buttons > 1)
        width += (buttons - 1) * ui->toolBar->layout()->spacing();
    return width;
}

void MainWindow::applyLanguage(const QString &requestedCode)
{
    const QString code = LanguageCodes::normalized(requestedCode);
    ui->lang_en_US->setChecked(code == QLatin1String(LanguageCodes::kEnglish));
    ui->lang_zh_TW->setChecked(code == QLatin1String(LanguageCodes::kTraditionalChinese));
    ui->lang_zh_CH->setChecked(!ui->lang_en_US->isChecked() && !ui->lang_zh_TW->isChecked());

    QCoreApplication::removeTranslator(translator);
    if (loadProgramTranslation(translator, code))
        QCoreApplication::installTranslator(translator);
    // Qt's own texts: file dialogs, standard buttons, context menus.
    QCoreApplication::removeTranslator(qtTranslator);
    if (loadQtTranslation(qtTranslator, code))
        QCoreApplication::installTranslator(qtTranslator);
    ui->retranslateUi(this);

    // The width the user left stays; the window only grows when the tool
    // bar's captions in this language would not fit.
    setMinimumWidth(toolBarWidth());

    config()->setValue(SettingsKeys::kLanguage, code);
    setWindowTitle(productTitle());
}

void MainWindow::saveWindowSize()
{
    config()->setValue(SettingsKeys::kWindowWidth, width());
    config()->setValue(SettingsKeys::kWindowHeight, height());
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // An exchange cannot be interrupted; the window disappears while it runs
    // out, and whatever it still reports is not shown any more.
    m_closing = true;
    if (refreshThread.isRunning() || writeThread.isRunning() || clockThread.isRunning())
        hide();
    refreshThread.wait();
    writeThread.wait();
    clockThread.wait();
    saveWindowSize();
    QMainWindow::closeEvent(event);
    singleton<Config>::destroyInstance();
}

void MainWindow::showErrorBox(const QString &title, const QString &text, const QIcon &icon)
{
    execErrorBox(title, text, icon, false);
}

void MainWindow::showDeviceErrorBox(const QString &title, const QString &text, const QIcon &icon)
{
    if (m_closing)
        return;
    // First start: no port chosen yet, so the way out is the serial settings.
    if (execErrorBox(title, text, icon, configuredPortName().isEmpty()))
        slotCommunicationSetup();
}

bool MainWindow::execErrorBox(const QString &title, const QString &text, const QIcon &icon,
                              bool offerSetup)
{
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, this,
                    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    box.setWindowIcon(icon);
    // Texts carry what instruments sent: shown, never rendered.
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Ok)->setText(tr("确定"));
    QPushButton *setup
            = offerSetup ? box.addButton(tr("通讯设置"), QMessageBox::ActionRole) : nullptr;
    fitTitle(box);
    statusBar()->showMessage(text, kStatusMessageMs);
    box.exec();
    return setup && box.clickedButton() == setup;
}

void MainWindow::slotCommunicationSetup()
{
    SetupDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_portStatus->refresh();
    m_treeHint->refresh();
}

void MainWindow::slotRefresh()
{
    if (m_busy || refreshThread.isRunning())
        return;
    m_itemsRead = 0;
    m_refreshFailed = false;
    showImportedNote(false);
    setBusy(true);
    statusBar()->showMessage(tr("正在读取配置......"));
    refreshThread.start(QThread::InheritPriority);
}

void MainWindow::slotRefreshProgress()
{
    ++m_itemsRead;
    statusBar()->showMessage(tr("正在读取配置...... %1").arg(m_itemsRead));
}

void MainWindow::slotRefreshFinished()
{
    // Whether the list ended or an error cut it short, nothing more follows.
    endItemList();
    setBusy(false);
    // An error box already put its text on the status bar.
    if (!m_refreshFailed && !m_closing)
        statusBar()->showMessage(tr("读取配置完成: %1 项").arg(m_itemsRead), kStatusMessageMs);
}

void MainWindow::slotExportItems()
{
    if (m_busy)
        return;
    const QString fileName
            = chooseSaveFile(this, tr("导出配置"), QString::fromLatin1(kItemFileFilter),
                             QString::fromLatin1(kItemFileSuffix));
    if (fileName.isEmpty())
        return;
    statusBar()->showMessage(tr("正在导出配置......"));
    const QString error = exportItemFile(fileName, itemRowTexts());
    if (!error.isEmpty()) {
        showErrorBox(tr("导出配置"), error, windowIcon());
        return;
    }
    statusBar()->showMessage(tr("导出配置成功"), kStatusMessageMs);
}

bool MainWindow::openItemFile(const QString &title, QVector<ItemRecord> *records)
{
    const QString fileName = chooseOpenFile(this, title, QString::fromLatin1(kItemFileFilter));
    if (fileName.isEmpty())
        return false;
    // The whole file is parsed before the tree changes: a broken file leaves
    // the items on screen as they were.
    const QString error = importItemFile(fileName, records);
    if (!error.isEmpty())
        showErrorBox(title, error, windowIcon());
    return error.isEmpty();
}

void MainWindow::slotImportItems()
{
    QVector<ItemRecord> records;
    if (m_busy || !openItemFile(tr("导入配置"), &records))
        return;
    slotClearItems();
    for (const ItemRecord &record : qAsConst(records))
        slotAddItems(record.item, record.fields);
    endItemList();
    // Action items carry no value that could look written.
    for (int row = 0; row < tree->topLevelItemCount(); ++row) {
        if (!tree->topLevelItem(row)->text(1).isEmpty())
            markImported(tree->topLevelItem(row), true);
    }
    statusBar()->clearMessage();
    showImportedNote(true);
}

void MainWindow::markImported(QTreeWidgetItem *row, bool imported)
{
    QFont font = row->font(0);
    font.setItalic(imported);
    row->setFont(0, font);
    row->setFont(1, font);
}

void MainWindow::showImportedNote(bool shown)
{
    if (shown)
        m_importedNote->setText(tr("已导入 %1 项, 尚未写入仪表").arg(tree->topLevelItemCount()));
    m_importedNote->setVisible(shown);
}

void MainWindow::slotWriteItems()
{
    if (m_busy)
        return;
    QStringList valueTexts;
    for (int row = 0; row < itemRowCount(); ++row)
        valueTexts.append(tree->topLevelItem(row)->text(1));
    const QVector<BulkWriteStep> plan = bulkWritePlan(valueTexts);
    // A time from an older file would set the instrument's clock back; 同步时间
    // is the way to set it, so such values go only when the user says so.
    QStringList clockRows;
    for (const BulkWriteStep &step : plan) {
        if (isClockStamp(step.value))
            clockRows << tree->topLevelItem(step.row)->text(0) + kValuePrefix + step.value;
    }
    const bool withClock = clockRows.isEmpty()
            || askQuestion(tr("这些项的数值是时间, 写入会把仪表的时钟改成它:\n\n%1\n\n"
                              "一并写入吗? 选“否”则跳过它们; 同步时间把时钟设为电脑的时间。")
                                   .arg(clockRows.join(QLatin1Char('\n'))),
                           this);
    QList<QTreeWidgetItem *> rows;
    QVector<ItemWriteThread::Step> steps;
    for (const BulkWriteStep &step : plan) {
        if (!withClock && isClockStamp(step.value))
            continue;
        QTreeWidgetItem *item = tree->topLevelItem(step.row);
        rows.append(item);
        steps.append({item->data(0, Qt::UserRole).toInt(), step.value, kValueItemFields});
    }
    if (steps.isEmpty()) {
        showImportedNote(false);
        statusBar()->showMessage(tr("写入配置成功"), kStatusMessageMs);
        return;
    }
    startWrites(rows, steps, tr("写入配置"));
}

bool MainWindow::startWrites(const QList<QTreeWidgetItem *> &rows,
                             const QVector<ItemWriteThread::Step> &steps, const QString &bulkTitle)
{
    if (m_busy || writeThread.isRunning())
        return false;
    m_writeRows.clear();
    for (QTreeWidgetItem *row : rows)
        m_writeRows.append(
                QPersistentModelIndex(tree->model()->index(tree->indexOfTopLevelItem(row), 0)));
    m_writeValues.clear();
    for (const ItemWriteThread::Step &step : steps)
        m_writeValues.append(step);
    m_bulkTitle = bulkTitle;
    m_bulkWrite = !bulkTitle.isEmpty();
    m_verifyResult = ItemVerifyResult();
    m_writeFailed = false;
    m_notTaken.clear();
    setBusy(true);
    statusBar()->showMessage(tr("正在写入配置......"));
    // Several items are read back once written: an echo only says what the
    // instrument answered, not what it keeps.
    return writeThread.startWrites(steps, m_bulkWrite);
}

QTreeWidgetItem *MainWindow::writtenRow(int step) const
{
    const QPersistentModelIndex index = m_writeRows.value(step);
    return index.isValid() ? tree->topLevelItem(index.row()) : nullptr;
}

void MainWindow::slotItemWriting(int step, int total)
{
    if (!m_bulkWrite)
        return;
    if (QTreeWidgetItem *row = writtenRow(step))
        tree->setCurrentItem(row); // the user sees which item is being written
    statusBar()->showMessage(tr("正在写入配置...... %1 / %2").arg(step + 1).arg(total));
}

void MainWindow::slotItemWritten(int step, const ItemWriteResult &result)
{
    if (m_closing)
        return;
    const ItemWriteThread::Step written = m_writeValues.value(step);
    if (!result.isWritten()) {
        m_writeFailed = true;
        if (result.outcome == ItemWriteOutcome::PortOpenFailed)
            showDeviceErrorBox(tr("提交"), result.errorText, windowIcon());
        else
            showErrorBox(tr("提交"), result.errorText, windowIcon());
        if (m_bulkWrite)
            showErrorBox(m_bulkTitle, tr("写入配置失败: %1").arg(written.value), windowIcon());
        return;
    }
    QTreeWidgetItem *row = writtenRow(step);
    if (!row)
        return;
    // The echo is the item's new content: a refused value comes back as the old one.
    markImported(row, false);
    if (written.expectedFields == kValueItemFields)
        row->setText(1, itemValueText(result.echoedValue()));
    if (m_comparing)
        applyComparison();
    if (written.expectedFields == kActionItemFields
        || echoTakesValue(result.echoedValue(), written.value)) {
        statusBar()->showMessage(tr("写入配置成功"), kStatusMessageMs);
        return;
    }
    statusBar()->showMessage(tr("写入配置失败,该项不支持修改"), kStatusMessageMs);
    m_notTaken << row->text(0) + row->text(1) + QStringLiteral("  ")
                    + tr("(未采用 %1)").arg(written.value);
}

void MainWindow::slotWritesFinished()
{
    setBusy(false);
    if (!m_bulkWrite || m_writeFailed || m_closing)
        return;
    showImportedNote(false);
    if (!m_verifyResult.errorText.isEmpty()) {
        showErrorBox(m_bulkTitle, tr("回读失败: %1").arg(m_verifyResult.errorText), windowIcon());
        return;
    }
    QStringList mismatches;
    for (const ItemReadBack &readBack : qAsConst(m_verifyResult.mismatches)) {
        const ItemWriteThread::Step &written = m_writeValues.at(readBack.step);
        mismatches << readBackMismatchText(written.item, readBack.name, written.value,
                                           readBack.value);
    }
    if (!mismatches.isEmpty()) {
        // The echo said yes, the instrument holds something else: no success.
        showErrorBox(m_bulkTitle,
                     tr("已写入 %1 项, %2 项回读不一致:")
                                     .arg(m_writeValues.size())
                                     .arg(mismatches.size())
                             + QLatin1Char('\n') + mismatches.join(QLatin1Char('\n')),
                     windowIcon());
        return;
    }
    const QString consistent = readBackConsistentText(m_verifyResult.checked);
    if (m_notTaken.isEmpty()) {
        statusBar()->showMessage(consistent, kStatusMessageMs);
        return;
    }
    // A refusal's own notice is long gone under the following items: the
    // end of the write names every value the instrument kept its old one for.
    const QString summary = tr("写入 %1 项, 其中 %2 项未被仪表采用")
                                    .arg(m_writeValues.size())
                                    .arg(m_notTaken.size());
    statusBar()->showMessage(summary, kStatusMessageMs);
    showMessageBox(QMessageBox::Warning, m_bulkTitle,
                   summary + QStringLiteral(":\n") + m_notTaken.join(QLatin1Char('\n'))
                           + QStringLiteral("\n\n") + consistent,
                   this);
}

void MainWindow::slotItemsVerifying(int done, int total)
{
    statusBar()->showMessage(tr("正在回读...... %1 / %2").arg(done + 1).arg(total));
}

void MainWindow::slotItemsVerified(const ItemVerifyResult &result)
{
    m_verifyResult = result;
    // The tree shows what the instrument holds, not what it echoed.
    for (const ItemReadBack &readBack : result.mismatches) {
        if (QTreeWidgetItem *row = writtenRow(readBack.step))
            row->setText(1, itemValueText(readBack.value));
    }
    if (m_comparing && !result.mismatches.isEmpty())
        applyComparison();
}

void MainWindow::slotCompareItems()
{
    QVector<ItemRecord> records;
    if (m_busy || !openItemFile(tr("对比配置"), &records))
        return;
    clearComparison();
    m_compareFile = itemFileRows(records, skipItems);
    m_comparing = true;
    applyComparison();
    ui->writeChanged->setEnabled(true);
    // A status message would hide the counts; once shown they come back after each.
    statusBar()->clearMessage();
    m_comparisonNote->show();
}

void MainWindow::slotWriteChanged()
{
    if (m_busy || !m_comparing)
        return;
    QList<QTreeWidgetItem *> rows;
    QVector<ItemWriteThread::Step> steps;
    for (const ComparedItem &entry : m_comparison.writePlan()) {
        rows.append(tree->topLevelItem(entry.instrumentRow));
        steps.append({entry.item, entry.fileValue, kValueItemFields});
    }
    if (steps.isEmpty()) {
        statusBar()->showMessage(nothingToWriteText(), kStatusMessageMs);
        return;
    }
    startWrites(rows, steps, tr("写入差异"));
}

int MainWindow::itemRowCount() const
{
    return tree->topLevelItemCount() - m_onlyInFileRows;
}

QVector<ItemRowText> MainWindow::itemRowTexts() const
{
    QVector<ItemRowText> rows;
    for (int row = 0; row < itemRowCount(); ++row) {
        const QTreeWidgetItem *item = tree->topLevelItem(row);
        rows.append({item->data(0, Qt::UserRole).toInt(), item->text(0), item->text(1)});
    }
    return rows;
}

void MainWindow::applyComparison()
{
    while (m_onlyInFileRows > 0) {
        delete tree->takeTopLevelItem(tree->topLevelItemCount() - 1);
        --m_onlyInFileRows;
    }
    m_comparison = ItemComparison::compare(itemRowTexts(), m_compareFile);
    tree->showFileColumn({tr("配置项"), tr("仪表"), tr("文件值")});
    for (const ComparedItem &entry : m_comparison.entries()) {
        if (entry.instrumentRow >= 0) {
            paintComparisonRow(tree->topLevelItem(entry.instrumentRow), entry);
            continue;
        }
        // Not an item of the instrument: shown after its list, never written or exported.
        const ItemRowText text
                = itemRowText(tree->topLevelItemCount() + 1, entry.item, {entry.name});
        auto *row = new QTreeWidgetItem(QStringList{text.column0, tr("(仅在文件中)")});
        row->setData(0, Qt::UserRole, entry.item);
        tree->addTopLevelItem(row);
        ++m_onlyInFileRows;
        paintComparisonRow(row, entry);
    }
    m_comparisonNote->setText(tr("对比: %1").arg(m_comparison.summaryText()));
}

void MainWindow::paintComparisonRow(QTreeWidgetItem *row, const ComparedItem &entry)
{
    QBrush background;
    QString fileText = entry.action ? QString() : entry.fileValue;
    switch (entry.difference) {
    case ItemDifference::Same:
        break;
    case ItemDifference::Differs:
        background = kDiffersColor;
        break;
    case ItemDifference::OnlyInFile:
        background = kOnlyInFileColor;
        break;
    case ItemDifference::OnlyOnInstrument:
        background = kOnlyOnInstrumentColor;
        fileText = tr("(仅在仪表中)");
        break;
    }
    row->setText(kFileColumn, fileText);
    for (int column = 0; column <= kFileColumn; ++column)
        row->setBackground(column, background);
}

void MainWindow::clearComparison()
{
    if (!m_comparing)
        return;
    m_comparing = false;
    while (m_onlyInFileRows > 0) {
        delete tree->takeTopLevelItem(tree->topLevelItemCount() - 1);
        --m_onlyInFileRows;
    }
    for (int row = 0; row < tree->topLevelItemCount(); ++row) {
        QTreeWidgetItem *item = tree->topLevelItem(row);
        item->setText(kFileColumn, QString());
        for (int column = 0; column <= kFileColumn; ++column)
            item->setBackground(column, QBrush());
    }
    tree->showFileColumn({});
    m_compareFile.clear();
    m_comparison = ItemComparison();
    m_comparisonNote->hide();
    ui->writeChanged->setEnabled(false);
}

void MainWindow::slotSyncTime()
{
    if (m_busy)
        return;
    // Rows showing the instrument's time are read again once it is set.
    QList<int> clockItems;
    for (int row = 0; row < itemRowCount(); ++row) {
        const QTreeWidgetItem *item = tree->topLevelItem(row);
        if (isClockValue(item->text(1).mid(kValuePrefix.size())))
            clockItems.append(item->data(0, Qt::UserRole).toInt());
    }
    setBusy(true);
    clockThread.startSync(clockItems);
}

void MainWindow::slotClockSynced(const ClockSyncResult &result)
{
    if (m_closing)
        return;
    if (!result.isAcknowledged()) {
        if (result.outcome == ClockSyncOutcome::PortOpenFailed)
            showDeviceErrorBox(tr("同步时间"), result.errorText, windowIcon());
        else
            showErrorBox(tr("同步时间"), result.errorText, windowIcon());
        return;
    }
    QMessageBox box(QMessageBox::Information, tr("同步时间"), tr("同步时间成功"), QMessageBox::Ok,
                    this);
    fitTitle(box);
    box.exec();
}

void MainWindow::slotClockItemRead(int index, const QStringList &list)
{
    if (m_closing || list.size() < 2)
        return;
    // A row imported from another instrument's file can carry a number that
    // is a different item here: only the item of the row's own name is its value.
    for (int row = 0; row < itemRowCount(); ++row) {
        QTreeWidgetItem *item = tree->topLevelItem(row);
        if (item->data(0, Qt::UserRole).toInt() == index && !item->text(1).isEmpty()
            && prepareItemEdit(item->text(0), item->text(1)).name == list.at(0).trimmed())
            item->setText(1, kValuePrefix + list.at(1));
    }
}

void MainWindow::slotHistoryData()
{
    HistoryData dialog(this);
    dialog.exec();
}

void MainWindow::slotUpdateHardware()
{
    UpdateDialog dialog(this);
    dialog.exec();
}

void MainWindow::slotDeviceMonitor()
{
    MonitorDialog dialog(this);
    dialog.exec();
}

void MainWindow::slotAbout()
{
    NeutralAboutDialog dialog(this);
    dialog.exec();
}

void MainWindow::slotClearItems()
{
    clearComparison();
    tree->clear();
    showImportedNote(false);
    SkipFilter::reset();
}

void MainWindow::slotAddItems(int index, const QStringList &list)
{
    // A list that changes is no longer the one compared.
    clearComparison();
    for (const ItemRow &row : rowsToShow(skipItems, index, list))
        addItemRow(row.index, row.list);
}

void MainWindow::slotShowErrorMessage(const QString &title, const QString &error,
                                      const QString &image)
{
    m_refreshFailed = true;
    showDeviceErrorBox(title, error, QIcon(QPixmap(image)));
}

void MainWindow::slotItemDoubleClicked(QTreeWidgetItem *item, int column)
{
    Q_UNUSED(column)
    // A row only in the compared file is no item of the instrument.
    if (m_busy || tree->indexOfTopLevelItem(item) >= itemRowCount())
        return;
    // The edit runs its own event loop, in which a refresh may clear the tree
    // and delete the row; the persistent index notices that.
    const QPersistentModelIndex row(tree->model()->index(tree->indexOfTopLevelItem(item), 0));
    QString newValue;
    const int code = askItemValue(item->text(0), item->text(1), newValue);
    if (code == kEditCancelled || !row.isValid())
        return;
    writeItem(tree->topLevelItem(row.row()), newValue, code);
}

int MainWindow::askItemValue(QString name, QString value, QString &newValue)
{
    newValue.clear();
    const ItemEditTexts texts = prepareItemEdit(name, value);
    if (texts.isAction) {
        QMessageBox box(QMessageBox::NoIcon, QString(), texts.name,
                        QMessageBox::Ok | QMessageBox::Cancel, this,
                        Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
        box.setWindowIcon(windowIcon());
        box.button(QMessageBox::Ok)->setText(tr("确定"));
        box.button(QMessageBox::Cancel)->setText(tr("取消"));
        fitTitle(box);
        return box.exec() == QMessageBox::Ok ? kActionItemFields : kEditCancelled;
    }
    ModifyDialog dialog(texts.name, texts.value, this);
    if (dialog.exec() != QDialog::Accepted)
        return kEditCancelled;
    newValue = dialog.value();
    return kValueItemFields;
}

bool MainWindow::writeItem(QTreeWidgetItem *item, const QString &value, int expectedFields)
{
    const ItemWriteThread::Step step{item->data(0, Qt::UserRole).toInt(), value, expectedFields};
    return startWrites({item}, {step}, QString());
}

void MainWindow::slot_en_US()
{
    applyLanguage(QString::fromLatin1(LanguageCodes::kEnglish));
}

void MainWindow::slot_zh_CH()
{
    applyLanguage(QString::fromLatin1(LanguageCodes::kSimplifiedChinese));
}

void MainWindow::slot_zh_TW()
{
    applyLanguage(QString::fromLatin1(LanguageCodes::kTraditionalChinese));
}

void MainWindow::addItemRow(int index, const QStringList &list)
{
    const ItemRowText row = itemRowText(tree->topLevelItemCount() + 1, index, list);
    QStringList columns{row.column0};
    if (!row.column1.isEmpty())
        columns << row.column1;
    auto *item = new QTreeWidgetItem(columns);
    item->setData(0, Qt::UserRole, index);
    // The row number counts from 01; the CSV file and norvo-cli use the item number.
    const QString number = tr("项目编号 %1 (CSV 文件和 norvo-cli 中的编号)").arg(index);
    item->setToolTip(0, number);
    item->setToolTip(1, number);
    tree->addTopLevelItem(item);
}

void MainWindow::endItemList()
{
    if (const std::optional<ItemRow> held = SkipFilter::settle())
        addItemRow(held->index, held->list);
}

void MainWindow::loadSkipItems()
{
    skipItems = loadSkipTable(skipItemsPath());
}
