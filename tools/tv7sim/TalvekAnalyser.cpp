#include "TalvekAnalyser.h"

#include "SurveyMeasurements.h"

#include <cstring>

namespace {

constexpr std::uint8_t kCmdStatus = '?';
constexpr std::uint8_t kCmdSelectFirst = 0x61;  // memory 1
constexpr std::uint8_t kCmdSelectLast = 0x7E;   // memory 30
constexpr std::uint8_t kCmdSendRecord = 'Y';
constexpr std::uint8_t kCmdSendAll = 'Z';
constexpr std::uint8_t kCmdReceiveRecord = 'T';
constexpr std::uint8_t kLargestHalfByte = 0x0F;
constexpr int kUploadHalves = 2 * MemoryRecord::kSize;
// The first status byte and the two bytes before a download carry nothing
// the program reads.
constexpr std::uint8_t kUnusedByte = 0x00;
constexpr int kReplyHeader = 2;

}  // namespace

TalvekAnalyser::TalvekAnalyser() : m_strSerial(kDefaultSerial)
{
    for (int i = 0; i < kMemories; ++i)
        SetMemory(i, BuiltInMeasurement(i));
}

MemoryRecord TalvekAnalyser::BuiltInMeasurement(int index)
{
    return SurveyMeasurement(index);
}

void TalvekAnalyser::SetSerial(std::string_view serial)
{
    m_strSerial.assign(serial.substr(0, kSerialLength));
    m_strSerial.resize(kSerialLength, ' ');
}

void TalvekAnalyser::SetMemories(const SpectrumFile& file)
{
    m_memories = file.records;
}

void TalvekAnalyser::AppendRecord(int index, std::vector<std::uint8_t>& reply) const
{
    const MemoryRecord& record = Memory(index);
    reply.insert(reply.end(), record.Bytes(), record.Bytes() + MemoryRecord::kSize);
    if (index + 1 == m_nCorruptMemory)
        reply.back() = static_cast<std::uint8_t>(~reply.back());
}

void TalvekAnalyser::Receive(std::uint8_t byte, std::vector<std::uint8_t>& reply)
{
    if (m_nUploadHalves >= 0) {
        if (byte <= kLargestHalfByte) {
            // High half first.
            std::uint8_t& target = m_upload[static_cast<std::size_t>(m_nUploadHalves / 2)];
            target = m_nUploadHalves % 2 == 0 ? static_cast<std::uint8_t>(byte << 4)
                                              : static_cast<std::uint8_t>(target | byte);
            reply.push_back(byte);
            if (++m_nUploadHalves == kUploadHalves) {
                MemoryRecord record;
                std::memcpy(record.Bytes(), m_upload.data(), MemoryRecord::kSize);
                SetMemory(m_nSelected - 1, record);
                m_nUploadHalves = -1;
            }
            return;
        }
        // Anything else ends the upload unfinished and is a command of its own.
        m_nUploadHalves = -1;
    }

    switch (byte) {
    case kCmdSendRecord:
        reply.insert(reply.end(), kReplyHeader, kUnusedByte);
        AppendRecord(m_nSelected - 1, reply);
        return;
    case kCmdSendAll:
        reply.insert(reply.end(), kReplyHeader, kUnusedByte);
        for (int i = 0; i < kMemories; ++i)
            AppendRecord(i, reply);
        return;
    default:
        break;
    }
    // Every other byte is a command acknowledged by one byte; the analyser
    // echoes it.
    reply.push_back(byte);
    if (byte == kCmdStatus) {
        reply.push_back(kUnusedByte);
        reply.insert(reply.end(), m_strSerial.begin(), m_strSerial.end());
    } else if (byte >= kCmdSelectFirst && byte <= kCmdSelectLast) {
        m_nSelected = byte - kCmdSelectFirst + 1;
    } else if (byte == kCmdReceiveRecord) {
        m_nUploadHalves = 0;
    }
}
