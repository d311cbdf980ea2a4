#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// What a profile file held when it was read: for reading many keys without
// reading the file again for each one (the settings at start).
class ProfileContents {
public:
    explicit ProfileContents(std::vector<std::string> lines) : m_lines(std::move(lines)) {}
    // The contents of a file that holds text: lines end at LF, a CR before it
    // is dropped.
    static ProfileContents FromText(std::string_view text);

    // See ProfileFile::GetInt and ProfileFile::GetString.
    int GetInt(std::string_view section, std::string_view key, int def) const;
    std::string GetString(std::string_view section, std::string_view key, std::string_view def) const;
    // The file's text with the values written into section (see
    // ProfileFile::WriteValues), every line ending in CR LF.
    std::string TextWith(std::string_view section,
                         const std::vector<std::pair<std::string, std::string>>& values) const;

private:
    std::vector<std::string> m_lines;
};

// A profile (INI) file with the semantics of the Windows profile calls, so an
// existing TV7W.ini can be copied over: sections in [brackets], plain
// key=value lines, section and key names compared without regard to case,
// integers read the way the platform reads them, texts cut at 255 characters.
// Every write reaches the file at once (atomically) and keeps every other
// section and key of the file as it was.
class ProfileFile {
public:
    static constexpr std::size_t kMaxText = 255;

    explicit ProfileFile(std::string path = {});

    const std::string& Path() const { return m_strPath; }
    void SetPath(std::string path) { m_strPath = std::move(path); }

    // The whole file as it is now.
    ProfileContents Read() const;

    // The key's value read as an integer (leading white space, an optional
    // sign and the digits that follow, as atoi reads them); def when the key is
    // missing or its value holds no digits at all.
    int GetInt(std::string_view section, std::string_view key, int def) const;
    // The key's value, at most 255 characters; def when the key is missing.
    std::string GetString(std::string_view section, std::string_view key, std::string_view def) const;

    // Write the value as signed decimal text / as it stands; false when the
    // file could not be written.
    bool WriteInt(std::string_view section, std::string_view key, int value);
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    // Writes several keys of one section in one update of the file.
    bool WriteValues(std::string_view section,
                     const std::vector<std::pair<std::string, std::string>>& values);

private:
    std::string m_strPath;
};

// The process-wide profile file; its path is set once at start.
ProfileFile& Profile();

// $XDG_CONFIG_HOME/TV7W/TV7W.ini (default ~/.config/TV7W/TV7W.ini).
std::string DefaultProfilePath();

// Moves a TV7W.ini left beside the executable to target, when it holds at
// least one byte and is not the target itself; the target is replaced only
// by a complete copy. Reports nothing.
void MigrateProfile(const std::string& executablePath, const std::string& target);
