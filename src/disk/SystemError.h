#pragma once

#include <string>

// The diagnostic texts and result codes were defined against the Windows
// system error numbers ("<ee=32>" is a sharing violation, 2 a missing file,
// 5 access denied). POSIX errno values that have a Windows equivalent are
// translated to those numbers so a text reads the same on every platform and
// callers can test for them; the others keep their own number and text.
namespace SystemError {

constexpr int kFileNotFound = 2;
constexpr int kPathNotFound = 3;
constexpr int kAccessDenied = 5;
constexpr int kSharingViolation = 32;
constexpr int kDiskFull = 112;

// Marks an errno value without a Windows equivalent: the bit Windows leaves
// to applications for their own codes, so such a code is never read as one
// of its numbers (EIO is 5, which would read "access denied").
constexpr int kOwnCode = 1 << 29;

// The Windows system error number that stands for errno value err, or err
// marked with kOwnCode when there is none.
int FromErrno(int err);

// The system's own text of a code that FromErrno marked with kOwnCode
// ("Input/output error"); empty for every other code.
std::string OwnText(int code);

// A short readable description of errno value err ("No such file or directory").
std::string Describe(int err);

}  // namespace SystemError
