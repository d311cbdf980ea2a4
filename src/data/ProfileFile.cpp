#include "data/ProfileFile.h"

#include "data/AsciiToInteger.h"
#include "disk/AtomicFile.h"
#include "disk/DskFile.h"
#include "disk/UserFolders.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <sys/stat.h>

namespace {

std::string_view Trim(std::string_view text)
{
    const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The file's text; an unreadable file has none, and so has a device or a
// pipe (/dev/zero would never end).
std::string FileText(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return {};
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// "[name]" gives name; anything else is not a section header.
bool SectionName(std::string_view line, std::string_view& name)
{
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[')
        return false;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos)
        return false;
    name = Trim(line.substr(1, close - 1));
    return true;
}

// "key=value" gives key and value; lines without '=' are not entries.
bool Entry(std::string_view line, std::string_view& key, std::string_view& value)
{
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return false;
    key = Trim(line.substr(0, equals));
    value = Trim(line.substr(equals + 1));
    return true;
}

// The index of the first line of the entry key in section, or npos.
std::size_t FindEntry(const std::vector<std::string>& lines, std::string_view section, std::string_view key,
                      std::string_view& value)
{
    bool inSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view name;
        if (SectionName(lines[i], name)) {
            inSection = SameName(name, section);
            continue;
        }
        std::string_view entryKey;
        if (inSection && Entry(lines[i], entryKey, value) && SameName(entryKey, key))
            return i;
    }
    return std::string::npos;
}

// Where a new key of section goes: after the section's last entry, or npos when
// the section does not exist.
std::size_t SectionEnd(const std::vector<std::string>& lines, std::string_view section)
{
    std::size_t end = std::string::npos;
    bool inSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view name;
        if (SectionName(lines[i], name)) {
            if (inSection)
                break;
            inSection = SameName(name, section);
            if (inSection)
                end = i + 1;
        } else if (inSection && !Trim(lines[i]).empty()) {
            end = i + 1;
        }
    }
    return end;
}

// The value on one line: every run of CR and LF becomes one space, so that
// a value never starts further keys or sections of the file.
std::string OneLine(std::string_view value)
{
    std::string line;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\r' && value[i] != '\n')
            line.push_back(value[i]);
        else if (i == 0 || (value[i - 1] != '\r' && value[i - 1] != '\n'))
            line.push_back(' ');
    }
    return line;
}

// True when both paths lead to one file (the same path, or a link to the other).
bool SameFile(const std::string& a, const std::string& b)
{
    struct stat infoA {};
    struct stat infoB {};
    return ::stat(a.c_str(), &infoA) == 0 && ::stat(b.c_str(), &infoB) == 0 && infoA.st_dev == infoB.st_dev &&
           infoA.st_ino == infoB.st_ino;
}

}  // namespace

ProfileFile::ProfileFile(std::string path) : m_strPath(std::move(path))
{}

ProfileContents ProfileContents::FromText(std::string_view text)
{
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return ProfileContents(std::move(lines));
}

std::string ProfileContents::GetString(std::string_view section, std::string_view key,
                                       std::string_view def) const
{
    std::string_view value;
    if (FindEntry(m_lines, section, key, value) == std::string::npos)
        value = def;
    // A value in matching quotes is read without them, as the platform does.
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value.substr(0, ProfileFile::kMaxText));
}

int ProfileContents::GetInt(std::string_view section, std::string_view key, int def) const
{
    const ParsedInteger number = AsciiToInteger(GetString(section, key, ""));
    return number.hasDigits ? number.value : def;
}

std::string ProfileContents::TextWith(std::string_view section,
                                      const std::vector<std::pair<std::string, std::string>>& values) const
{
    std::vector<std::string> lines = m_lines;
    for (const auto& [key, rawValue] : values) {
        const std::string entry = key + "=" + OneLine(rawValue).substr(0, ProfileFile::kMaxText);
        std::string_view existing;
        const std::size_t at = FindEntry(lines, section, key, existing);
        if (at != std::string::npos) {
            lines[at] = entry;
            continue;
        }
        const std::size_t end = SectionEnd(lines, section);
        if (end != std::string::npos) {
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(end), entry);
            continue;
        }
        if (!lines.empty() && !Trim(lines.back()).empty())
            lines.emplace_back();
        lines.push_back("[" + std::string(section) + "]");
        lines.push_back(entry);
    }
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

ProfileContents ProfileFile::Read() const
{
    return ProfileContents::FromText(FileText(m_strPath));
}

std::string ProfileFile::GetString(std::string_view section, std::string_view key, std::string_view def) const
{
    return Read().GetString(section, key, def);
}

int ProfileFile::GetInt(std::string_view section, std::string_view key, int def) const
{
    return Read().GetInt(section, key, def);
}

bool ProfileFile::WriteInt(std::string_view section, std::string_view key, int value)
{
    return WriteString(section, key, std::to_string(value));
}

bool ProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    return WriteValues(section, {{std::string(key), std::string(value)}});
}

bool ProfileFile::WriteValues(std::string_view section,
                              const std::vector<std::pair<std::string, std::string>>& values)
{
    if (m_strPath.empty())
        return false;
    const std::string text = Read().TextWith(section, values);
    MakeParentFolders(m_strPath);
    std::string error;
    return WriteFileAtomically(m_strPath, text.data(), text.size(), error);
}

ProfileFile& Profile()
{
    static ProfileFile profile(DefaultProfilePath());
    return profile;
}

std::string DefaultProfilePath()
{
    return ProgramFolder("XDG_CONFIG_HOME", ".config") + "/TV7W.ini";
}

void MigrateProfile(const std::string& executablePath, const std::string& target)
{
    // A TV7W.ini left beside the program (copied there by hand or by an
    // installer) replaces the one in place and disappears; an empty one stays.
    std::string directory, name;
    DskSplitPath(executablePath, directory, name);
    const std::string source = directory + "TV7W.ini";
    DskFile probe;
    if (probe.DskXGetLength(source) <= 0)
        return;
    // With the program installed in the settings folder, or a link beside it
    // to the profile, there is nothing to move: removing "the old one" would
    // remove the only one.
    if (SameFile(source, target))
        return;
    std::ifstream in(source, std::ios::binary);
    const std::string contents{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.good() && !in.eof())
        return;
    // The profile in place is replaced only by a complete copy.
    MakeParentFolders(target);
    std::string error;
    if (WriteFileAtomically(target, contents.data(), contents.size(), error))
        DskFile::DskDeleteFile(source);
}
