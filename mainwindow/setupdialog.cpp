#include "setupdialog.h"

#include "config.h"
#include "dialogframe.h"
#include "guiresources.h"
#include "messageboxes.h"
#include "portcombobox.h"
#include "portnames.h"
#include "settingskeys.h"
#include "ui_setupdialog.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QEventLoop>
#include <QInputDialog>
#include <QLineEdit>
#include <QProgressDialog>

namespace {
constexpr int kMaxVisibleEntries = 20;
constexpr int kMinimumContentsChars = 8; // both boxes stay this wide at least
constexpr int kPopupMarginPx = 24;       // room for the list's scroll bar
// Adapters plugged in or pulled out show up in the list within this time.
constexpr int kPortPollMs = 1000;

QStringList namesOf(const QList<PortDescription> &ports)
{
    QStringList names;
    for (const PortDescription &port : ports)
        names.append(port.name);
    return names;
}

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

    for (const qint32 rate : baudRateChoices())
        ui->baudrate->addItem(QString::number(rate));
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
            [this] { fillPortList(m_portSource(), ui->port->currentText()); });
    connect(ui->bntDetect, &QPushButton::clicked, this, &SetupDialog::slotDetect);
    connect(&m_portPoll, &QTimer::timeout, this, &SetupDialog::slotPollPorts);

    loadConfig();
    m_portPoll.start(kPortPollMs);
}

void SetupDialog::setPortSource(const PortSource &source)
{
    m_portSource = source;
    fillPortList(m_portSource(), ui->port->currentText());
}

void SetupDialog::slotPollPorts()
{
    // The open list was filled as it opened; it changes once it is closed.
    if (ui->port->view()->isVisible())
        return;
    const QList<PortDescription> present = m_portSource();
    if (namesOf(present) == m_listedPorts)
        return;
    const int cursor = ui->port->lineEdit()->cursorPosition();
    fillPortList(present, ui->port->currentText());
    ui->port->lineEdit()->setCursorPosition(cursor);
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

void SetupDialog::fillPortList(const QList<PortDescription> &present, const QString &shown)
{
    const QString storedPort
            = singleton<Config>::instance()->value(SettingsKeys::kSerialPort).toString();
    QHash<QString, QString> descriptions;
    for (const PortDescription &port : present)
        descriptions.insert(port.name, port.description);
    m_listedPorts = namesOf(present);
    ui->port->clear();
    for (const QString &name : portChoices(m_listedPorts, storedPort)) {
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
    fillPortList(m_portSource(), storedPort);
    selectStored(ui->baudrate, storedRate);
}

void SetupDialog::saveConfig()
{
    const auto refuse = [this](const QString &text) {
        showMessage(QMessageBox::Critical, windowTitle(), text);
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

void SetupDialog::showMessage(QMessageBox::Icon icon, const QString &title, const QString &text)
{
    showMessageBox(icon, title, text, this);
}

void SetupDialog::slotDetect()
{
    // A cancelled search hides its progress while its probes still end; asking
    // again then would revive it (setCandidates clears the stop) and report it twice.
    if (m_detector.isRunning())
        return;
    // The port typed in is asked too: a port the system does not list (a
    // pseudo-terminal, a link to one) may be the instrument's.
    const QStringList ports
            = probeCandidates(namesOf(m_portSource()), {ui->port->currentText().trimmed()});
    if (ports.isEmpty()) {
        showMessage(QMessageBox::Warning, tr("自动检测"), tr("没有可以检测的串口"));
        return;
    }
    QProgressDialog progress(tr("正在各个串口上查找仪器......"), tr("取消"), 0, ports.size(), this);
    progress.setWindowTitle(tr("自动检测"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setMinimumDuration(0);
    progress.setValue(0);

    QList<PortProbeResult> results;
    QEventLoop loop;
    connect(&m_detector, &PortDetectThread::signalPortProbed, &progress,
            [&](const PortProbeResult &result) {
                results.append(result);
                progress.setValue(results.size());
            });
    // The search stops within a tenth of a second; the dialog waits for it.
    connect(&progress, &QProgressDialog::canceled, &loop, [this] { m_detector.stop(); });
    connect(&m_detector, &QThread::finished, &loop, &QEventLoop::quit);
    m_detector.setCandidates(ports, probeBaudRates());
    m_detector.start();
    loop.exec();
    m_detector.wait();
    QCoreApplication::sendPostedEvents(&progress);
    progress.hide();
    if (!m_detector.wasStopped())
        showDetected(results);
}

void SetupDialog::showDetected(const QList<PortProbeResult> &results)
{
    QList<PortProbeResult> hits;
    QStringList failures;
    for (const PortProbeResult &result : results) {
        if (result.found())
            hits.append(result);
        else if (!result.error.isEmpty())
            failures.append(result.error);
    }
    if (hits.isEmpty()) {
        // A port the user may not open is the usual first-start obstacle: say so.
        QString text = tr("没有找到仪器。请检查连线和仪器的电源。");
        if (!failures.isEmpty())
            text += QStringLiteral("\n\n") + failures.join(QLatin1Char('\n'));
        showMessage(QMessageBox::Warning, tr("自动检测"), text);
        return;
    }
    if (hits.size() == 1) {
        choose(hits.constFirst());
        return;
    }
    QStringList choices;
    for (const PortProbeResult &hit : qAsConst(hits))
        choices.append(
                QStringLiteral("%1 · %2 · %3").arg(hit.port).arg(hit.baudRate).arg(hit.device));
    bool chosen = false;
    const QString choice = QInputDialog::getItem(
            this, tr("自动检测"), tr("找到多台仪器, 请选择一台:"), choices, 0, false, &chosen);
    if (chosen && choices.contains(choice))
        choose(hits.at(choices.indexOf(choice)));
}

void SetupDialog::choose(const PortProbeResult &hit)
{
    const int index = ui->port->findText(hit.port);
    ui->port->setCurrentIndex(index);
    if (index < 0)
        ui->port->setEditText(hit.port);
    ui->baudrate->setCurrentIndex(ui->baudrate->findText(QString::number(hit.baudRate)));
    // One key stores what was found.
    ui->ok->setDefault(true);
    ui->ok->setFocus();
}
