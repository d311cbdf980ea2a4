#pragma once

// What the analyser's bytes mean, shared by the exchanges of CCommsDlg: its
// command bytes, the layout of its replies and the record checksum.

#include "data/MemoryRecord.h"
#include "data/SpectrumFile.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace comms {

// The analyser's command bytes. Every command but the two download requests
// is answered by one acknowledgement byte, whose value is never examined.
constexpr std::uint8_t kCmdStatus = '?';         // then 8 status bytes
constexpr std::uint8_t kCmdSelectMemory = 0x61;  // + memory index 0-29
constexpr std::uint8_t kCmdSendRecord = 'Y';     // 36-byte reply, no acknowledgement
constexpr std::uint8_t kCmdSendAll = 'Z';        // 1022-byte reply, no acknowledgement
constexpr std::uint8_t kCmdReceiveRecord = 'T';  // then 68 acknowledged half-bytes

// Status reply: byte 0 unused, bytes 1-7 the serial number.
constexpr int kSerialOffset = 1;
constexpr int kSerialLength = 7;
// Download replies: two unused bytes, then 34-byte record images.
constexpr int kReplyHeader = 2;
constexpr int kOneRecordReply = kReplyHeader + MemoryRecord::kSize;
constexpr int kAllRecordsReply = kReplyHeader + SpectrumFile::kRecords * MemoryRecord::kSize;
constexpr int kMemories = SpectrumFile::kRecords;

// Messages are held in 256 characters, a hex dump in 1024.
constexpr std::size_t kTextSize = 256;
constexpr std::size_t kHexDumpSize = 1024;

template <typename... Args> std::string Format(const char* format, Args... args)
{
    char text[kTextSize];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

// XOR of the 33 data bytes of a record image.
inline std::uint8_t Checksum(const std::uint8_t* image)
{
    std::uint8_t sum = 0;
    for (int i = 0; i < MemoryRecord::kDataSize; ++i)
        sum ^= image[i];
    return sum;
}

inline bool ValidMemory(int index)
{
    return index >= 0 && index < kMemories;
}

}  // namespace comms
