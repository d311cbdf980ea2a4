#pragma once

#include <array>
#include <cstdint>

// One memory record of the TALVEK 7: 34 bytes, identical on the serial line
// and in the spectrum data file, so a record is never converted on its way.
struct MemoryRecord {
    static constexpr int kBands = 30;
    static constexpr int kSize = 34;
    static constexpr int kDataSize = 33;  // the bytes the checksum covers

    // Codes of the empty record.
    static constexpr std::uint8_t kEmptyRefCode = 15;
    static constexpr std::uint8_t kEmptyMode = 2;  // Left, flat, no NC curve
    static constexpr std::uint8_t kEmptyChecksum = 13;

    // Level codes count 1/8 dB from -20 dBr (code 0, "below range"); code 160
    // is 0 dBr and codes from 194 up are "above range" (+4.25 dBr). The same
    // steps hold for the wideband code.
    static constexpr int kZeroCode = 160;
    static constexpr int kTopCode = 194;
    static constexpr float kDbPerCode = 0.125f;
    // The reference level of refCode 0: the level is 125 - refCode.
    static constexpr int kRefLevelOfCodeZero = 125;
    // Only the microphone measures sound pressure (dB SPL); the line inputs
    // read 110 dB lower, in dBu.
    static constexpr int kSourceMike = 1;
    static constexpr int kLineInputOffset = 110;

    // Level in dBr of a band code, above-range codes counted as 194.
    static float BandLevel(int code)
    {
        return static_cast<float>((code < kTopCode ? code : kTopCode) - kZeroCode) * kDbPerCode;
    }

    // The wideband code counts in the same steps, from 10 dB under the
    // reference: level in dB relative to the reference, above-range codes
    // counted as 194.
    static constexpr int kWidebandOffset = 10;
    static float WidebandLevel(int code)
    {
        return static_cast<float>(code < kTopCode ? code : kTopCode) * kDbPerCode - kWidebandOffset;
    }

    // A shift of the reference by step dB (+1 or -1) moves every level code,
    // wideband included, by 8 codes the other way; the ends of the range are
    // markers ("<" at 0, ">" from 192) that never move. True when code c
    // would leave the measured range, which refuses the shift.
    static constexpr int kCodesPerDb = 8;
    static constexpr int kFirstMarkerAbove = 192;
    static bool BlocksShift(int c, int step)
    {
        return step > 0 ? c >= 1 && c <= kCodesPerDb
                        : c >= kFirstMarkerAbove - kCodesPerDb && c < kFirstMarkerAbove;
    }
    static std::uint8_t ShiftedCode(std::uint8_t c, int step)
    {
        if (c == 0 || c >= kFirstMarkerAbove)
            return c;
        return static_cast<std::uint8_t>(c - kCodesPerDb * step);
    }

    std::array<std::uint8_t, kBands> bands{};  // level codes, 1/8 dB steps, 25 Hz first
    std::uint8_t wideband = 0;
    std::uint8_t refCode = kEmptyRefCode;    // the 0 dB reference ("Ref0")
    std::uint8_t mode = kEmptyMode;          // bits 0-2 source, bit 3 weighting C, bits 4-7 NC curve
    std::uint8_t checksum = kEmptyChecksum;  // XOR of bytes 0..32

    static MemoryRecord Empty() { return {}; }

    // The 34 bytes in wire and file order.
    std::uint8_t* Bytes() { return reinterpret_cast<std::uint8_t*>(this); }
    const std::uint8_t* Bytes() const { return reinterpret_cast<const std::uint8_t*>(this); }

    // XOR of bytes 0..32, the rule the analyser uses too.
    std::uint8_t ComputeChecksum() const
    {
        std::uint8_t sum = 0;
        for (int i = 0; i < kDataSize; ++i)
            sum ^= Bytes()[i];
        return sum;
    }

    int Source() const { return mode & 0x07; }
    // The 0 dB reference in dB SPL (Mike) or dB (the other sources).
    int ReferenceLevel() const
    {
        return kRefLevelOfCodeZero - refCode - (Source() == kSourceMike ? 0 : kLineInputOffset);
    }
    int Weighting() const { return (mode >> 3) & 0x01; }
    int NcCurve() const { return (mode >> 4) & 0x0F; }

    bool operator==(const MemoryRecord&) const = default;
};

static_assert(sizeof(MemoryRecord) == MemoryRecord::kSize, "a record is 34 bytes without padding");
