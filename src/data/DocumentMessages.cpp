#include "data/DocumentMessages.h"

#include "disk/SystemError.h"

namespace DocumentMessages {

std::string CannotOpen(const std::string& path, int systemError)
{
    std::string reason;
    switch (systemError) {
    case SystemError::kFileNotFound:
    case SystemError::kPathNotFound:
        reason = "File not found";
        break;
    case SystemError::kAccessDenied:
        reason = "Access denied, or not a file";
        break;
    case SystemError::kSharingViolation:
        reason = "The file is in use by another program";
        break;
    default:
        reason = SystemError::OwnText(systemError);
        if (reason.empty())
            reason = "Error " + std::to_string(systemError);
        break;
    }
    return "Cannot open " + path + "\r\n(" + reason + ")";
}

std::string CannotSave(const std::string& path, const std::string& reason)
{
    return "Cannot save " + path + "\r\n(" + reason + ")\r\nThe file was not changed";
}

}  // namespace DocumentMessages
