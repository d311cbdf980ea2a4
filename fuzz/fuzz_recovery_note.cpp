// Reads arbitrary bytes as the note of a recovered copy: a note that is
// accepted must come back the same when written and read again.

#include "disk/RecoveryFolder.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<RecoveryNote> note = ParseRecoveryNote(text);
    if (note && (ParseRecoveryNote(FormatRecoveryNote(*note)) != note || FormatRecoveryNote(*note) != text))
        std::abort();
    return 0;
}
