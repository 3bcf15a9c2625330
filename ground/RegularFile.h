#pragma once

#include <QByteArray>
#include <QString>

// Files named by the operator are read or replaced only when they are regular files:
// opening a FIFO blocks until a writer comes, a device such as /dev/zero never ends,
// and replacing a device node with a file breaks the system.

// Empty when the path is absent or a regular file (through symbolic links);
// otherwise the error naming the file.
QString specialFileError(const QString &path);

struct RegularFileRead
{
    QByteArray bytes;   // empty for an absent file
    QString error;      // not regular, unreadable or larger than asked: names the file
};

// Reads the whole file without ever blocking on a FIFO or reading past maxBytes.
RegularFileRead readRegularFile(const QString &path, qint64 maxBytes);
