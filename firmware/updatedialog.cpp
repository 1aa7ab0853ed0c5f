#include "updatedialog.h"

#include "config.h"
#include "ddbserver.h"
#include "dialogframe.h"
#include "guiresources.h"
#include "messageboxes.h"
#include "settingskeys.h"
#include "ui_updatedialog.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {
constexpr char kPackageFilter[] = "Files (*.nvbin)";
constexpr int kProgressMaximum = 100;
} // namespace

UpdateDialog::UpdateDialog(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::UpdateDialog)
{
    ui->setupUi(this);
    setUpFixedDialog(this, GuiResources::kUpdateIcon);

    // Once a failure has been told, nothing is left to cut short: the closing
    // requests still go out, and the dialog waits for them after it closed.
    connect(&updateThread, &UpdateThread::signalShowErrorMessage, this,
            [this](const QString &error) {
                updateFailureShown = true;
                slotShowErrorMessage(error);
            });
    connect(ui->bntSelectFile, &QPushButton::clicked, this, &UpdateDialog::slotSelectFile);
    connect(ui->bntUpdate, &QPushButton::clicked, this, &UpdateDialog::slotUpdate);
    connect(&updateThread, &QThread::started, this, &UpdateDialog::soltStartUpdate);
    connect(&updateThread, &QThread::finished, this, &UpdateDialog::soltStopUpdate);
    connect(&updateThread, &UpdateThread::signalUpdateProgress, this,
            &UpdateDialog::slotSetUpdateProgress);
    connect(&updateThread, &UpdateThread::signalUpdateSucceed, this,
            &UpdateDialog::slotUpdateSucceed);
    connectDownloadHalf();

    for (QProgressBar *bar : {ui->barUpdate, ui->barDownload}) {
        bar->setRange(0, kProgressMaximum);
        bar->setValue(0);
    }
    ui->bntUpdate->setEnabled(false);

    ui->ckFast->setChecked(
            singleton<Config>::instance()->value(SettingsKeys::kFirmwareFastCompletion).toBool());
    connect(ui->ckFast, &QCheckBox::toggled, this, [](bool fast) {
        singleton<Config>::instance()->setValue(SettingsKeys::kFirmwareFastCompletion, fast);
    });
}

UpdateDialog::~UpdateDialog()
{
    // A fetch or download still running is stopped. The update cannot be:
    // closing is refused while it runs until it has told a failure, and the
    // closing requests it sends after that (or a run the dialog was ended
    // during some other way) are waited for here, out of sight.
    downloadThread.requestStop();
    deviceTypeMgr.requestStop();
    updateThread.wait();
    delete ui;
}

void UpdateDialog::connectDownloadHalf()
{
    connect(&deviceTypeMgr, &DeviceTypeMgr::signalShowErrorMessage, this,
            &UpdateDialog::slotShowErrorMessage);
    connect(&downloadThread, &DownloadThread::signalShowErrorMessage, this,
            &UpdateDialog::slotShowErrorMessage);
    connect(&deviceTypeMgr, &QThread::started, this, &UpdateDialog::slotStartRefreshFile);
    connect(&deviceTypeMgr, &QThread::finished, this, &UpdateDialog::slotStopRefreshFile);
    connect(&deviceTypeMgr, &DeviceTypeMgr::signalFinished, this,
            &UpdateDialog::slotFinishedRefreshFile);
    connect(ui->bntSelectPath, &QPushButton::clicked, this, &UpdateDialog::slotSelectPath);
    connect(ui->bntDownload, &QPushButton::clicked, this, &UpdateDialog::slotStartDownloadThread);
    connect(&downloadThread, &QThread::started, this, &UpdateDialog::slotStartDownloadFile);
    connect(&downloadThread, &QThread::finished, this, &UpdateDialog::slotStopDownloadFile);
    connect(&downloadThread, &DownloadThread::signalSetDownloadProgress, this,
            &UpdateDialog::slotSetDownloadProgress);
    connect(&downloadThread, &DownloadThread::signalDownloadSucceed, this,
            &UpdateDialog::slotDownloadSucceed);
    connect(ui->bntRefresh, &QPushButton::clicked, this, [this] {
        if (!deviceTypeMgr.isRunning())
            deviceTypeMgr.start(QThread::InheritPriority);
    });
}

void UpdateDialog::setDownloadEnabled(bool enabled)
{
    ui->bntSelectPath->setEnabled(enabled);
    ui->bntDownload->setEnabled(enabled);
    ui->bntRefresh->setEnabled(enabled);
    ui->cmbFileList->setEnabled(enabled);
}

QString UpdateDialog::packageDirectory()
{
    return QDir::toNativeSeparators(QStringLiteral("./Files/"));
}

