#pragma once

#include "data/SpectrumFile.h"

#include <ctime>
#include <string>

class UserInterface;

// Measurements are taken once: every successful download into a document is
// also kept at once as a complete spectrum data file in the journal folder,
// named by date, time and the analyser's serial number, never replacing an
// earlier copy. A journal that cannot be written never fails the download.
class DownloadJournal {
public:
    // $XDG_DATA_HOME/TV7W/downloads (default ~/.local/share/TV7W/downloads/),
    // with its trailing separator.
    static std::string Folder();
    // The file name of a copy made at when: "2026-12-07_153012_T7A0042.spc".
    static std::string FileName(std::time_t when, const std::string& serial);

    // Writes image (its checksums recomputed, as a save does) as a new file
    // in Folder(); a second copy in the same second gets "-2", "-3", ...
    // Returns the path written, or an empty path with error set.
    static std::string Write(SpectrumFile image, const std::string& serial, std::time_t when,
                             std::string& error);

    // After a successful download: keeps the copy while the setting Journal
    // is 1. The first copy that cannot be written is reported through ui;
    // later ones of this journal are not.
    void Keep(const SpectrumFile& image, const std::string& serial, UserInterface& ui);

private:
    bool m_bToldFailure = false;
};
