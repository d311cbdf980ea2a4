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

TransferProgress BatchProgress(int record, const std::string& text)
{
    // A record's upload ends with "Ok"; it starts with the memory's selection.
    const std::optional<TransferProgress> within = ProgressOf(text);
    int pairs = within && within->maximum == MemoryRecord::kSize ? within->value : 0;
    if (text == "Ok")
        pairs = MemoryRecord::kSize;
    return {(record - 1) * MemoryRecord::kSize + pairs, SpectrumFile::kRecords * MemoryRecord::kSize};
}

std::string BatchText(int record, const TransferProgress& done, long long elapsedMs)
{
    char text[80];
    int length = std::snprintf(text, sizeof text, "Record %d of %d", record, SpectrumFile::kRecords);
    if (done.value > 0 && done.value < done.maximum) {
        const long long left = (elapsedMs * (done.maximum - done.value) / done.value + 999) / 1000;
        if (left >= 60)
            std::snprintf(text + length, sizeof text - static_cast<std::size_t>(length),
                          ", about %lld min %02lld s left", left / 60, left % 60);
        else
            std::snprintf(text + length, sizeof text - static_cast<std::size_t>(length),
                          ", about %lld s left", left);
    }
    return text;
}
