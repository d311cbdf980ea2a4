// Reads arbitrary bytes as a profile file: every setting, then a write that
// must keep the rest of the file and read back as written.

#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"

#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ProfileContents contents = ProfileContents::FromText(text);
    ProgramSettings settings;
    settings.LoadSettings(contents);
    contents.GetString("Recent File List", "File1", "");
    const std::string written =
        contents.TextWith("Settings", {{"DlgTV7Pos", std::to_string(settings.Comport)}});
    const ProfileContents again = ProfileContents::FromText(written);
    if (again.GetInt("Settings", "DlgTV7Pos", settings.Comport + 1) != settings.Comport ||
        again.GetString("Recent File List", "File1", "") !=
            contents.GetString("Recent File List", "File1", ""))
        std::abort();
    return 0;
}
