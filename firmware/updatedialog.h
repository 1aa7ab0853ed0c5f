#ifndef NORVO_UPDATEDIALOG_H
#define NORVO_UPDATEDIALOG_H

#include "devicetypemgr.h"
#include "downloadthread.h"
#include "updatethread.h"

#include <QDialog>

namespace Ui {
class UpdateDialog;
}

// Flashes a firmware package into the instrument and fetches packages from the maker.
class UpdateDialog : public QDialog
{
    Q_OBJECT

public:
    explicit UpdateDialog(QWidget *parent = nullptr);
    ~UpdateDialog() override;

    // Where packages are looked for and downloaded to, relative to the working directory.
    static QString packageDirectory();

    // The catalogue list and the buttons that start a fetch or a download.
    virtual void setDownloadEnabled(bool enabled);

public slots:
    void slotSelectFile();
    void slotUpdate();
    void soltStartUpdate();
    void soltStopUpdate();
    void slotSetUpdateProgress(int value);
    void slotUpdateSucceed();
    void slotStartRefreshFile();
    void slotStopRefreshFile();
    void slotFinishedRefreshFile();
    void slotSelectPath();
    void slotStartDownloadThread();
    void slotStartDownloadFile();
    void slotStopDownloadFile();
    void slotSetDownloadProgress(int value);
    void slotDownloadSucceed();
    void slotShowErrorMessage(const QString &error);
    // Escape ends a dialog without a close event; it is refused the same way.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // True (and the user told) while the update runs, which must not be cut off.
    bool refuseWhileUpdating();

    void connectDownloadHalf();
    // What may not change while the update runs.
    void setUpdateControlsEnabled(bool enabled);
    // Fills the package list from every name fetched so far.
    void showCatalogue();

    Ui::UpdateDialog *ui;
    UpdateThread updateThread;
    DeviceTypeMgr deviceTypeMgr;
    DownloadThread downloadThread;
    // The running update has reported its failure and only sends its closing requests.
    bool updateFailureShown = false;
};

#endif
