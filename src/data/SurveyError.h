#pragma once

#include <string>

// Why an average or a level difference of records was refused. Nothing is
// changed by a refused operation.
struct SurveyError {
    enum class Kind {
        kNone,
        kNoData,           // no document data, or no record given
        kBadRecord,        // record outside 0..29 (the target of an average, too)
        kRecordNotInUse,   // record is empty
        kDifferentUnits,   // record's unit differs from that of otherRecord
        kRepeatedRecord,   // record is given for two roles (source and receiving room, say)
        kTimeCount,        // reverberation times: neither one nor one per rated band
        kTimeNotPositive,  // reverberation time number band is not above 0 s
    };
    Kind kind = Kind::kNone;
    int record = -1;       // the record (0..29) or time (0..) concerned
    int otherRecord = -1;  // kDifferentUnits, kRepeatedRecord: the record it was compared with

    explicit operator bool() const { return kind != Kind::kNone; }
    bool operator==(const SurveyError&) const = default;
};

// The message for the user, with records numbered 1..30: "Record 4 is empty".
std::string SurveyErrorText(const SurveyError& error);
