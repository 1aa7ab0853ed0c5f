#include "config.h"

#include "settingskeys.h"

#include <QMutexLocker>
#include <QSettings>
#include <QTextCodec>

#include <memory>

Config::Config()
{
    auto settings = std::make_unique<QSettings>(QString::fromLatin1(SettingsKeys::kFileName),
                                                QSettings::IniFormat);
    settings->setIniCodec(QTextCodec::codecForName("utf-8"));
    m_settings = settings.release();
}

Config::~Config()
{
    delete m_settings; // flushes pending changes to config.ini
}

QVariant Config::value(const QString &key) const
{
    QMutexLocker locker(&m_mutex);
    return m_settings->value(key, QVariant());
}

void Config::setValue(const QString &key, const QVariant &value)
{
    QMutexLocker locker(&m_mutex);
    m_settings->setValue(key, value);
}

QString configuredPortName()
{
    return singleton<Config>::instance()
            ->value(QString::fromLatin1(SettingsKeys::kSerialPort))
            .toString();
}

int configuredBaudRate()
{
    return singleton<Config>::instance()
            ->value(QString::fromLatin1(SettingsKeys::kSerialBaudRate))
            .toInt();
}
