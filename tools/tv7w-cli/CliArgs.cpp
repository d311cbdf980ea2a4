#include "CliArgs.h"

#include <algorithm>
#include <charconv>

bool CliArgs::Parse(const std::vector<std::string>& words, const std::vector<std::string>& valueOptions,
                    const std::vector<std::string>& flagOptions, std::string& error)
{
    const auto listed = [](const std::vector<std::string>& list, const std::string& word) {
        return std::find(list.begin(), list.end(), word) != list.end();
    };
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.size() < 3 || word.compare(0, 2, "--") != 0) {
            m_positional.push_back(word);
        } else if (listed(valueOptions, word)) {
            if (i + 1 >= words.size()) {
                error = word + " needs a value";
                return false;
            }
            m_options[word] = words[++i];
        } else if (listed(flagOptions, word)) {
            m_options[word] = "";
        } else {
            error = "unknown option " + word;
            return false;
        }
    }
    return true;
}

std::optional<std::string> CliArgs::Value(const std::string& option) const
{
    const auto it = m_options.find(option);
    if (it == m_options.end())
        return std::nullopt;
    return it->second;
}

bool CliArgs::IntValue(const std::string& option, int& value, std::string& error) const
{
    const auto text = Value(option);
    if (!text)
        return true;
    const char* end = text->data() + text->size();
    const auto [ptr, ec] = std::from_chars(text->data(), end, value);
    if (ec != std::errc() || ptr != end) {
        error = option + " needs a whole number, not \"" + *text + "\"";
        return false;
    }
    return true;
}
