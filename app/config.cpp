#include "config.h"

#include "settingskeys.h"

#include <QMutexLocker>
#include <QSettings>

QString Config::s_fileName = QString::fromLatin1(SettingsKeys::kFileName);

Config::Config()
    : m_settings(new QSettings(s_fileName, QSettings::IniFormat))
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
    const auto overridden = m_overrides.constFind(key);
    if (overridden != m_overrides.constEnd())
        return *overridden;
    return m_settings->value(key, QVariant());
}

void Config::setValue(const QString &key, const QVariant &value)
{
    QMutexLocker locker(&m_mutex);
    m_settings->setValue(key, value);
}

void Config::setOverride(const QString &key, const QVariant &value)
{
    QMutexLocker locker(&m_mutex);
    m_overrides.insert(key, value);
}

void Config::setFileName(const QString &fileName)
{
    s_fileName = fileName;
}

QString Config::fileName()
{
    return s_fileName;
}

QString configuredPortName()
{
    return singleton<Config>::instance()->value(SettingsKeys::kSerialPort).toString();
}

int configuredBaudRate()
{
    return singleton<Config>::instance()->value(SettingsKeys::kSerialBaudRate).toInt();
}
