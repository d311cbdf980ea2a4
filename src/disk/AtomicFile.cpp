#include "disk/AtomicFile.h"

#include "disk/DskFile.h"
#include "disk/SystemError.h"

#include <cerrno>
#include <cstdlib>
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
    std::string destination = path;
    struct stat target {};
    if (::stat(path.c_str(), &target) == 0) {
        // Only a regular file is replaced: renaming over a device, a pipe or
        // /dev/stdout would replace the node itself.
        if (!S_ISREG(target.st_mode)) {
            error = S_ISDIR(target.st_mode) ? SystemError::Describe(EISDIR) : "Not a regular file";
            return false;
        }
        // A file the user may not write (or has made read-only) is not replaced behind his back.
        if ((target.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0) {
            error = SystemError::Describe(EACCES);
            return false;
        }
        // A symbolic link keeps pointing at the file, which gets the new contents.
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            destination = real;
            std::free(real);
            DskSplitPath(destination, directory, name);
        }
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
    if (ok && ::rename(temporary.c_str(), destination.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        error = SystemError::Describe(err);
    }
    return ok;
}
