#include "setupdialog.h"

#include "config.h"
#include "dialogframe.h"
#include "guiresources.h"
#include "portcombobox.h"
#include "portnames.h"
#include "settingskeys.h"
#include "ui_setupdialog.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QMessageBox>

namespace {
constexpr int kMaxVisibleEntries = 20;
constexpr int kMinimumContentsChars = 8; // both boxes stay this wide at least
constexpr int kPopupMarginPx = 24;       // room for the list's scroll bar

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
    // A port the system does not list (a pseudo-terminal, a link to one) can
    // be typed in; it is stored exactly as typed.
    ui->port->setInsertPolicy(QComboBox::NoInsert);
    ui->port->completer()->setCaseSensitivity(Qt::CaseSensitive);
    alignChoices();

    connect(ui->ok, &QPushButton::clicked, this, &SetupDialog::saveConfig);
    connect(ui->cancel, &QPushButton::clicked, this, &SetupDialog::reject);
    connect(ui->port, &PortComboBox::signalAboutToShowPopup, this,
            [this] { fillPortList(ui->port->currentText()); });

    loadConfig();
}

void SetupDialog::alignChoices()
{
    // Equal labels and boxes that fill the rest of their rows keep both boxes
    // under each other whatever the length of a port path.
    const int labelWidth = qMax(ui->label->sizeHint().width(), ui->label_2->sizeHint().width());
    for (QLabel *label : {ui->label, ui->label_2})
        label->setFixedWidth(labelWidth);
    for (QComboBox *box : {static_cast<QComboBox *>(ui->port), ui->baudrate}) {
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(kMinimumContentsChars);
        box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }
}

void SetupDialog::fillPortList(const QString &shown)
{
    const QString storedPort
            = singleton<Config>::instance()->value(SettingsKeys::kSerialPort).toString();
    QStringList present;
    QHash<QString, QString> descriptions;
    for (const PortDescription &port : availablePorts()) {
        present.append(port.name);
        descriptions.insert(port.name, port.description);
    }
    ui->port->clear();
    for (const QString &name : portChoices(present, storedPort)) {
        ui->port->addItem(name);
        ui->port->setItemData(ui->port->count() - 1, descriptions.value(name),
                              PortComboBox::kDescriptionRole);
    }
    const int index = shown.isEmpty() ? -1 : ui->port->findText(shown);
    ui->port->setCurrentIndex(index);
    if (index < 0)
        ui->port->setEditText(shown); // a typed path the list does not hold
    // The open list is as wide as its longest entry, the box keeps its width.
    ui->port->view()->setMinimumWidth(ui->port->view()->sizeHintForColumn(0) + kPopupMarginPx);
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
    fillPortList(storedPort);
    selectStored(ui->baudrate, storedRate);
}

void SetupDialog::saveConfig()
{
    const auto refuse = [this](const QString &text) {
        QMessageBox box(QMessageBox::Critical, windowTitle(), text, QMessageBox::Ok, this);
        fitTitle(box);
        box.exec();
    };
    if (ui->port->currentText().trimmed().isEmpty()) {
        refuse(tr("请选择串口!"));
        return;
    }
    if (ui->baudrate->currentText().isEmpty()) {
        refuse(tr("请选择波特率!"));
        return;
    }

    Config *config = singleton<Config>::instance();
    config->setValue(SettingsKeys::kSerialPort, ui->port->currentText());
    config->setValue(SettingsKeys::kSerialBaudRate, ui->baudrate->currentText());
    accept();
}
