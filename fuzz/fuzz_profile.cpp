// Reads arbitrary bytes as a profile file: every setting, then a write that
// must keep the rest of the file.

#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"

#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = "/tmp/fuzz_profile_" + std::to_string(::getpid()) + ".ini";
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    ProfileFile profile(path);
    ProgramSettings settings;
    settings.LoadSettings(profile);
    profile.GetString("Recent File List", "File1", "");
    profile.WriteInt("Settings", "DlgTV7Pos", settings.Comport);
    profile.GetInt("Settings", "DlgTV7Pos", 0);
    return 0;
}
