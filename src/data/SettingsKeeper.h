#pragma once

#include "data/ProgramSettings.h"

#include <string>
#include <vector>

class ProfileFile;
class RecentFileList;

// Keeps the profile file up to date with the settings and the recent-file
// list of this run: what changed since they were last written is written
// again, atomically and under the same keys as at exit, so that a crash
// forgets none of it.
class SettingsKeeper {
public:
    SettingsKeeper(const ProgramSettings& settings, const RecentFileList& recent);

    // What is in memory now is what the profile holds (just read from it).
    void MarkWritten();
    // Writes the settings, the recent-file list or both where they differ
    // from what was last written.
    void WriteChanges(ProfileFile& profile);
    // Writes both, changed or not.
    void WriteAll(ProfileFile& profile);

private:
    const ProgramSettings& m_settings;
    const RecentFileList& m_recent;
    ProgramSettings m_writtenSettings;
    std::vector<std::string> m_writtenFiles;
};
