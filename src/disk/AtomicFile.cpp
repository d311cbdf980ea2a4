#include "disk/AtomicFile.h"

#include "disk/DskFile.h"
#include "disk/SystemError.h"

#include <cerrno>
#include <climits>
#include <cstdio>
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

// Links followed before giving up, as the system does (ELOOP).
constexpr int kMaxLinkHops = 40;

// The file a chain of symbolic links ends at, whether or not it exists; path
// itself when it is no link.
std::string FinalLinkTarget(const std::string& path)
{
    std::string current = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        std::string target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
        if (length <= 0)
            return current;
        target.resize(static_cast<std::size_t>(length));
        if (target.front() != '/') {
            std::string directory, name;
            DskSplitPath(current, directory, name);
            target = directory + target;
        }
        current = target;
    }
    return current;
}

}  // namespace

AtomicWriteSteps& AtomicWriteSystemSteps()
{
    static AtomicWriteSteps steps{::fsync, ::rename};
    return steps;
}

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
    if (::stat(path.c_str(), &target) != 0) {
        // A link to a file not made yet: the file is made, the link stays.
        if (errno != ENOENT) {
            error = SystemError::Describe(errno);
            return false;
        }
        destination = FinalLinkTarget(path);
        DskSplitPath(destination, directory, name);
    } else {
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
    // A short name of its own: the target's name with a suffix would not
    // fit when the target's name is close to the longest allowed.
    std::string temporary = directory + ".tv7w-XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        error = SystemError::Describe(errno);
        return false;
    }
    const AtomicWriteSteps& steps = AtomicWriteSystemSteps();
    bool ok = ::fchmod(fd, PermissionsFor(path)) == 0 && WriteAll(fd, static_cast<const char*>(data), size) &&
              steps.sync(fd) == 0;
    int err = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && steps.rename(temporary.c_str(), destination.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        error = SystemError::Describe(err);
    }
    return ok;
}
