#pragma once

#include "data/MemoryRecord.h"

#include <algorithm>
#include <array>
#include <cstdint>

// The 5828-byte image of one spectrum data file: the analyser's serial number,
// 30 memory records and 30 comments of 4 lines x 40 characters. The file on
// disk is this image byte for byte; it is recognised by its length alone.
struct SpectrumFile {
    static constexpr int kRecords = 30;
    static constexpr int kSerialSize = 8;
    static constexpr int kCommentLines = 4;
    static constexpr int kCommentLineSize = 40;
    static constexpr int kCommentSize = kCommentLines * kCommentLineSize;
    static constexpr int kSize = kSerialSize + kRecords * MemoryRecord::kSize + kRecords * kCommentSize;
    static constexpr int kRecordsOffset = kSerialSize;
    static constexpr int kCommentsOffset = kRecordsOffset + kRecords * MemoryRecord::kSize;

    using Comment = std::array<char, kCommentSize>;

    std::array<char, kSerialSize> serialNumber{};
    std::array<MemoryRecord, kRecords> records{};
    std::array<Comment, kRecords> comments{};

    // True when record (0..29) differs from the empty record or its comment
    // is not blank; the checksum is not compared.
    bool RecordInUse(int record) const
    {
        const MemoryRecord& r = records[static_cast<std::size_t>(record)];
        const auto& comment = comments[static_cast<std::size_t>(record)];
        MemoryRecord empty = MemoryRecord::Empty();
        empty.checksum = r.checksum;
        return !(r == empty) || std::any_of(comment.begin(), comment.end(), [](char c) { return c != ' '; });
    }

    std::uint8_t* Bytes() { return reinterpret_cast<std::uint8_t*>(this); }
    const std::uint8_t* Bytes() const { return reinterpret_cast<const std::uint8_t*>(this); }

    bool operator==(const SpectrumFile&) const = default;
};

static_assert(sizeof(SpectrumFile) == SpectrumFile::kSize, "the file image is 5828 bytes");
static_assert(sizeof(SpectrumFile) == 5828);
