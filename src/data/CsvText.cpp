#include "data/CsvText.h"

#include <algorithm>

void AppendCsvField(std::string& line, std::string_view field, char separator)
{
    const bool plain = std::none_of(field.begin(), field.end(), [separator](char c) {
        return c == separator || c == '"' || c == '\r' || c == '\n';
    });
    if (plain) {
        line += field;
        return;
    }
    line += '"';
    for (const char c : field) {
        if (c == '"')
            line += '"';
        line += c;
    }
    line += '"';
}

std::string CsvLine(const std::vector<std::string>& fields, char separator)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += separator;
        AppendCsvField(line, fields[i], separator);
    }
    line += "\r\n";
    return line;
}
