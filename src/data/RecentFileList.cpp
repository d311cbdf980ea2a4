#include "data/RecentFileList.h"

#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"

#include <algorithm>
#include <utility>

namespace {

std::string Key(int index)
{
    return "File" + std::to_string(index + 1);
}

}  // namespace

void RecentFileList::Load(const ProfileFile& profile)
{
    m_files.clear();
    const ProfileContents contents = profile.Read();
    for (int i = 0; i < kSize; ++i) {
        std::string path = contents.GetString(ProfileKeys::kRecentFiles, Key(i), "");
        if (path.empty())
            break;
        if (std::find(m_files.begin(), m_files.end(), path) == m_files.end())
            m_files.push_back(std::move(path));
    }
}

bool RecentFileList::Save(ProfileFile& profile) const
{
    std::vector<std::pair<std::string, std::string>> values;
    for (int i = 0; i < kSize; ++i)
        values.emplace_back(Key(i), i < static_cast<int>(m_files.size()) ? m_files[i] : std::string());
    return profile.WriteValues(ProfileKeys::kRecentFiles, values);
}

void RecentFileList::Add(const std::string& path)
{
    if (path.empty())
        return;
    Remove(path);
    m_files.insert(m_files.begin(), path);
    if (m_files.size() > kSize)
        m_files.resize(kSize);
}

void RecentFileList::Remove(const std::string& path)
{
    m_files.erase(std::remove(m_files.begin(), m_files.end(), path), m_files.end());
}
