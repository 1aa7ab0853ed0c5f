#include "config.h"

#include "settingskeys.h"

#include <QMutexLocker>
#include <QSettings>

Config::Config()
    : m_settings(new QSettings(SettingsKeys::kFileName, QSettings::IniFormat))
{
    m_settings->setIniCodec("UTF-8");
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
    return singleton<Config>::instance()->value(SettingsKeys::kSerialPort).toString();
}

int configuredBaudRate()
{
    return singleton<Config>::instance()->value(SettingsKeys::kSerialBaudRate).toInt();
}
