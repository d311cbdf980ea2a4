#pragma once

#include <string>

class ProfileContents;
class ProfileFile;

// The one process-wide block of user preferences. Every field bears the name
// of its key in section "Settings" of the profile file. Filled once at start
// (LoadSettings), written when they change and at a normal exit
// (SaveSettings); the options dialogs change fields in memory, everybody
// else reads them when needed.
// Flags hold 0 or 1; texts are at most 255 characters.
struct ProgramSettings {
    int Comport = 1;
    int Comdelay = 50;
    int Splashscreen = 1;
    int Tooltips = 1;
    int Sounds = 1;
    int Draw2db = 1;
    int Drawjoined = 0;
    int Drawmulti = 0;
    int Drawdpoint = 1;
    int Clipfiesep = 9;
    int Cliprecsep = 14;
    int Clipround = 1;
    int Clipfmat = 33;
    int Clipbmpdx = 800;
    int Clipbmpdy = 600;
    std::string Plotfont = "Arial,16400";
    int Plotbkgdbmpx = 40;
    int Plotbkgdbmpy = 40;
    int Plotbkgdbmpdx = 20;
    int Plotbkgdbmpdy = 8;
    std::string Plotbkgdbmp;
    int Plotuserbmpx = 85;
    int Plotuserbmpy = 70;
    int Plotuserbmpdx = 10;
    int Plotuserbmpdy = 10;
    std::string Plotuserbmp;
    int Plotgronly = 0;
    int Plotgrey = 0;
    std::string Plothdr = "HALDEN ELECTRICS - TALVEK 7";
    std::string Plothdrfont = "Arial,20700";
    // 1: every download into a document is also kept in the download journal.
    int Journal = 1;
    // 1: the printed and exported page shows the record's totals and NC rating under its comments.
    int Printresults = 0;

    bool operator==(const ProgramSettings&) const = default;

    // Reads every field from section "Settings"; a missing key gives its default.
    void LoadSettings(const ProfileFile& profile);
    void LoadSettings(const ProfileContents& contents);
    // Writes every field under its key.
    void SaveSettings(ProfileFile& profile) const;
};

// The process-wide settings.
ProgramSettings& Settings();

// Section and keys of the profile file that are not settings fields.
namespace ProfileKeys {
constexpr const char* kSettings = "Settings";
constexpr const char* kRecentFiles = "Recent File List";
constexpr const char* kPorts = "Ports";
constexpr const char* kDlgTV7Pos = "DlgTV7Pos";
constexpr const char* kDlgModifPos = "DlgModifPos";
constexpr const char* kInitDocDir = "InitDocDir";
}  // namespace ProfileKeys
