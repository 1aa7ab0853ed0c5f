#include "mainwindow.h"

#include "choicelist.h"
#include "clocksync.h"
#include "config.h"
#include "configtree.h"
#include "guiresources.h"
#include "itemcsv.h"
#include "itemwriter.h"
#include "modifydialog.h"
#include "monitordialog.h"
#include "neutralaboutdialog.h"
#include "producttitle.h"
#include "settingskeys.h"
#include "setupdialog.h"
#include "ui_mainwindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QIcon>
#include <QLayout>
#include <QMessageBox>
#include <QPersistentModelIndex>
#include <QPixmap>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QTranslator>
#include <QTreeWidgetItem>

namespace {
constexpr int kStatusMessageMs = 5000;
constexpr int kMinimumWindowHeight = 600;
constexpr int kToolBarPixmapSize = 16; // pixels; the menu shows the same images
constexpr int kRowNumberDigits = 2;
constexpr char kItemFileFilter[] = "Files (*.csv)";
constexpr int kEditCancelled = 0; // askItemValue: nothing to write

const QString kEnglish = QStringLiteral("en_US");
const QString kSimplifiedChinese = QStringLiteral("zh_CH");
const QString kTraditionalChinese = QStringLiteral("zh_TW");

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
{
    ui->setupUi(this);
    setWindowIcon(QIcon(GuiResources::kConfigureIcon));
    setCentralWidget(tree);
    ui->toolBar->setMovable(false);
    ui->toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    connectSignals();
    // History, firmware update and the device monitor have no dialogs yet.
    ui->debug->setEnabled(false);
    ui->update->setEnabled(false);
    statusBar()->showMessage(tr("准备就绪"), kStatusMessageMs);
    restoreSettings();
    shrinkToolBarIcons();
    loadSkipItems();
}

MainWindow::~MainWindow()
{
    // A window destroyed without being closed must not destroy a running worker.
    refreshThread.wait();
    delete ui;
}

void MainWindow::connectSignals()
{
    connect(ui->setup, &QAction::triggered, this, &MainWindow::slotCommunicationSetup);
    connect(ui->refresh, &QAction::triggered, this, &MainWindow::slotRefresh);
    connect(ui->import_2, &QAction::triggered, this, &MainWindow::slotImportItems);
    connect(ui->export_2, &QAction::triggered, this, &MainWindow::slotExportItems);
    connect(ui->save, &QAction::triggered, this, &MainWindow::slotWriteItems);
    connect(ui->sync_time, &QAction::triggered, this, &MainWindow::slotSyncTime);
    connect(ui->monitor, &QAction::triggered, this, &MainWindow::slotDeviceMonitor);
    connect(ui->about, &QAction::triggered, this, &MainWindow::slotAbout);
    connect(ui->lang_en_US, &QAction::triggered, this, &MainWindow::slot_en_US);
    connect(ui->lang_zh_CH, &QAction::triggered, this, &MainWindow::slot_zh_CH);
    connect(ui->lang_zh_TW, &QAction::triggered, this, &MainWindow::slot_zh_TW);

    connect(&refreshThread, &RefreshThread::signalClearItems, this, &MainWindow::slotClearItems);
    connect(&refreshThread, &RefreshThread::signalAddItems, this, &MainWindow::slotAddItems);
    connect(&refreshThread, &RefreshThread::showErrorMessage, this,
            &MainWindow::slotShowErrorMessage);
    connect(tree, &QTreeWidget::itemDoubleClicked, this, &MainWindow::slotItemDoubleClicked);
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
    resize(width, qMax(height, kMinimumWindowHeight));
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

void MainWindow::applyLanguage(const QString &code)
{
    ui->lang_en_US->setChecked(code == kEnglish);
    ui->lang_zh_TW->setChecked(code == kTraditionalChinese);
    ui->lang_zh_CH->setChecked(!ui->lang_en_US->isChecked() && !ui->lang_zh_TW->isChecked());

    // The translation files lie in the working directory, named after the code.
    QCoreApplication::removeTranslator(translator);
    if (translator->load(code))
        QCoreApplication::installTranslator(translator);
    ui->retranslateUi(this);

    const int width = toolBarWidth();
    setMinimumWidth(width);
    resize(width, height());

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
    // A read cannot be interrupted; the window disappears while it runs out.
    if (refreshThread.isRunning())
        hide();
    refreshThread.wait();
    saveWindowSize();
    QMainWindow::closeEvent(event);
    singleton<Config>::destroyInstance();
}

void MainWindow::showErrorBox(const QString &title, const QString &text, const QIcon &icon)
{
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, this,
                    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    box.setWindowIcon(icon);
    box.button(QMessageBox::Ok)->setText(tr("确定"));
    statusBar()->showMessage(text, kStatusMessageMs);
    box.exec();
}

void MainWindow::slotCommunicationSetup()
{
    SetupDialog dialog(this);
    dialog.exec();
}

void MainWindow::slotRefresh()
{
    if (!refreshThread.isRunning())
        refreshThread.start(QThread::InheritPriority);
}

void MainWindow::slotExportItems()
{
    const QString fileName = QFileDialog::getSaveFileName(this, tr("导出配置"),
                                                          QCoreApplication::applicationDirPath(),
                                                          QString::fromLatin1(kItemFileFilter));
    if (fileName.isEmpty())
        return;
    statusBar()->showMessage(tr("正在导出配置......"));
    QVector<ItemRowText> rows;
    for (int row = 0; row < tree->topLevelItemCount(); ++row) {
        const QTreeWidgetItem *item = tree->topLevelItem(row);
        rows.append({item->data(0, Qt::UserRole).toInt(), item->text(0), item->text(1)});
    }
    const QString error = exportItemFile(fileName, rows);
    if (!error.isEmpty()) {
        showErrorBox(tr("导出配置"), error, windowIcon());
        return;
    }
    statusBar()->showMessage(tr("导出配置成功"), kStatusMessageMs);
}

void MainWindow::slotImportItems()
{
    const QString fileName = QFileDialog::getOpenFileName(this, tr("导入配置"),
                                                          QCoreApplication::applicationDirPath(),
                                                          QString::fromLatin1(kItemFileFilter));
    if (fileName.isEmpty())
        return;
    statusBar()->showMessage(tr("正在导入配置......"));
    // The whole file is parsed before the tree changes: a broken file leaves
    // the items on screen as they were.
    QVector<ItemRecord> records;
    const QString error = importItemFile(fileName, &records);
    if (!error.isEmpty()) {
        showErrorBox(tr("导入配置"), error, windowIcon());
        return;
    }
    slotClearItems();
    for (const ItemRecord &record : qAsConst(records))
        slotAddItems(record.item, record.fields);
    statusBar()->showMessage(tr("导入配置成功"), kStatusMessageMs);
}

void MainWindow::slotWriteItems()
{
    statusBar()->showMessage(tr("正在写入配置......"));
    QStringList valueTexts;
    for (int row = 0; row < tree->topLevelItemCount(); ++row)
        valueTexts.append(tree->topLevelItem(row)->text(1));
    for (const BulkWriteStep &step : bulkWritePlan(valueTexts)) {
        QTreeWidgetItem *item = tree->topLevelItem(step.row);
        tree->setCurrentItem(item); // the user sees which item is being written
        if (!writeItem(item, step.value, kValueItemFields)) {
            showErrorBox(tr("写入配置"), tr("写入配置失败: %1").arg(step.value), windowIcon());
            return;
        }
    }
    statusBar()->showMessage(tr("写入配置成功"), kStatusMessageMs);
}

void MainWindow::slotSyncTime()
{
    const ClockSyncResult result = syncDeviceClock();
    if (result.isAcknowledged())
        QMessageBox::information(this, tr("同步时间"), tr("同步时间成功"));
    else
        showErrorBox(tr("同步时间"), result.errorText, windowIcon());
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
    tree->clear();
}

void MainWindow::slotAddItems(int index, const QStringList &list)
{
    if (!holdOrDropRow(index, list))
        addItemRow(index, list);
}

void MainWindow::slotShowErrorMessage(const QString &title, const QString &error,
                                      const QString &image)
{
    showErrorBox(title, error, QIcon(QPixmap(image)));
}

void MainWindow::slotItemDoubleClicked(QTreeWidgetItem *item, int column)
{
    Q_UNUSED(column)
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
    statusBar()->showMessage(tr("正在写入配置......"));
    const int number = item->data(0, Qt::UserRole).toInt();
    const ItemWriteResult result = writeItemToDevice(number, value, expectedFields);
    if (!result.isWritten()) {
        showErrorBox(tr("提交"), result.errorText, windowIcon());
        return false;
    }
    // The echo is the item's new content: a refused value comes back as the old one.
    if (expectedFields == kValueItemFields)
        item->setText(1, QStringLiteral(": ") + result.echoedValue());
    if (writeTaken(item->text(1), value))
        statusBar()->showMessage(tr("写入配置成功"), kStatusMessageMs);
    else
        statusBar()->showMessage(tr("写入配置失败,该项不支持修改"), kStatusMessageMs);
    return true;
}

void MainWindow::slot_en_US()
{
    applyLanguage(kEnglish);
}

void MainWindow::slot_zh_CH()
{
    applyLanguage(kSimplifiedChinese);
}

void MainWindow::slot_zh_TW()
{
    applyLanguage(kTraditionalChinese);
}

void MainWindow::addItemRow(int index, const QStringList &list)
{
    const QString rowNumber = QString::number(tree->topLevelItemCount() + 1)
                                      .rightJustified(kRowNumberDigits, QLatin1Char('0'));
    QStringList columns{rowNumber + QStringLiteral(". ") + list.value(0).trimmed()};
    if (list.size() > 1)
        columns << QStringLiteral(": ") + list.at(1).trimmed();
    auto *item = new QTreeWidgetItem(columns);
    item->setData(0, Qt::UserRole, index);
    tree->addTopLevelItem(item);
}

bool MainWindow::holdOrDropRow(int index, const QStringList &list)
{
    const SkipDecision decision = SkipFilter::decide(skipItems, index, list);
    if (decision.releasedRow)
        addItemRow(decision.releasedRow->index, decision.releasedRow->list);
    return !decision.appendRow;
}

void MainWindow::loadSkipItems()
{
    skipItems = loadSkipTable(QString::fromLatin1(kSkipItemsFileName));
}
