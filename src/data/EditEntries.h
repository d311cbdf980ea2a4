#pragma once

struct MemoryRecord;

// The stepping and wrap rules of the Edit Entries window's buttons, apart
// from the window: each button steps the selected record or band, or one
// stored code of the selected record, wrapping within its range.
namespace EditEntries {

enum class Button {
    MemoryDown,
    MemoryUp,
    BandDown,
    BandUp,
    LevelDown,  // the selected band's code
    LevelUp,
    LevelUpTen,
    SourceUp,
    WeightingToggle,
    ReferenceDown,  // the reference 1 dB lower: refCode + 1
    ReferenceUp,
    ReferenceUpTen,
    WidebandDown,
    WidebandUp,
    WidebandUpTen,
    NcUp,
    NcDown,
};

// The highest band or wideband code; one step above it wraps to 0.
constexpr int kTopLevelCode = 194;

// The view's selection the window shares: record and band, 1..30 each.
struct Selection {
    int memory = 1;
    int band = 1;
};

// True for the buttons that step the selection rather than a code.
bool StepsSelection(Button button);
// Steps memory or band of the selection, wrapping 1..30.
void StepSelection(Button button, Selection& selection);
// Steps one code of record; band is the selected band (1..30). Weighting
// and NC curve belong to microphone measurements: on a record whose source
// is not Mike their buttons change nothing, and stepping the source away
// from Mike clears them; every other button leaves them as they are. True
// when a byte changed.
bool EditRecord(Button button, MemoryRecord& record, int band);
// The largest refCode: 85 for the sources with bit 0 set (Mike, Right,
// Diff, 7), 80 for the others.
int TopReferenceCode(const MemoryRecord& record);

}  // namespace EditEntries
