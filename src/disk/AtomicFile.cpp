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

// Writes the bytes into a new temporary file in directory and flushes them
// to disk. Returns 0, or the errno of the failure; temporary names the file
// left behind (empty when none was made).
int WriteTemporary(const std::string& directory, mode_t permissions, const void* data, std::size_t size,
                   std::string& temporary)
{
    // A short name of its own: the target's name with a suffix would not
    // fit when the target's name is close to the longest allowed.
    temporary = directory + ".tv7w-XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        temporary.clear();
        return errno;
    }
    const bool ok = ::fchmod(fd, permissions) == 0 && WriteAll(fd, static_cast<const char*>(data), size) &&
                    AtomicWriteSystemSteps().sync(fd) == 0;
    int err = ok ? 0 : errno;
    if (::close(fd) != 0 && err == 0)
        err = errno;
    return err;
}

}  // namespace

bool WriteNewFileAtomically(const std::string& path, const void* data, std::size_t size, bool& exists,
                            std::string& error)
{
    exists = false;
    std::string directory, name;
    DskSplitPath(path, directory, name);
    std::string temporary;
    int err = WriteTemporary(directory, PermissionsFor(path), data, size, temporary);
    // A link fails on a name already taken, where a rename would replace the file.
    if (err == 0 && ::link(temporary.c_str(), path.c_str()) != 0) {
        err = errno;
        exists = err == EEXIST;
    }
    if (!temporary.empty())
        ::unlink(temporary.c_str());
    if (err != 0)
        error = SystemError::Describe(err);
    return err == 0;
}

void MakeParentFolders(const std::string& path)
{
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        ::mkdir(path.substr(0, slash).c_str(), 0777);
}

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
    std::string temporary;
    int err = WriteTemporary(directory, PermissionsFor(path), data, size, temporary);
    if (err == 0 && AtomicWriteSystemSteps().rename(temporary.c_str(), destination.c_str()) != 0)
        err = errno;
    if (err != 0) {
        if (!temporary.empty())
            ::unlink(temporary.c_str());
        error = SystemError::Describe(err);
    }
    return err == 0;
}
