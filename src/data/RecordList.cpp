#include "data/RecordList.h"

#include "data/SpectrumFile.h"

#include <algorithm>
#include <charconv>

namespace {

// Reads a record number at text[pos..]; false when there is no number there.
bool ReadNumber(std::string_view text, std::size_t& pos, int& number)
{
    const char* begin = text.data() + pos;
    const char* end = text.data() + text.size();
    if (begin == end || *begin < '0' || *begin > '9')
        return false;
    const auto [ptr, ec] = std::from_chars(begin, end, number);
    if (ec != std::errc())
        number = SpectrumFile::kRecords + 1;  // far too many digits: out of range
    pos = static_cast<std::size_t>(std::find_if(begin, end, [](char c) { return c < '0' || c > '9'; }) -
                                   text.data());
    return true;
}

RecordListError ParseItems(std::string_view text, std::vector<int>& records)
{
    if (text.empty())
        return RecordListError::kEmpty;
    std::size_t pos = 0;
    while (true) {
        int first = 0;
        if (!ReadNumber(text, pos, first))
            return RecordListError::kSyntax;
        int last = first;
        if (pos < text.size() && text[pos] == '-') {
            ++pos;
            if (!ReadNumber(text, pos, last))
                return RecordListError::kSyntax;
        }
        if (first < 1 || first > SpectrumFile::kRecords || last < 1 || last > SpectrumFile::kRecords)
            return RecordListError::kOutOfRange;
        if (last < first)
            return RecordListError::kDescending;
        for (int number = first; number <= last; ++number) {
            if (std::find(records.begin(), records.end(), number - 1) != records.end())
                return RecordListError::kRepeated;
            records.push_back(number - 1);
        }
        if (pos == text.size())
            return RecordListError::kNone;
        if (text[pos] != ',')
            return RecordListError::kSyntax;
        ++pos;
    }
}

}  // namespace

std::string RecordListErrorText(RecordListError error)
{
    switch (error) {
    case RecordListError::kNone:
        break;
    case RecordListError::kEmpty:
        return "RECORDS is empty: list record numbers such as 1,3-5,9";
    case RecordListError::kSyntax:
        return "RECORDS must be record numbers and ranges separated by commas, such as 1,3-5,9";
    case RecordListError::kOutOfRange:
        return "RECORDS must be numbers from 1 to 30";
    case RecordListError::kDescending:
        return "RECORDS has a range that runs backwards: write the smaller number first, as in 3-5";
    case RecordListError::kRepeated:
        return "RECORDS lists a record twice";
    }
    return {};
}

RecordListError ParseRecordList(std::string_view text, std::vector<int>& records)
{
    records.clear();
    const RecordListError error = ParseItems(text, records);
    if (error != RecordListError::kNone)
        records.clear();
    return error;
}

std::string RecordListText(const std::vector<int>& records)
{
    // A run of three or more consecutive records is written as a range.
    constexpr std::size_t kShortestRange = 3;
    std::string text;
    std::size_t start = 0;
    while (start < records.size()) {
        std::size_t end = start + 1;
        while (end < records.size() && records[end] == records[end - 1] + 1)
            ++end;
        if (!text.empty())
            text += ',';
        if (end - start >= kShortestRange) {
            text += std::to_string(records[start] + 1) + '-' + std::to_string(records[end - 1] + 1);
        } else {
            end = start + 1;
            text += std::to_string(records[start] + 1);
        }
        start = end;
    }
    return text;
}
