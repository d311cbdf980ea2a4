#include "disk/SystemError.h"

#include <cerrno>
#include <cstring>

namespace SystemError {

int FromErrno(int err)
{
    switch (err) {
    case ENOENT:
        return kFileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
        return kPathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
        return kAccessDenied;
    case EWOULDBLOCK:
        return kSharingViolation;
    case ENOSPC:
    case EDQUOT:
        return kDiskFull;
    default:
        return kOwnCode | err;
    }
}

std::string OwnText(int code)
{
    return (code & kOwnCode) != 0 && code > 0 ? Describe(code & ~kOwnCode) : std::string();
}

std::string Describe(int err)
{
    return std::strerror(err);
}

}  // namespace SystemError
