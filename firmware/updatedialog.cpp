#include "updatedialog.h"

#include "ddbserver.h"
#include "dialogframe.h"
#include "guiresources.h"
#include "messageboxes.h"
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

    connect(&updateThread, &UpdateThread::signalShowErrorMessage, this,
            &UpdateDialog::slotShowErrorMessage);
    connect(ui->bntSelectFile, &QPushButton::clicked, this, &UpdateDialog::slotSelectFile);
    connect(ui->bntUpdate, &QPushButton::clicked, this, &UpdateDialog::slotUpdate);
    connect(&updateThread, &QThread::started, this, &UpdateDialog::soltStartUpdate);
    connect(&updateThread, &QThread::finished, this, &UpdateDialog::soltStopUpdate);
    connect(&updateThread, &UpdateThread::signalUpdateProgress, this,
            &UpdateDialog::slotSetUpdateProgress);
    connect(&updateThread, &UpdateThread::signalUpdateSucceed, this,
            &UpdateDialog::slotUpdateSucceed);

    for (QProgressBar *bar : {ui->barUpdate, ui->barDownload}) {
        bar->setRange(0, kProgressMaximum);
        bar->setValue(0);
    }
    ui->bntUpdate->setEnabled(false);
}

UpdateDialog::~UpdateDialog()
{
    // Closing is refused while the update runs; should the dialog go some other
    // way, it waits rather than destroy a running thread.
    updateThread.wait();
    delete ui;
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
    const QString path = ui->edFilePath->text();
    if (path.isEmpty()) {
        showCritical(tr("请选择文件!"), this);
        return;
    }
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable()) {
        showCritical(tr("更新失败,文件不存在或拒绝访问!"), this);
        return;
    }
    // Read again, so a package changed since it was chosen is verified anew.
    DEncryptInfo info(path);
    DDbServer server;
    const QString error = server.parsePackage(info);
    if (!error.isEmpty()) {
        showCritical(error, this);
        return;
    }
    updateThread.setPackage(info);
    updateThread.start(QThread::InheritPriority);
}

void UpdateDialog::soltStartUpdate()
{
    ui->bntSelectFile->setEnabled(false);
    ui->bntDownload->setEnabled(false);
    ui->bntUpdate->setEnabled(false);
}

void UpdateDialog::soltStopUpdate()
{
    ui->bntSelectFile->setEnabled(true);
    ui->bntDownload->setEnabled(true);
    ui->bntUpdate->setEnabled(true);
}

void UpdateDialog::slotSetUpdateProgress(int value)
{
    ui->barUpdate->setValue(value);
}

void UpdateDialog::slotUpdateSucceed()
{
    showInformation(tr("固件更新成功!"), this);
    ui->barUpdate->setValue(0);
}

void UpdateDialog::slotShowErrorMessage(const QString &error)
{
    showCritical(error, this);
}

bool UpdateDialog::refuseWhileUpdating()
{
    if (!updateThread.isRunning())
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
