#include "disk/AtomicFile.h"

#include "disk/DskFile.h"
#include "disk/SystemError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool WriteAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// New files get the usual permissions (0666 less the umask), an existing file keeps its own.
mode_t PermissionsFor(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0)
        return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, const void* data, std::size_t size, std::string& error)
{
    std::string directory, name;
    DskSplitPath(path, directory, name);
    if (name.empty()) {
        error = "No file name given";
        return false;
    }
    struct stat target {};
    if (::stat(path.c_str(), &target) == 0 && S_ISDIR(target.st_mode)) {
        error = SystemError::Describe(EISDIR);
        return false;
    }
    std::string temporary = directory + "." + name + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        error = SystemError::Describe(errno);
        return false;
    }
    bool ok = ::fchmod(fd, PermissionsFor(path)) == 0 && WriteAll(fd, static_cast<const char*>(data), size) &&
              ::fsync(fd) == 0;
    int err = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        error = SystemError::Describe(err);
    }
    return ok;
}
