#include "logbook/AdifLogFile.h"

#include "logbook/AdifWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

bool AdifLogFile::append(const QByteArray &record, const QDateTime &nowUtc)
{
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return false;
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const qint64 sizeBefore = file.size();
    const QByteArray text = sizeBefore == 0 ? adifHeader(nowUtc) + record : record;
    const bool written = file.write(text) == text.size() && file.flush() && ::fsync(file.handle()) == 0;
    if (!written)
        file.resize(sizeBefore);
    return written;
}
