#include "mainwindow.h"

#include "config.h"
#include "configtree.h"
#include "neutralaboutdialog.h"
#include "producttitle.h"
#include "settingskeys.h"
#include "setupdialog.h"
#include "ui_mainwindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QIcon>
#include <QMessageBox>
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
constexpr char kWindowIconPath[] = ":/image/configure.png";

const QString kEnglish = QStringLiteral("en_US");
const QString kSimplifiedChinese = QStringLiteral("zh_CH");
const QString kTraditionalChinese = QStringLiteral("zh_TW");

QString key(const char *name)
{
    return QString::fromLatin1(name);
}

Config *config()
{
    return singleton<Config>::instance();
}
} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
    , tree(new ConfigTree(this))
    , refreshThread()
    , translator(new QTranslator(this))
    , skipItems()
{
    ui->setupUi(this);
    setWindowIcon(QIcon(QString::fromLatin1(kWindowIconPath)));
    setCentralWidget(tree);
    ui->toolBar->setMovable(false);
    ui->toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    connectSignals();
    // History, firmware update and the device monitor have no dialogs yet.
    ui->debug->setEnabled(false);
    ui->update->setEnabled(false);
    ui->monitor->setEnabled(false);
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
    connect(ui->about, &QAction::triggered, this, &MainWindow::slotAbout);
    connect(ui->lang_en_US, &QAction::triggered, this, &MainWindow::slot_en_US);
    connect(ui->lang_zh_CH, &QAction::triggered, this, &MainWindow::slot_zh_CH);
    connect(ui->lang_zh_TW, &QAction::triggered, this, &MainWindow::slot_zh_TW);

    connect(&refreshThread, &RefreshThread::signalClearItems, this, &MainWindow::slotClearItems);
    connect(&refreshThread, &RefreshThread::signalAddItems, this, &MainWindow::slotAddItems);
    connect(&refreshThread, &RefreshThread::showErrorMessage, this,
            &MainWindow::slotShowErrorMessage);
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
    const int width = config()->value(key(SettingsKeys::kWindowWidth)).toInt();
    const int height = config()->value(key(SettingsKeys::kWindowHeight)).toInt();
    resize(width, qMax(height, kMinimumWindowHeight));
    applyLanguage(config()->value(key(SettingsKeys::kLanguage)).toString());
}

int MainWindow::toolBarWidth() const
{
    int width = QToolBar().minimumSizeHint().width();
    for (QAction *action : ui->toolBar->actions()) {
        if (QWidget *widget = ui->toolBar->widgetForAction(action))
            width += widget->minimumSizeHint().width();
    }
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

    config()->setValue(key(SettingsKeys::kLanguage), code);
    setWindowTitle(productTitle());
}

void MainWindow::saveWindowSize()
{
    config()->setValue(key(SettingsKeys::kWindowWidth), width());
    config()->setValue(key(SettingsKeys::kWindowHeight), height());
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
