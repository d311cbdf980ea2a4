#pragma once

#include <string>
#include <vector>

class ProfileFile;

// The most recently opened files, newest first, kept as keys File1..File8 of
// section "Recent File List" of the profile file.
class RecentFileList {
public:
    static constexpr int kSize = 8;

    // Reads File1.. until the first missing or empty key.
    void Load(const ProfileFile& profile);
    // Writes every key File1..File8; those without a file become empty.
    bool Save(ProfileFile& profile) const;

    // Puts path first; a path already on the list moves up instead of
    // appearing twice; the oldest falls off beyond eight.
    void Add(const std::string& path);
    void Remove(const std::string& path);

    const std::vector<std::string>& Files() const { return m_files; }

private:
    std::vector<std::string> m_files;
};
