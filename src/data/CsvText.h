#pragma once

#include <string>
#include <string_view>
#include <vector>

// Appends a field of a CSV line, in double quotes (those inside doubled)
// when it holds the separator, a quote, CR or LF, as RFC 4180 has it.
void AppendCsvField(std::string& line, std::string_view field, char separator);

// The fields separated by separator, ending in CR LF.
std::string CsvLine(const std::vector<std::string>& fields, char separator = ',');
