#pragma once

#include <string>

// The diagnostic texts and result codes were defined against the Windows
// system error numbers ("<ee=32>" is a sharing violation, 2 a missing file,
// 5 access denied). POSIX errno values are translated to those numbers so a
// text reads the same on every platform and callers can test for them.
namespace SystemError {

constexpr int kFileNotFound = 2;
constexpr int kPathNotFound = 3;
constexpr int kAccessDenied = 5;
constexpr int kSharingViolation = 32;
constexpr int kDiskFull = 112;

// The Windows system error number that stands for errno value err.
int FromErrno(int err);

// A short readable description of errno value err ("No such file or directory").
std::string Describe(int err);

}  // namespace SystemError
