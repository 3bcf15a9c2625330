#include "UnwritableFile.h"

#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <unistd.h>

UnwritableFile::UnwritableFile(const QString &path) : m_path(path)
{
    QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    if (geteuid() != 0)
        return;
    m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &m_previous);
    rlimit limited = m_previous;
    limited.rlim_cur = static_cast<rlim_t>(QFileInfo(m_path).size());
    m_limited = setrlimit(RLIMIT_FSIZE, &limited) == 0;
}

UnwritableFile::~UnwritableFile()
{
    if (m_limited) {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                                      | QFileDevice::ReadOther);
}
