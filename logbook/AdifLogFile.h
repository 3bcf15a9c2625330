#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// The ADIF file QSOs are kept in. It is only ever appended to: a record is written at
// the end, flushed and synced to the disk before the call returns, so a crash or a
// power cut right after logging keeps the QSO. A new or empty file first gets the
// header. A record that cannot be written whole is cut off again, so the file never
// ends in half a record.
class AdifLogFile
{
public:
    explicit AdifLogFile(QString path) : m_path(std::move(path)) {}

    // False when the folder cannot be made or the file cannot be opened, written or
    // synced; the file then holds what it held before.
    bool append(const QByteArray &record, const QDateTime &nowUtc);

    const QString &path() const { return m_path; }

private:
    QString m_path;
};
