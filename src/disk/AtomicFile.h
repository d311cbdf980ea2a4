#pragma once

#include <cstddef>
#include <functional>
#include <string>

// Writes a user's file so that it is either wholly replaced or left exactly as
// it was: the bytes go to a temporary file beside it, are flushed to disk and
// then renamed over the target. An existing target must be a regular file the
// user may write; a symbolic link is followed to it, also when the file it
// names does not exist yet. Returns true on success; on failure nothing is
// left behind and error holds a readable reason.
bool WriteFileAtomically(const std::string& path, const void* data, std::size_t size, std::string& error);

// Writes a new file as WriteFileAtomically does, but never replaces one:
// false with exists set when path is taken already.
bool WriteNewFileAtomically(const std::string& path, const void* data, std::size_t size, bool& exists,
                            std::string& error);

// Makes the folders above path that do not exist yet.
void MakeParentFolders(const std::string& path);

// The two steps that make an atomic write durable, in this order: flush the
// temporary file to disk, then rename it over the target. Tests replace them
// to see the order or to make a step fail; both answer 0 or -1 with errno.
struct AtomicWriteSteps {
    std::function<int(int fd)> sync;
    std::function<int(const char* from, const char* to)> rename;
};
AtomicWriteSteps& AtomicWriteSystemSteps();
