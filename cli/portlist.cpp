#include "portlist.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

namespace {
QString addPort(QList<BatchPort> *ports, const BatchPort &port)
{
    for (const BatchPort &known : qAsConst(*ports)) {
        // Two workers on one port would spoil each other's answers.
        if (known.name == port.name)
            return PortList::tr("串口重复: %1").arg(port.name);
    }
    ports->append(port);
    return QString();
}
} // namespace

QString PortList::parse(const QString &commaList, const QString &fileName, QList<BatchPort> *ports,
                        bool *fileError)
{
    ports->clear();
    *fileError = false;
    for (const QString &name : commaList.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString error = addPort(ports, {name.trimmed(), 0});
        if (!error.isEmpty())
            return error;
    }
    if (!fileName.isEmpty()) {
        QFile file(fileName);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            *fileError = true;
            return tr("无法读取串口列表 %1: %2").arg(fileName, file.errorString());
        }
        QTextStream stream(&file);
        stream.setCodec("UTF-8");
        static const QRegularExpression blanks(QStringLiteral("\\s+"));
        for (int number = 1; !stream.atEnd(); ++number) {
            const QString line = stream.readLine().trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            const QStringList fields = line.split(blanks);
            bool ok = true;
            const int baud = fields.size() == 2 ? fields.at(1).toInt(&ok, 10) : 0;
            if (fields.size() > 2 || !ok || (fields.size() == 2 && baud <= 0))
                return tr("串口列表 %1 第 %2 行应为“串口 [波特率]”: %3")
                        .arg(fileName)
                        .arg(number)
                        .arg(line);
            const QString error = addPort(ports, {fields.at(0), baud});
            if (!error.isEmpty())
                return error;
        }
    }
    if (ports->isEmpty())
        return tr("串口列表是空的");
    return QString();
}
