#include "data/SurveyError.h"

#include "data/WeightedDifference.h"

namespace {

std::string RecordName(int record)
{
    return "record " + std::to_string(record + 1);
}

}  // namespace

std::string SurveyErrorText(const SurveyError& error)
{
    switch (error.kind) {
    case SurveyError::Kind::kNone:
        break;
    case SurveyError::Kind::kNoData:
        return "No records to work with";
    case SurveyError::Kind::kBadRecord:
        return "Records are numbered 1 to 30";
    case SurveyError::Kind::kRecordNotInUse:
        return "Record " + std::to_string(error.record + 1) + " is empty";
    case SurveyError::Kind::kDifferentUnits:
        return "Record " + std::to_string(error.record + 1) + " is not in the unit of " +
               RecordName(error.otherRecord) + " (dB SPL from the microphone, dBu from a line input)";
    case SurveyError::Kind::kRepeatedRecord:
        return "Record " + std::to_string(error.record + 1) + " cannot stand for two rooms";
    case SurveyError::Kind::kTimeCount:
        return "Give one reverberation time, or " + std::to_string(kRatedBands) + " (100 Hz to 3150 Hz)";
    case SurveyError::Kind::kTimeNotPositive:
        return "Reverberation time " + std::to_string(error.record + 1) + " must be above 0 s";
    }
    return {};
}
