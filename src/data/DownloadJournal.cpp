#include "data/DownloadJournal.h"

#include "data/ProgramSettings.h"
#include "data/UserInterface.h"
#include "disk/AtomicFile.h"
#include "disk/UserFolders.h"

#include <cctype>

namespace {

// Copies made in one second before the journal gives up on a free name.
constexpr int kMaxCopiesPerSecond = 100;

// The serial number as part of a file name: letters, digits and '-' only.
std::string SerialForName(const std::string& serial)
{
    std::string name;
    for (const char c : serial) {
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '-')
            name.push_back(c);
        else if (c != ' ' && c != '\0')
            name.push_back('_');
    }
    return name.empty() ? "no-serial" : name;
}

}  // namespace

std::string DownloadJournal::Folder()
{
    return ProgramFolder("XDG_DATA_HOME", ".local/share") + "/downloads/";
}

std::string DownloadJournal::FileName(std::time_t when, const std::string& serial)
{
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H%M%S", &local);
    return std::string(stamp) + "_" + SerialForName(serial) + ".spc";
}

std::string DownloadJournal::Write(SpectrumFile image, const std::string& serial, std::time_t when,
                                   std::string& error)
{
    for (MemoryRecord& record : image.records)
        record.checksum = record.ComputeChecksum();
    const std::string folder = Folder();
    MakeParentFolders(folder);
    const std::string name = FileName(when, serial);
    const std::string stem = name.substr(0, name.size() - 4);
    for (int copy = 1; copy <= kMaxCopiesPerSecond; ++copy) {
        const std::string path = folder + (copy == 1 ? name : stem + "-" + std::to_string(copy) + ".spc");
        bool exists = false;
        if (WriteNewFileAtomically(path, image.Bytes(), SpectrumFile::kSize, exists, error))
            return path;
        if (!exists)
            return {};
    }
    error = "No free file name";
    return {};
}

void DownloadJournal::Keep(const SpectrumFile& image, const std::string& serial, UserInterface& ui)
{
    if (Settings().Journal != 1)
        return;
    std::string error;
    if (!Write(image, serial, std::time(nullptr), error).empty() || m_bToldFailure)
        return;
    m_bToldFailure = true;
    ui.Tell("The download is complete, but no copy of it could be kept in\r\n" + Folder() + "\r\n(" + error +
                ")",
            UserInterface::Icon::Exclamation);
}
