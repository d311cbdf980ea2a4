// tv7sim: a TALVEK 7 on a pseudo-terminal, until it is stopped.

#include "sim/TalvekSimulator.h"

#include "data/SpectrumFile.h"
#include "disk/DskFile.h"

#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr long kMaxGarbage = 4096;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "usage: tv7sim [--memories FILE.spc] [--serial TEXT] [--realtime] [--link PATH] [fault options]\n"
    "\n"
    "Opens a pseudo-terminal, prints its device path on the first line and acts as a\n"
    "TALVEK 7 on it until stopped (Ctrl+C, SIGTERM) or until a fault closes the line.\n"
    "\n"
    "  --memories FILE.spc  the 30 memories from a spectrum data file (default: built in)\n"
    "  --serial TEXT        the serial number, 7 characters (default T7A0042)\n"
    "  --realtime           pace the line at 1200 bit/s, 10 bits a byte, both ways\n"
    "  --link PATH          make PATH a symbolic link to the device while running\n"
    "\n"
    "fault options:\n"
    "  --silent-after BYTE      answer nothing from this command byte on (a character,\n"
    "                           or a number such as 0x59 or 89)\n"
    "  --corrupt-checksum MEM   send memory MEM (1-30) with a wrong checksum\n"
    "  --stop-after N           go quiet after N reply bytes\n"
    "  --close-after N          close the line after N reply bytes, then exit\n"
    "  --garbage N              send N (up to 4096) junk bytes after every reply\n"
    "  --lose-byte N            lose reply byte N (0 the first) on the line\n"
    "  --flood                  keep the line full of junk, as a port that ignores the speed\n";

TalvekSimulator* g_simulator = nullptr;

void OnSignal(int)
{
    if (g_simulator)
        g_simulator->Stop();
}

int Usage(const std::string& reason)
{
    std::cerr << kUsage << "\ntv7sim: " << reason << '\n';
    return kExitUsage;
}

std::optional<long> ParseNumber(const std::string& text)
{
    long value = 0;
    int base = 10;
    std::string digits = text;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits = digits.substr(2);
        base = 16;
    }
    const char* end = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.data(), end, value, base);
    if (ec != std::errc() || ptr != end || digits.empty() || value < 0)
        return std::nullopt;
    return value;
}

// A command byte: one character stands for itself, anything longer is a number.
std::optional<int> ParseByte(const std::string& text)
{
    if (text.size() == 1)
        return static_cast<unsigned char>(text[0]);
    const auto value = ParseNumber(text);
    if (!value || *value > 0xFF)
        return std::nullopt;
    return static_cast<int>(*value);
}

bool LoadMemories(const std::string& path, TalvekAnalyser& analyser, std::string& error)
{
    DskFile file;
    file.DskSetName(path);
    if (file.DskGetLength() != SpectrumFile::kSize) {
        error = path + ": not a spectrum data file (" + std::to_string(SpectrumFile::kSize) + " bytes)";
        return false;
    }
    SpectrumFile image;
    std::int32_t count = SpectrumFile::kSize;
    if (file.DskOpen(DskFile::kRead) != DskFile::kOk || file.DskRead(image.Bytes(), count) != DskFile::kOk) {
        error = path + ": " + file.ErrorText();
        return false;
    }
    analyser.SetMemories(image);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> words(argv + 1, argv + argc);
    TalvekSimulator simulator;
    TalvekSimulator::Faults faults;
    std::string linkPath;
    bool realtime = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& option = words[i];
        if (option == "--help") {
            std::cout << kUsage;
            return kExitOk;
        }
        if (option == "--realtime") {
            realtime = true;
            continue;
        }
        if (option == "--flood") {
            faults.flood = true;
            continue;
        }
        if (i + 1 >= words.size())
            return Usage(option.compare(0, 2, "--") == 0 ? option + " needs a value"
                                                         : "unexpected " + option);
        const std::string& value = words[++i];
        if (option == "--memories") {
            std::string error;
            if (!LoadMemories(value, simulator.Analyser(), error)) {
                std::cerr << "tv7sim: " << error << '\n';
                return kExitFailed;
            }
        } else if (option == "--serial") {
            simulator.Analyser().SetSerial(value);
        } else if (option == "--link") {
            linkPath = value;
        } else if (option == "--silent-after") {
            const auto byte = ParseByte(value);
            if (!byte)
                return Usage("--silent-after needs a character or a byte value");
            faults.silentAfter = *byte;
        } else if (option == "--corrupt-checksum") {
            const auto memory = ParseNumber(value);
            if (!memory || *memory < 1 || *memory > TalvekAnalyser::kMemories)
                return Usage("--corrupt-checksum needs a memory number from 1 to 30");
            faults.corruptMemory = static_cast<int>(*memory);
        } else if (option == "--lose-byte") {
            const auto number = ParseNumber(value);
            if (!number)
                return Usage("--lose-byte needs a reply byte number");
            faults.loseReplyByte = *number;
        } else if (option == "--stop-after" || option == "--close-after" || option == "--garbage") {
            const auto count = ParseNumber(value);
            // Junk after every reply is kept small: the program drains it before each command.
            const long limit = option == "--garbage" ? kMaxGarbage : 1'000'000'000;
            if (!count || *count > limit)
                return Usage(option + " needs a count up to " + std::to_string(limit));
            if (option == "--stop-after")
                faults.stopAfterBytes = *count;
            else if (option == "--close-after")
                faults.closeAfterBytes = *count;
            else
                faults.garbageBytes = static_cast<int>(*count);
        } else {
            return Usage("unknown option " + option);
        }
    }

    std::string error;
    if (!simulator.Open(error)) {
        std::cerr << "tv7sim: " << error << '\n';
        return kExitFailed;
    }
    simulator.SetRealtime(realtime);
    simulator.SetFaults(faults);
    simulator.KeepLog(false);
    // Whoever reads the device path may stop the simulator at once: from
    // here on a stop ends Run and removes the link.
    g_simulator = &simulator;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    if (!linkPath.empty()) {
        // Only a symbolic link is replaced, never a file of the user's.
        struct stat existing {};
        if (::lstat(linkPath.c_str(), &existing) == 0) {
            if (!S_ISLNK(existing.st_mode)) {
                std::cerr << "tv7sim: " << linkPath << " exists and is not a symbolic link\n";
                return kExitFailed;
            }
            ::unlink(linkPath.c_str());
        }
        if (::symlink(simulator.DevicePath().c_str(), linkPath.c_str()) != 0) {
            std::cerr << "tv7sim: cannot make " << linkPath << ": " << std::strerror(errno) << '\n';
            return kExitFailed;
        }
    }
    std::cout << simulator.DevicePath() << std::endl;

    ::signal(SIGPIPE, SIG_IGN);

    simulator.Run();

    g_simulator = nullptr;
    if (!linkPath.empty()) {
        char target[256] = {};
        const ssize_t n = ::readlink(linkPath.c_str(), target, sizeof target - 1);
        if (n > 0 && simulator.DevicePath() == std::string(target, static_cast<std::size_t>(n)))
            ::unlink(linkPath.c_str());
    }
    return kExitOk;
}
