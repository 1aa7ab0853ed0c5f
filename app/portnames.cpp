#include "portnames.h"

#include <QSerialPortInfo>

#include <algorithm>

bool portNameLess(const QString &a, const QString &b)
{
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

QStringList availablePortNames()
{
    QStringList names;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports)
        names.append(info.portName());
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
