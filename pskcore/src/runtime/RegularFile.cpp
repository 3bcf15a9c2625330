#include "runtime/RegularFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pskcore {

int openRegularFile(const std::string& path, FileAccess access, std::string& error)
{
    const auto notRegular = [&] { error = path + ": not a regular file"; };
    // Refused before open: opening some devices has effects of its own.
    struct stat before {};
    if (::stat(path.c_str(), &before) == 0 && !S_ISREG(before.st_mode)) {
        notRegular();
        return -1;
    }
    // O_NONBLOCK: should a FIFO appear in between, open returns at once instead of waiting for its other end.
    const int flags = (access == FileAccess::Read ? O_RDONLY : O_WRONLY | O_CREAT) | O_NONBLOCK | O_CLOEXEC;
    const int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0) {
        error = path + ": " + std::strerror(errno);
        return -1;
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        notRegular();
        return -1;
    }
    if (access == FileAccess::Write && ::ftruncate(fd, 0) != 0) {
        error = path + ": " + std::strerror(errno);
        ::close(fd);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

} // namespace pskcore
