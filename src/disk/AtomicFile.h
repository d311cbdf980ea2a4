#pragma once

#include <cstddef>
#include <string>

// Writes a user's file so that it is either wholly replaced or left exactly as
// it was: the bytes go to a temporary file beside it, are flushed to disk and
// then renamed over the target. An existing target must be a regular file the
// user may write; a symbolic link is followed to it. Returns true on success;
// on failure nothing is left behind and error holds a readable reason.
bool WriteFileAtomically(const std::string& path, const void* data, std::size_t size, std::string& error);
