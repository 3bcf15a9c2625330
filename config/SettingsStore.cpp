#include "config/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

namespace {

QString keyOf(const QString &section, const QString &name)
{
    return section + QLatin1Char('/') + name;
}

const QString sectionNames[] = {SettingsStore::Settings, SettingsStore::Macros, SettingsStore::Look};

} // namespace

QString SettingsStore::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/KORVO.ini");
}

SettingsStore::SettingsStore(const QString &path)
    : m_path(path), m_settings(std::make_unique<QSettings>(path, QSettings::IniFormat))
{
    // A failed write must never leave a half-written file: no direct-write fallback.
    m_settings->setAtomicSyncRequired(true);
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::readString(const QString &section, const QString &name,
                                  const QString &defaultValue) const
{
    const QString key = keyOf(section, name);
    const QFileInfo file(m_path);
    if (file.exists() && !file.isReadable())
        throw StoreReadError("settings file not readable");
    if (!m_settings->contains(key))
        return defaultValue;
    const QVariant value = m_settings->value(key);
    // Only plain text is a value; a serialised variant or a list put there by hand
    // is not converted.
    if (value.typeId() != QMetaType::QString)
        throw StoreReadError(("not a text value: " + key).toStdString());
    return value.toString();
}

int SettingsStore::readInteger(const QString &section, const QString &name, int defaultValue) const
{
    const QString text = readString(section, name, QString());
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : defaultValue;
}

bool SettingsStore::readBool(const QString &section, const QString &name, bool defaultValue) const
{
    return readInteger(section, name, defaultValue ? 1 : 0) != 0;
}

void SettingsStore::checkWritable() const
{
    if (!m_settings->isWritable())
        throw StoreWriteError("settings file not writable");
}

void SettingsStore::writeString(const QString &section, const QString &name, const QString &value)
{
    checkWritable();
    m_settings->setValue(keyOf(section, name), value);
}

void SettingsStore::writeInteger(const QString &section, const QString &name, int value)
{
    writeString(section, name, QString::number(value));
}

void SettingsStore::writeBool(const QString &section, const QString &name, bool value)
{
    writeString(section, name, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void SettingsStore::commit()
{
    m_settings->sync();
    if (m_settings->status() != QSettings::NoError)
        throw StoreWriteError("settings file could not be written");
    // The INI writer drops sections left without values; put their headers back.
    ensureSections();
}

void SettingsStore::ensureSections()
{
    QByteArray text;
    QFile existing(m_path);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly))
            throw StoreWriteError("settings file not readable");
        text = existing.readAll();
        existing.close();
    }

    QList<QByteArray> headers;
    for (const QByteArray &line : text.split('\n'))
        headers << line.trimmed();
    QByteArray missing;
    for (const QString &section : sectionNames) {
        const QByteArray header = '[' + section.toLatin1() + ']';
        if (!headers.contains(header))
            missing += header + '\n';
    }
    if (missing.isEmpty())
        return;

    if (!text.isEmpty() && !text.endsWith('\n'))
        text += '\n';
    if (!text.isEmpty())
        text += '\n';
    text += missing;

    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        throw StoreWriteError("settings folder cannot be created");
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        throw StoreWriteError("settings file could not be written");
}
