#pragma once

#include <string>

// Messages for files that cannot be read or written. The system error number
// is in Windows numbering (see disk/SystemError.h).
namespace DocumentMessages {

std::string CannotOpen(const std::string& path, int systemError);
std::string CannotSave(const std::string& path, const std::string& reason);

}  // namespace DocumentMessages
