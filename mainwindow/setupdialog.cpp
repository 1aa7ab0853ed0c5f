#include "setupdialog.h"

#include "config.h"
#include "dialogframe.h"
#include "guiresources.h"
#include "portnames.h"
#include "settingskeys.h"
#include "ui_setupdialog.h"

#include <QMessageBox>

namespace {
constexpr int kMaxVisibleEntries = 20;

// The fixed list of rates offered; 43000 is uncommon but belongs to it.
constexpr const char *kBaudRates[]
        = {"75",   "110",  "134",   "150",   "300",   "600",   "1200",  "2400",   "4800",
           "7200", "9600", "14400", "19200", "38400", "43000", "57600", "115200", "128000"};

// Selects the entry whose text equals the stored text exactly; selects nothing
// when there is none (an empty stored value never matches).
void selectStored(QComboBox *box, const QString &stored)
{
    box->setCurrentIndex(stored.isEmpty() ? -1 : box->findText(stored));
}
} // namespace

SetupDialog::SetupDialog(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::SetupDialog)
{
    ui->setupUi(this);
    setUpFixedDialog(this, GuiResources::kSetupIcon);

    for (const char *rate : kBaudRates)
        ui->baudrate->addItem(QString::fromLatin1(rate));
    ui->port->setMaxVisibleItems(kMaxVisibleEntries);
    ui->baudrate->setMaxVisibleItems(kMaxVisibleEntries);

    connect(ui->ok, &QPushButton::clicked, this, &SetupDialog::saveConfig);
    connect(ui->cancel, &QPushButton::clicked, this, &SetupDialog::reject);

    loadConfig();
}

SetupDialog::~SetupDialog()
{
    delete ui;
}

void SetupDialog::loadConfig()
{
    Config *config = singleton<Config>::instance();
    const QString storedPort = config->value(SettingsKeys::kSerialPort).toString();
    const QString storedRate = config->value(SettingsKeys::kSerialBaudRate).toString();

    // Rebuilt on every call, so a second load shows the current ports only once.
    ui->port->clear();
    ui->port->addItems(portChoices(availablePortNames(), storedPort));

    selectStored(ui->port, storedPort);
    selectStored(ui->baudrate, storedRate);
}

void SetupDialog::saveConfig()
{
    if (ui->port->currentText().isEmpty()) {
        QMessageBox::critical(this, windowTitle(), tr("请选择串口!"), QMessageBox::Ok,
                              QMessageBox::NoButton);
        return;
    }
    if (ui->baudrate->currentText().isEmpty()) {
        QMessageBox::critical(this, windowTitle(), tr("请选择波特率!"), QMessageBox::Ok,
                              QMessageBox::NoButton);
        return;
    }

    Config *config = singleton<Config>::instance();
    config->setValue(SettingsKeys::kSerialPort, ui->port->currentText());
    config->setValue(SettingsKeys::kSerialBaudRate, ui->baudrate->currentText());
    accept();
}
