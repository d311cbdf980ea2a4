#pragma once

#include "data/SpectrumFile.h"

#include <string>

// The program-wide clipboard of records, shared by every open document. It
// outlives the document it was copied from; Paste restores its records byte
// for byte, comments included, and never reads the system clipboard.
struct RecordClipboard {
    // Record and comment slots. A copy of one record uses slot 0, a copy of
    // several puts record r into slot r. serialNumber is never used.
    SpectrumFile image{};
    int copyStart = 0;  // first record (0..29) of the last copy
    int copyCount = 0;  // records in the last copy; 0 = nothing copied
    std::string label;  // what the clipboard holds, as every view shows it
};

// The process-wide record clipboard.
RecordClipboard& Clipboard();
