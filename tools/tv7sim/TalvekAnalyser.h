#pragma once

#include "data/MemoryRecord.h"
#include "data/SpectrumFile.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What a TALVEK 7 does with the bytes it is sent: one acknowledgement byte
// for every command, the 8-byte status after "?", the 36-byte "Y" and
// 1022-byte "Z" replies from its 30 memories, and uploads ("T" and 68
// half-bytes) stored into the selected memory. It knows nothing of lines or
// timing; the simulator feeds it bytes and sends its replies.
class TalvekAnalyser {
public:
    static constexpr int kMemories = SpectrumFile::kRecords;
    static constexpr int kSerialLength = 7;
    static constexpr const char* kDefaultSerial = "T7A0042";

    // The 30 measurements of a survey (SurveyMeasurement), memory 1 selected.
    TalvekAnalyser();

    // The serial number: the first 7 characters, padded with spaces.
    void SetSerial(std::string_view serial);
    const std::string& Serial() const { return m_strSerial; }
    void SetMemories(const SpectrumFile& file);
    void SetMemory(int index, const MemoryRecord& record)
    {
        m_memories[static_cast<std::size_t>(index)] = record;
    }
    const MemoryRecord& Memory(int index) const { return m_memories[static_cast<std::size_t>(index)]; }
    // 1-30: that memory's checksum goes out wrong in every download; 0 none.
    void SetCorruptMemory(int memory) { m_nCorruptMemory = memory; }
    // 1-30.
    int SelectedMemory() const { return m_nSelected; }

    // Takes one byte from the line and appends the whole reply to it.
    void Receive(std::uint8_t byte, std::vector<std::uint8_t>& reply);

    // The built-in measurement of memory index 0-29: SurveyMeasurement.
    static MemoryRecord BuiltInMeasurement(int index);

private:
    void AppendRecord(int index, std::vector<std::uint8_t>& reply) const;

    std::array<MemoryRecord, kMemories> m_memories{};
    std::string m_strSerial;
    int m_nSelected = 1;
    int m_nCorruptMemory = 0;
    // An upload in progress: the half-bytes received so far (-1: none).
    int m_nUploadHalves = -1;
    std::array<std::uint8_t, MemoryRecord::kSize> m_upload{};
};
