#pragma once

#include "config/IniDocument.h"

#include <QString>
#include <QStringList>

#include <stdexcept>

// A value that is present but is not plain text (a @Variant(...), a list...), or a
// store that cannot be read at all (not a regular file, unreadable, too large).
class StoreReadError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The store cannot be written (read-only file or folder, disk full, not a regular file...).
class StoreWriteError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The operator's persistent settings: one INI file per user with the sections
// [Settings], [Macros] and [Look], every value stored as text.
//
// Reads never create anything. Writes collect in memory and reach the file only at
// commit(), which reads the file again, replaces the lines of the values written and
// replaces the file atomically (temporary file + rename): every other byte of the
// file stays as it was, and a failed write never leaves a truncated file behind.
// Only a regular file is read or replaced.
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

    // Far above any store the program writes (twenty macros of a few hundred characters).
    static constexpr qint64 kMaxFileBytes = 1024 * 1024;

    // ~/.config/korvo/korvo.ini (the platform's per-user configuration folder).
    static QString defaultPath();
    // ~/.config/KORVO.ini, where earlier versions kept the settings and macros.
    static QString earlierDefaultPath();
    // Copies the earlier file to path when path does not exist yet and the earlier one is a
    // regular file, so that the operator's settings and macros follow the move; the earlier
    // file stays where it is. False only when a copy was due and failed.
    static bool adoptEarlierFile(const QString &path, const QString &earlierPath);

    // Opens (never creates) the store at path; the program's --settings option gives it.
    explicit SettingsStore(const QString &path = defaultPath());

    QString path() const { return m_path; }

    // Absent: the default. The empty string is a value, not an absence.
    QString readString(const QString &section, const QString &name, const QString &defaultValue) const;
    // Absent or not a decimal integer: the default.
    int readInteger(const QString &section, const QString &name, int defaultValue) const;
    // Read as an integer with default 1 or 0; any non-zero integer is true.
    bool readBool(const QString &section, const QString &name, bool defaultValue) const;

    // Replace the value by its text ("-50", "1"/"0"); visible to reads at once,
    // in the file after commit().
    void writeString(const QString &section, const QString &name, const QString &value);
    void writeInteger(const QString &section, const QString &name, int value);
    void writeBool(const QString &section, const QString &name, bool value);

    // Writes the values given since the last commit into the file, atomically.
    void commit();

    // Creates the file with the three section headers, or adds the missing headers,
    // keeping everything already in it.
    void ensureSections();

    // The lines of the file as opened that the program cannot read as written (see
    // IniDocument::problems); empty for a file the program wrote itself.
    QStringList problems() const { return m_document.problems(); }
    // Keeps a copy of the file as opened beside it (path + ".orig") and returns its
    // path; empty when a copy is already there (the operator has been told).
    QString keepCopyOfOriginal() const;

private:
    struct Pending
    {
        QString section, name, value;
    };

    // The file's bytes: empty for an absent file; throws the given error for a file
    // that is not regular, cannot be read or is too large.
    template <typename Error>
    QByteArray readFile() const;
    void save(const IniDocument &document) const;

    QString m_path;
    QByteArray m_original;          // the file as opened
    QString m_openError;            // why the file could not be read, if it could not
    IniDocument m_document;         // the file as opened, with the writes applied
    QList<Pending> m_pending;       // the writes since the last commit
};
