#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

// The words of a command line: positional arguments and --options. An option
// named in the command's list of value options takes the next word as its value.
class CliArgs {
public:
    // Splits words; false (with error set) for an unknown option or a missing value.
    bool Parse(const std::vector<std::string>& words, const std::vector<std::string>& valueOptions,
               const std::vector<std::string>& flagOptions, std::string& error);

    const std::vector<std::string>& Positional() const { return m_positional; }
    bool Has(const std::string& option) const { return m_options.count(option) != 0; }
    std::optional<std::string> Value(const std::string& option) const;
    // The option's value as an integer; false (with error set) when it is not one.
    bool IntValue(const std::string& option, int& value, std::string& error) const;

private:
    std::vector<std::string> m_positional;
    std::map<std::string, std::string> m_options;
};
