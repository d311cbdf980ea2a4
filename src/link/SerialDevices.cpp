#include "link/SerialDevices.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <grp.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::array<const char*, 3> kFamilies{"ttyS", "ttyUSB", "ttyACM"};

std::vector<std::string> Names(const std::string& folder)
{
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir))
            names.emplace_back(entry->d_name);
        ::closedir(dir);
    }
    return names;
}

std::string RealPath(const std::string& path)
{
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : std::string();
}

// The family's index and the number after it; false for other names.
bool SerialName(const std::string& name, std::size_t& family, long& number)
{
    for (std::size_t f = 0; f < kFamilies.size(); ++f) {
        const std::string prefix = kFamilies[f];
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string digits = name.substr(prefix.size());
        if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return false;
        family = f;
        number = std::strtol(digits.c_str(), nullptr, 10);
        return true;
    }
    return false;
}

}  // namespace

std::vector<SerialDevice> ListSerialDevices(const std::string& root)
{
    struct Found {
        std::size_t family;
        long number;
        SerialDevice device;
    };
    std::vector<Found> found;
    for (const std::string& name : Names(root)) {
        std::size_t family = 0;
        long number = 0;
        if (SerialName(name, family, number))
            found.push_back({family, number, {root + "/" + name, root + "/" + name}});
    }
    // A by-id link names the node it points at.
    const std::string byId = root + "/serial/by-id";
    std::map<std::string, std::string> stable;
    for (const std::string& name : Names(byId))
        if (name != "." && name != "..")
            stable[RealPath(byId + "/" + name)] = byId + "/" + name;
    for (Found& entry : found)
        if (auto link = stable.find(RealPath(entry.device.path)); link != stable.end())
            entry.device.name = link->second;

    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return a.family != b.family ? a.family < b.family : a.number < b.number;
    });
    std::vector<SerialDevice> devices;
    for (const Found& entry : found)
        devices.push_back(entry.device);
    return devices;
}

std::string PermissionAdvice(const std::string& device)
{
    struct stat info {};
    if (::stat(device.c_str(), &info) != 0)
        return {};
    if (::access(device.c_str(), R_OK | W_OK) == 0 || errno != EACCES)
        return {};
    std::string group;
    if (const struct group* owner = ::getgrgid(info.st_gid))
        group = owner->gr_name;
    if (group.empty() || group == "root")
        return "You have no permission to use " + device +
               ".\r\nAsk the administrator to give your account access to it.";
    return "You have no permission to use " + device + ": it belongs to the group " + group +
           ".\r\nAdd your account to that group with\r\n    sudo usermod -aG " + group +
           " $USER\r\nthen log out and in again.";
}
