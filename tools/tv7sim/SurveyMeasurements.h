#pragma once

#include "data/MemoryRecord.h"

#include <string_view>

// The 30 measurements a simulated analyser holds from the start: a day's
// survey of an office building, so that the demo shows what the program is
// for. Memory index 0-29.
MemoryRecord SurveyMeasurement(int index);

// What memory index 0-29 holds, as a surveyor would note it: "Office 1.01,
// desk by the window".
std::string_view SurveyMeasurementNote(int index);
