#include "config/SettingsStore.h"

#include "ground/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

const QString sectionNames[] = {SettingsStore::Settings, SettingsStore::Macros, SettingsStore::Look};

} // namespace

QString SettingsStore::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/korvo/korvo.ini");
}

QString SettingsStore::earlierDefaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/KORVO.ini");
}

bool SettingsStore::adoptEarlierFile(const QString &path, const QString &earlierPath)
{
    const QFileInfo earlier(earlierPath);
    if (QFileInfo::exists(path) || !earlier.isFile())
        return true;
    return QDir().mkpath(QFileInfo(path).absolutePath()) && QFile::copy(earlierPath, path);
}

SettingsStore::SettingsStore(const QString &path) : m_path(path)
{
    try {
        m_original = readFile<StoreReadError>();
    } catch (const StoreReadError &error) {
        m_openError = QString::fromUtf8(error.what());
    }
    m_document = IniDocument(m_original);
}

template <typename Error>
QByteArray SettingsStore::readFile() const
{
    const RegularFileRead read = readRegularFile(m_path, kMaxFileBytes);
    if (!read.error.isEmpty())
        throw Error(read.error.toStdString());
    return read.bytes;
}

QString SettingsStore::readString(const QString &section, const QString &name,
                                  const QString &defaultValue) const
{
    if (!m_openError.isEmpty())
        throw StoreReadError(m_openError.toStdString());
    const IniDocument::Value value = m_document.value(section, name);
    switch (value.kind) {
    case IniDocument::Kind::Absent:
        return defaultValue;
    case IniDocument::Kind::NotText:
        // Only plain text is a value; a serialised variant or a list put there by
        // hand is not converted.
        throw StoreReadError(("not a text value: " + section + '/' + name).toStdString());
    case IniDocument::Kind::Text:
        break;
    }
    return value.text;
}

int SettingsStore::readInteger(const QString &section, const QString &name, int defaultValue) const
{
    const QString text = readString(section, name, QString());
    bool ok = false;
    // toInt fails on a value beyond int: no stored text can overflow.
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : defaultValue;
}

bool SettingsStore::readBool(const QString &section, const QString &name, bool defaultValue) const
{
    return readInteger(section, name, defaultValue ? 1 : 0) != 0;
}

void SettingsStore::writeString(const QString &section, const QString &name, const QString &value)
{
    m_document.setValue(section, name, value);
    m_pending.append({section, name, value});
}

void SettingsStore::writeInteger(const QString &section, const QString &name, int value)
{
    writeString(section, name, QString::number(value));
}

void SettingsStore::writeBool(const QString &section, const QString &name, bool value)
{
    writeString(section, name, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void SettingsStore::save(const IniDocument &document) const
{
    const QByteArray text = document.text();
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        throw StoreWriteError("settings folder cannot be created");
    QSaveFile file(m_path);
    // Unbuffered: a short write (disk full, file size limit) is seen at the write itself.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(text) != text.size()
        || !file.commit())
        throw StoreWriteError("settings file could not be written");
}

void SettingsStore::commit()
{
    // Another store on the same file (the macro editor's) may have written since:
    // only the values written here replace their lines.
    IniDocument current(readFile<StoreWriteError>());
    for (const QString &section : sectionNames)
        current.ensureSection(section);
    for (const Pending &p : std::as_const(m_pending))
        current.setValue(p.section, p.name, p.value);
    save(current);
    m_pending.clear();
}

void SettingsStore::ensureSections()
{
    const QByteArray before = readFile<StoreWriteError>();
    IniDocument current(before);
    for (const QString &section : sectionNames) {
        current.ensureSection(section);
        m_document.ensureSection(section);
    }
    if (current.text() != before || !QFileInfo::exists(m_path))
        save(current);
}

QString SettingsStore::keepCopyOfOriginal() const
{
    // One copy: the lines it could not read stay in the file itself as well, so a
    // later start has nothing more to keep.
    const QString copy = m_path + QStringLiteral(".orig");
    if (QFileInfo::exists(copy) || QFileInfo(copy).isSymLink())
        return {};
    QSaveFile file(copy);
    if (!file.open(QIODevice::WriteOnly) || file.write(m_original) != m_original.size() || !file.commit())
        throw StoreWriteError("copy of the settings file could not be written");
    return copy;
}
