#pragma once

#include <string>
#include <string_view>
#include <vector>

// Why a list of record numbers was refused.
enum class RecordListError {
    kNone,
    kEmpty,       // no number at all
    kSyntax,      // not numbers and ranges separated by commas
    kOutOfRange,  // a number outside 1..30
    kDescending,  // a range such as 5-3
    kRepeated,    // a record listed twice
};

// The message for a refused list: "RECORDS ..." names what was wrong in it.
std::string RecordListErrorText(RecordListError error);

// A list of record numbers as users write it: numbers 1..30 and ranges
// separated by commas, "1,3-5,9". records gets the record indexes 0..29 in
// the order written. kNone when the list is sound; otherwise records is left
// empty.
RecordListError ParseRecordList(std::string_view text, std::vector<int>& records);

// The list of record indexes 0..29 as users read it, runs of three or more
// written as ranges: {0, 2, 3, 4, 8} gives "1,3-5,9".
std::string RecordListText(const std::vector<int>& records);
