#include "data/SettingsKeeper.h"

#include "data/RecentFileList.h"

SettingsKeeper::SettingsKeeper(const ProgramSettings& settings, const RecentFileList& recent)
    : m_settings(settings), m_recent(recent)
{
    MarkWritten();
}

void SettingsKeeper::MarkWritten()
{
    m_writtenSettings = m_settings;
    m_writtenFiles = m_recent.Files();
}

void SettingsKeeper::WriteChanges(ProfileFile& profile)
{
    if (!(m_settings == m_writtenSettings)) {
        m_settings.SaveSettings(profile);
        m_writtenSettings = m_settings;
    }
    if (m_recent.Files() != m_writtenFiles) {
        m_recent.Save(profile);
        m_writtenFiles = m_recent.Files();
    }
}

void SettingsKeeper::WriteAll(ProfileFile& profile)
{
    m_settings.SaveSettings(profile);
    m_recent.Save(profile);
    MarkWritten();
}
