#include "data/EditEntries.h"

#include "data/MemoryRecord.h"
#include "data/NcCurveTable.h"
#include "data/SpectrumFile.h"

#include <cstdint>

namespace EditEntries {

namespace {

constexpr int kSourceMike = 1;
constexpr int kTopSource = 5;
constexpr std::uint8_t kSourceBits = 0x07;
constexpr std::uint8_t kWeightingBit = 0x08;

// A code stepped within 0..top: a step down below 0 gives top, a step up
// beyond top gives 0. A code already above top steps down one at a time.
std::uint8_t StepWrapped(int code, int step, int top)
{
    const int stepped = code + step;
    if (stepped < 0)
        return static_cast<std::uint8_t>(top);
    if (step > 0 && stepped > top)
        return 0;
    return static_cast<std::uint8_t>(stepped);
}

std::uint8_t StepLevel(int code, int step)
{
    return StepWrapped(code, step, kTopLevelCode);
}

std::uint8_t StepReference(const MemoryRecord& record, int step)
{
    return StepWrapped(record.refCode, step, TopReferenceCode(record));
}

std::uint8_t WithNcCurve(std::uint8_t mode, int nc)
{
    return static_cast<std::uint8_t>((mode & 0x0F) | (nc << 4));
}

int Wrap(int value)
{
    if (value < 1)
        return SpectrumFile::kRecords;
    return value > SpectrumFile::kRecords ? 1 : value;
}

}  // namespace

int TopReferenceCode(const MemoryRecord& record)
{
    return (record.mode & 0x01) ? 85 : 80;
}

bool StepsSelection(Button button)
{
    return button == Button::MemoryDown || button == Button::MemoryUp || button == Button::BandDown ||
           button == Button::BandUp;
}

void StepSelection(Button button, Selection& selection)
{
    switch (button) {
    case Button::MemoryDown:
        selection.memory = Wrap(selection.memory - 1);
        break;
    case Button::MemoryUp:
        selection.memory = Wrap(selection.memory + 1);
        break;
    case Button::BandDown:
        selection.band = Wrap(selection.band - 1);
        break;
    case Button::BandUp:
        selection.band = Wrap(selection.band + 1);
        break;
    default:
        break;
    }
}

bool EditRecord(Button button, MemoryRecord& record, int band)
{
    if (StepsSelection(button) || band < 1 || band > MemoryRecord::kBands)
        return false;
    const bool mikeSetting =
        button == Button::WeightingToggle || button == Button::NcUp || button == Button::NcDown;
    if (mikeSetting && record.Source() != kSourceMike)
        return false;
    const MemoryRecord before = record;
    std::uint8_t& level = record.bands[static_cast<std::size_t>(band - 1)];
    switch (button) {
    case Button::LevelDown:
        level = StepLevel(level, -1);
        break;
    case Button::LevelUp:
        level = StepLevel(level, 1);
        break;
    case Button::LevelUpTen:
        level = StepLevel(level, 10);
        break;
    case Button::SourceUp: {
        const int source = record.Source() + 1;
        record.mode =
            static_cast<std::uint8_t>((record.mode & ~kSourceBits) | (source > kTopSource ? 1 : source));
        // Weighting and NC curve belong to microphone measurements.
        if (record.Source() != kSourceMike)
            record.mode &= kSourceBits;
        break;
    }
    case Button::WeightingToggle:
        record.mode ^= kWeightingBit;
        break;
    case Button::ReferenceDown:
        record.refCode = StepReference(record, 1);
        break;
    case Button::ReferenceUp:
        record.refCode = StepReference(record, -1);
        break;
    case Button::ReferenceUpTen:
        record.refCode = StepReference(record, -10);
        break;
    case Button::WidebandDown:
        record.wideband = StepLevel(record.wideband, -1);
        break;
    case Button::WidebandUp:
        record.wideband = StepLevel(record.wideband, 1);
        break;
    case Button::WidebandUpTen:
        record.wideband = StepLevel(record.wideband, 10);
        break;
    case Button::NcUp:
        record.mode = WithNcCurve(record.mode, NcCurveTable::StepCurve(record.NcCurve(), 1));
        break;
    case Button::NcDown:
        record.mode = WithNcCurve(record.mode, NcCurveTable::StepCurve(record.NcCurve(), -1));
        break;
    default:
        break;
    }
    return !(record == before);
}

}  // namespace EditEntries
