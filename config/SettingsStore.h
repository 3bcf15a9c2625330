#pragma once

#include <QString>

#include <memory>
#include <stdexcept>

class QSettings;

// A value that is present but is not plain text (a @Variant(...), a list...).
class StoreReadError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The store cannot be written (read-only file or folder, disk full...).
class StoreWriteError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The operator's persistent settings: one INI file per user with the sections
// [Settings], [Macros] and [Look], every value stored as text.
//
// Reads never create anything. Writes collect in memory and reach the file only at
// commit(), which replaces the file atomically (temporary file + rename), so a failed
// write never leaves a truncated or empty file behind.
//
// read*() throw StoreReadError and write*()/commit()/ensureSections() throw
// StoreWriteError; the batches of config/SettingsBatches.h catch them and show the
// operator's message. Code outside a batch that writes (colours, fonts, macros) uses
// the same calls and catches StoreWriteError itself.
class SettingsStore
{
public:
    static inline const QString Settings = QStringLiteral("Settings");
    static inline const QString Macros = QStringLiteral("Macros");
    static inline const QString Look = QStringLiteral("Look");

    // ~/.config/KORVO.ini (the platform's per-user configuration folder).
    static QString defaultPath();

    // Opens (never creates) the store at path; the program's --settings option gives it.
    explicit SettingsStore(const QString &path = defaultPath());
    ~SettingsStore();
    SettingsStore(const SettingsStore &) = delete;
    SettingsStore &operator=(const SettingsStore &) = delete;

    QString path() const { return m_path; }

    // Absent: the default. The empty string is a value, not an absence.
    QString readString(const QString &section, const QString &name, const QString &defaultValue) const;
    // Absent or not a decimal integer: the default.
    int readInteger(const QString &section, const QString &name, int defaultValue) const;
    // Read as an integer with default 1 or 0; any non-zero integer is true.
    bool readBool(const QString &section, const QString &name, bool defaultValue) const;

    // Replace the value by its text ("-50", "1"/"0"); visible to reads at once,
    // in the file after commit(). Throws when the store cannot be written.
    void writeString(const QString &section, const QString &name, const QString &value);
    void writeInteger(const QString &section, const QString &name, int value);
    void writeBool(const QString &section, const QString &name, bool value);

    // Writes the values given since the last commit into the file, atomically.
    void commit();

    // Creates the file with the three section headers, or adds the missing headers,
    // keeping everything already in it.
    void ensureSections();

private:
    void checkWritable() const;

    QString m_path;
    std::unique_ptr<QSettings> m_settings;
};