void UpdateDialog::slotSelectFile()
{
    QDir().mkpath(packageDirectory());
    const QString path = QFileDialog::getOpenFileName(this, tr("更新固件"), packageDirectory(),
                                                      QString::fromLatin1(kPackageFilter));
    ui->edFilePath->setText(path);
    ui->edFilePath->setToolTip(path);

    // A package that cannot be read only shows as empty fields here; flashing
    // reads it again and says why.
    DEncryptInfo info(path);
    DDbServer server;
    const bool parsed = server.parsePackage(info).isEmpty();
    ui->edDevice->setText(parsed ? info.device() : QString());
    ui->edType->setText(parsed ? info.model() : QString());
    ui->edVersion->setText(parsed ? info.version() : QString());
    ui->bntUpdate->setEnabled(parsed);
}

void UpdateDialog::slotUpdate()
{
    if (updateThread.isRunning())
        return;
    DEncryptInfo info;
    QString error = loadPackageForUpdate(ui->edFilePath->text(), &info);
    if (error.isEmpty())
        error = UpdateThread::packageRefusal(info);
    if (!error.isEmpty()) {
        showCritical(error, this);
        return;
    }
    updateThread.setPackage(info);
    updateFailureShown = false;
    updateThread.start(QThread::InheritPriority);
}

void UpdateDialog::soltStartUpdate()
{
    setUpdateControlsEnabled(false);
}

void UpdateDialog::soltStopUpdate()
{
    setUpdateControlsEnabled(true);
}

void UpdateDialog::setUpdateControlsEnabled(bool enabled)
{
    // The mode is read when a run starts; changing it meanwhile would only mislead.
    for (QWidget *control : std::initializer_list<QWidget *>{ui->bntSelectFile, ui->bntDownload,
                                                             ui->bntUpdate, ui->ckFast})
        control->setEnabled(enabled);
}

void UpdateDialog::slotSetUpdateProgress(int value)
{
    ui->barUpdate->setValue(value);
}

void UpdateDialog::slotUpdateSucceed()
{
    // The bar counts pages as they start; the box comes once all are in.
    ui->barUpdate->setValue(kProgressMaximum);
    showInformation(tr("固件更新成功!"), this);
    ui->barUpdate->setValue(0);
}

void UpdateDialog::slotStartRefreshFile()
{
    ui->cmbFileList->clear();
    setDownloadEnabled(false);
}

void UpdateDialog::slotStopRefreshFile()
{
    // A failed fetch adds nothing, but the names fetched earlier stay known
    // and are shown again.
    if (ui->cmbFileList->count() == 0)
        showCatalogue();
    setDownloadEnabled(true);
}

void UpdateDialog::slotFinishedRefreshFile()
{
    showCatalogue();
}

void UpdateDialog::showCatalogue()
{
    const QMap<QString, QString> catalogue = deviceTypeMgr.catalogue();
    for (auto entry = catalogue.cbegin(); entry != catalogue.cend(); ++entry)
        ui->cmbFileList->addItem(entry.key(), entry.value());
}

void UpdateDialog::slotSelectPath()
{
    QDir().mkpath(packageDirectory());
    // A cancelled choice empties the field, so a download then asks for a directory.
    ui->edDownloadDir->setText(QFileDialog::getExistingDirectory(
            this, tr("下载文件"), packageDirectory(), QFileDialog::ShowDirsOnly));
}

void UpdateDialog::slotStartDownloadThread()
{
    if (downloadThread.isRunning())
        return;
    const QString link = ui->cmbFileList->currentData().toString();
    const QString directory = ui->edDownloadDir->text();
    if (link.isEmpty())
        showCritical(tr("请选择设备类型!"), this);
    else if (directory.isEmpty())
        showCritical(tr("请选择下载路径!"), this);
    else if (const QFileInfo target(DownloadThread::targetPath(link, directory)); !target.exists())
        downloadThread.startDownload(link, directory);
    // A file of the package's name is replaced only when the user says so.
    else if (askQuestion(tr("%1 已存在, 要替换它吗?").arg(target.fileName()), this))
        downloadThread.startDownload(link, directory, true);
}

void UpdateDialog::slotStartDownloadFile()
{
    setDownloadEnabled(false);
}

void UpdateDialog::slotStopDownloadFile()
{
    setDownloadEnabled(true);
}

void UpdateDialog::slotSetDownloadProgress(int value)
{
    ui->barDownload->setValue(value);
}

void UpdateDialog::slotDownloadSucceed()
{
    showInformation(tr("文件下载成功!"), this);
    ui->barDownload->setValue(0);
}

void UpdateDialog::slotShowErrorMessage(const QString &error)
{
    showCritical(error, this);
}

bool UpdateDialog::refuseWhileUpdating()
{
    if (!updateThread.isRunning() || updateFailureShown)
        return false;
    showCritical(tr("正在更新固件,请等待更新完成!"), this);
    return true;
}

void UpdateDialog::closeEvent(QCloseEvent *event)
{
    if (refuseWhileUpdating()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void UpdateDialog::reject()
{
    if (!refuseWhileUpdating())
        QDialog::reject();
}
