#include "ground/RegularFile.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString notRegular(const QString &path)
{
    return QCoreApplication::translate("Korvo", "%1 : ce n'est pas un fichier ordinaire").arg(path);
}

} // namespace

QString specialFileError(const QString &path)
{
    struct stat info{};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return S_ISREG(info.st_mode) ? QString() : notRegular(path);
}

RegularFileRead readRegularFile(const QString &path, qint64 maxBytes)
{
    RegularFileRead read;
    // Non-blocking: a FIFO opens at once and is refused below.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        // No file, or a folder on the way that is a file: nothing to read.
        if (errno != ENOENT && errno != ENOTDIR)
            read.error = QStringLiteral("%1 : %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return read;
    }
    struct stat info{};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        read.error = notRegular(path);
        return read;
    }
    QByteArray buffer(static_cast<qsizetype>(std::min<qint64>(info.st_size, maxBytes) + 1), Qt::Uninitialized);
    qint64 total = 0;
    for (;;) {
        if (total == buffer.size()) {
            if (total > maxBytes)
                break;
            buffer.resize(std::min<qint64>(total * 2 + 1, maxBytes + 1));
        }
        const ssize_t got = ::read(fd, buffer.data() + total, static_cast<size_t>(buffer.size() - total));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            read.error = QStringLiteral("%1 : %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
            ::close(fd);
            return read;
        }
        if (got == 0)
            break;
        total += got;
    }
    ::close(fd);
    if (total > maxBytes) {
        read.error = QCoreApplication::translate("Korvo", "%1 : fichier trop grand (plus de %2 octets)").arg(path).arg(maxBytes);
        return read;
    }
    buffer.truncate(static_cast<qsizetype>(total));
    read.bytes = buffer;
    return read;
}
