#ifndef NORVO_MAINWINDOW_H
#define NORVO_MAINWINDOW_H

#include "clocksyncthread.h"
#include "itemcomparison.h"
#include "itemwritethread.h"
#include "refreshthread.h"
#include "skipitems.h"

#include <QList>
#include <QMainWindow>
#include <QPersistentModelIndex>

class ConfigTree;
class EmptyTreeHint;
class PortStatusLabel;
class QLabel;
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
    void applyLanguage(const QString &requestedCode);
    void saveWindowSize();
    void showErrorBox(const QString &title, const QString &text, const QIcon &icon);
    bool isRefreshing() const { return refreshThread.isRunning(); }
    // True from the start of an exchange with the instrument (refresh, writing,
    // clock) until its results are shown; the device actions are disabled meanwhile.
    bool isBusy() const { return m_busy; }

    // Asks for one item's new value: 0 cancelled, 1 action item confirmed
    // (newValue empty), 2 value entered; the same number is the field count
    // writeItem expects in the instrument's echo.
    int askItemValue(QString name, QString value, QString &newValue);
    // Starts writing value to the row's item; the echoed value appears in
    // column 1 when the instrument has answered. False when nothing started.
    bool writeItem(QTreeWidgetItem *item, const QString &value, int expectedFields);

public slots:
    void slotCommunicationSetup();
    void slotRefresh();
    void slotExportItems();
    void slotImportItems();
    void slotWriteItems();
    void slotSyncTime();
    void slotHistoryData();
    void slotUpdateHardware();
    void slotDeviceMonitor();
    void slotAbout();
    void slotClearItems();
    void slotAddItems(int index, const QStringList &list);
    void slotShowErrorMessage(const QString &title, const QString &error, const QString &image);
    void slotItemDoubleClicked(QTreeWidgetItem *item, int column);
    void slot_en_US();
    void slot_zh_CH();
    void slot_zh_TW();
    void slotCompareItems();
    void slotWriteChanged();

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void slotRefreshProgress();
    void slotRefreshFinished();
    void slotItemWriting(int step, int total);
    void slotItemWritten(int step, const ItemWriteResult &result);
    void slotWritesFinished();
    void slotItemsVerifying(int done, int total);
    void slotItemsVerified(const ItemVerifyResult &result);
    void slotClockSynced(const ClockSyncResult &result);
    void slotClockItemRead(int index, const QStringList &list);

private:
    void connectSignals();
    void shrinkToolBarIcons();
    int toolBarWidth() const;
    void addItemRow(int index, const QStringList &list);
    // Asks for an item file and reads it whole; false when the user cancelled
    // or the file is broken, which the box titled title has said.
    bool openItemFile(const QString &title, QVector<ItemRecord> *records);
    // The list being filled has ended: a row the SkipItems filter holds is shown.
    void endItemList();
    // Italic rows show values read from a file and not yet written to the instrument.
    void markImported(QTreeWidgetItem *row, bool imported);
    void showImportedNote(bool shown);
    void loadSkipItems();
    void setBusy(bool busy);
    // The error box of an operation on the instrument; with no port configured
    // it offers to open the serial settings.
    void showDeviceErrorBox(const QString &title, const QString &text, const QIcon &icon);
    // The critical box with its one OK button, and the serial-settings button
    // when offered; true when the user chose the settings.
    bool execErrorBox(const QString &title, const QString &text, const QIcon &icon,
                      bool offerSetup);
    // bulkTitle names a write of several items, which is read back afterwards;
    // empty for one edited item.
    bool startWrites(const QList<QTreeWidgetItem *> &rows,
                     const QVector<ItemWriteThread::Step> &steps, const QString &bulkTitle);
    // Rows of the instrument's list: the file's rows a comparison adds follow them.
    int itemRowCount() const;
    QVector<ItemRowText> itemRowTexts() const;
    // Compares the tree with the file kept by the last compare and marks the rows.
    void applyComparison();
    void clearComparison();
    void paintComparisonRow(QTreeWidgetItem *row, const ComparedItem &entry);
    QTreeWidgetItem *writtenRow(int step) const;

    Ui::MainWindow *ui;
    ConfigTree *tree;
    RefreshThread refreshThread;
    QTranslator *translator;
    SkipTable skipItems;

    QTranslator *qtTranslator;
    ItemWriteThread writeThread;
    ClockSyncThread clockThread;
    QList<QPersistentModelIndex> m_writeRows; // rows of the running write, by step
    QVector<ItemWriteThread::Step> m_writeValues;
    bool m_bulkWrite = false;
    bool m_writeFailed = false;
    int m_itemsRead = 0;
    bool m_refreshFailed = false;
    bool m_busy = false;
    bool m_closing = false; // no more boxes once the window is going away
    PortStatusLabel *m_portStatus;
    EmptyTreeHint *m_treeHint;
    QStringList m_notTaken; // rows of the running bulk write whose value the instrument refused
    QLabel *m_importedNote;
    QString m_bulkTitle; // the running write's, empty for one edited item
    ItemVerifyResult m_verifyResult;
    bool m_comparing = false;
    ItemComparison m_comparison;
    QVector<ItemRowText> m_compareFile; // the file's rows, SkipItems applied
    int m_onlyInFileRows = 0;
    QLabel *m_comparisonNote;
};

#endif
