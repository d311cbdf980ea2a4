// Reads arbitrary text as a list of records ("1,3-5,9") and as reverberation
// times ("0.5" or 16 values): a sound list is written back the same way, and
// times are either refused or standardize a level difference.

#include "data/LevelDifference.h"
#include "data/RecordList.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<int> records;
    if (ParseRecordList(text, records) == RecordListError::kNone) {
        std::vector<int> again;
        if (ParseRecordList(RecordListText(records), again) != RecordListError::kNone || again != records)
            std::abort();
    }
    std::vector<double> times;
    if (ParseReverberationTimes(text, times)) {
        StandardizedDifference standardized;
        StandardizeDifference(LevelDifference{}, times, standardized);
    }
    return 0;
}
