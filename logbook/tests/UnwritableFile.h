#pragma once

#include <QString>

#include <sys/resource.h>

// Makes an existing file read-only for as long as it lives. Root ignores the mode
// bits, so under root the process's file-size limit is also set to the file's size:
// an append then fails the way it fails for the operator (SIGXFSZ ignored, the write
// returns an error). Both are undone when it goes.
class UnwritableFile
{
public:
    explicit UnwritableFile(const QString &path);
    ~UnwritableFile();
    UnwritableFile(const UnwritableFile &) = delete;
    UnwritableFile &operator=(const UnwritableFile &) = delete;

private:
    QString m_path;
    bool m_limited = false;
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
};
