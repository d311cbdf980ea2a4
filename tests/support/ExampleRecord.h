#pragma once

#include "data/MemoryRecord.h"

// The record of the clipboard and text file examples: a Mike measurement,
// flat, NC-30, reference code 15 (110 dB SPL), wideband code 100, bands from
// below range (code 0) to above range (code 194).
inline MemoryRecord ExampleRecord()
{
    MemoryRecord record;
    record.bands = {0,   100, 120, 130, 140, 150, 152, 154, 156, 158, 160, 158, 156, 154, 152,
                    150, 148, 146, 144, 142, 140, 138, 136, 134, 132, 130, 128, 126, 124, 194};
    record.wideband = 100;
    record.refCode = 15;
    record.mode = 65;
    record.checksum = record.ComputeChecksum();
    return record;
}
