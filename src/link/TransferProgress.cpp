#include "link/TransferProgress.h"

#include "data/MemoryRecord.h"
#include "data/SpectrumFile.h"

#include <cstdio>

std::optional<TransferProgress> ProgressOf(const std::string& text)
{
    int memory = 0;
    int target = 0;
    int pair = 0;
    int consumed = 0;
    // "Downloading Memory 07" while all 30 arrive; a single record's text
    // goes on with " to NN".
    if (std::sscanf(text.c_str(), "Downloading Memory %2d%n", &memory, &consumed) == 1 &&
        static_cast<std::size_t>(consumed) == text.size() && memory >= 1 && memory <= SpectrumFile::kRecords)
        return TransferProgress{memory - 1, SpectrumFile::kRecords};
    if (std::sscanf(text.c_str(), "Uploading Memory %2d to %2d (%d)", &memory, &target, &pair) == 3 &&
        pair >= 0 && pair <= MemoryRecord::kSize)
        return TransferProgress{pair, MemoryRecord::kSize};
    return std::nullopt;
}
