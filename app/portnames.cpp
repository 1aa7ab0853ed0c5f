#include "portnames.h"

#include <QSerialPortInfo>

#include <algorithm>

bool portNameLess(const QString &a, const QString &b)
{
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

QList<PortDescription> availablePorts()
{
    QList<PortDescription> ports;
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : infos) {
        QString description = info.description();
        if (description.isEmpty())
            description = info.manufacturer();
        if (info.hasVendorIdentifier() && info.hasProductIdentifier()) {
            const QString usb = QStringLiteral("%1:%2")
                                        .arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'))
                                        .arg(info.productIdentifier(), 4, 16, QLatin1Char('0'));
            description
                    = description.isEmpty() ? usb : description + QStringLiteral(" (%1)").arg(usb);
        }
        ports.append({info.portName(), description});
    }
    return ports;
}

QStringList availablePortNames()
{
    QStringList names;
    for (const PortDescription &port : availablePorts())
        names.append(port.name);
    return names;
}

QStringList portChoices(const QStringList &availableNames, const QString &storedName)
{
    QStringList names;
    for (const QString &name : availableNames) {
        if (!name.isEmpty())
            names.append(name);
    }
    if (!storedName.isEmpty())
        names.append(storedName);

    std::sort(names.begin(), names.end(), portNameLess);
    names.erase(std::unique(names.begin(), names.end()), names.end());

    if (names.isEmpty())
        names.append(QString());
    return names;
}
