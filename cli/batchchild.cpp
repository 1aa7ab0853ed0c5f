#include "batchchild.h"

#include "console.h"
#include "exitcodes.h"
#include "itemreader.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSerialPort>
#include <QStringList>

namespace {
// Items 0 and 1 of every Norvo instrument: 设备名称 and 设备型号.
constexpr int kDeviceNameItem = 0;
constexpr int kDeviceModelItem = 1;

bool s_identified = false;
QString s_device;
QString s_model;

// Both items over one opening of the port; the model only when the name came.
void readIdentity()
{
    QSerialPort port;
    QStringList fields;
    if (!openItemPort(port).isEmpty() || !readItem(port, kDeviceNameItem, &fields).isEmpty())
        return;
    s_device = fields.value(1);
    if (!s_device.isEmpty() && readItem(port, kDeviceModelItem, &fields).isEmpty())
        s_model = fields.value(1);
}
} // namespace

namespace BatchChild {

void setIdentity(const QString &device, const QString &model)
{
    s_identified = true;
    s_device = device;
    s_model = model;
}

int finish(int status, const QString &command)
{
    // Asked after the command, so a name the command just wrote is the one
    // recorded; a port that did not answer is not asked twice.
    const bool lineFailed = status == ExitUsage || status == ExitLink || status == ExitInterrupted;
    if (!s_identified && !lineFailed && command != QLatin1String("flash"))
        readIdentity();
    const QJsonObject envelope{
            {QStringLiteral("status"), status},
            {QStringLiteral("result"), Console::capturedJson()},
            // The cause comes first (write names the item after it); a
            // warning shown on the way is no failure.
            {QStringLiteral("error"),
             status == ExitSuccess ? QString() : Console::errorsShown().join(QStringLiteral("; "))},
            {QStringLiteral("device"), s_device},
            {QStringLiteral("model"), s_model},
    };
    Console::printBytes(QJsonDocument(envelope).toJson(QJsonDocument::Compact) + '\n');
    return status;
}

} // namespace BatchChild
