#ifndef NORVO_MAINWINDOW_H
#define NORVO_MAINWINDOW_H

#include "refreshthread.h"
#include "skipitems.h"

#include <QMainWindow>

class ConfigTree;
class QTranslator;
class QTreeWidgetItem;

namespace Ui {
class MainWindow;
}

// The program's one top-level window: the item tree and the actions that start every function.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    void restoreSettings();
    void applyLanguage(const QString &code);
    void saveWindowSize();
    void showErrorBox(const QString &title, const QString &text, const QIcon &icon);
    bool isRefreshing() const { return refreshThread.isRunning(); }

    // Asks for one item's new value: 0 cancelled, 1 action item confirmed
    // (newValue empty), 2 value entered; the same number is the field count
    // writeItem expects in the instrument's echo.
    int askItemValue(QString name, QString value, QString &newValue);
    // Writes value to the row's item and shows the echoed value in column 1;
    // false on a failure, which has already been shown.
    bool writeItem(QTreeWidgetItem *item, const QString &value, int expectedFields);

public slots:
    void slotCommunicationSetup();
    void slotRefresh();
    void slotExportItems();
    void slotImportItems();
    void slotWriteItems();
    void slotSyncTime();
    void slotDeviceMonitor();
    void slotAbout();
    void slotClearItems();
    void slotAddItems(int index, const QStringList &list);
    void slotShowErrorMessage(const QString &title, const QString &error, const QString &image);
    void slotItemDoubleClicked(QTreeWidgetItem *item, int column);
    void slot_en_US();
    void slot_zh_CH();
    void slot_zh_TW();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void connectSignals();
    void shrinkToolBarIcons();
    int toolBarWidth() const;
    void addItemRow(int index, const QStringList &list);
    bool holdOrDropRow(int index, const QStringList &list);
    void loadSkipItems();

    Ui::MainWindow *ui;
    ConfigTree *tree;
    RefreshThread refreshThread;
    QTranslator *translator;
    SkipTable skipItems;
};

#endif
