#include "data/ByteList.h"

#include "data/CMainDoc.h"

#include <array>
#include <cstdio>

std::string FormatByteList(CMainDoc& doc, int record)
{
    static constexpr std::array<const char*, 4> kNames{"W/B", "Ref0", "NC/W/Inp", "Checksum"};
    doc.UpdateChecksum(record);
    const std::uint8_t* bytes = doc.Data().records[static_cast<std::size_t>(record)].Bytes();
    char line[32];
    std::snprintf(line, sizeof line, "Memory Record: %d\r\n", record + 1);
    std::string text = line;
    for (int i = 0; i < MemoryRecord::kSize; ++i) {
        std::snprintf(line, sizeof line, "\r\n%02d: %02X ", i, bytes[i]);
        text += line;
        if (i >= MemoryRecord::kBands)
            text += kNames[static_cast<std::size_t>(i - MemoryRecord::kBands)];
    }
    return text;
}
