#pragma once

#include "data/CMainDoc.h"
#include "support/ScriptedUserInterface.h"

#include <gtest/gtest.h>

// A test with a new document (all records empty) and a scripted user
// interface; the settings are reset to their defaults for every test.
class DocumentTest : public ::testing::Test {
protected:
    DocumentTest();

    // Record 5 (index 4): a Mike measurement, C weighting, NC-30, refCode 15,
    // wideband 100, bands 156 + band index (25 Hz = 156, 20 kHz = 185),
    // comment "Plant room" / "north wall".
    void FillSampleRecord(int record = 4);
    MemoryRecord& Record(int record) { return doc.Data().records[static_cast<std::size_t>(record)]; }

    ScriptedUserInterface ui;
    CMainDoc doc{ui};
};
