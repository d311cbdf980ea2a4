#include "data/ProgramSettings.h"

#include "data/ProfileFile.h"

#include <array>
#include <iterator>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using ProfileKeys::kSettings;

// How a field is read and written.
enum class Kind { Flag, Integer, Text };

struct Field {
    const char* key;
    Kind kind;
    int ProgramSettings::*number;
    std::string ProgramSettings::*text;
};

constexpr Field Flag(const char* key, int ProgramSettings::*field)
{
    return {key, Kind::Flag, field, nullptr};
}
constexpr Field Integer(const char* key, int ProgramSettings::*field)
{
    return {key, Kind::Integer, field, nullptr};
}
constexpr Field Text(const char* key, std::string ProgramSettings::*field)
{
    return {key, Kind::Text, nullptr, field};
}

using S = ProgramSettings;

// In the order LoadSettings reads them.
constexpr Field kReadOrder[] = {
    Integer("Comport", &S::Comport),
    Integer("Comdelay", &S::Comdelay),
    Flag("Splashscreen", &S::Splashscreen),
    Flag("Tooltips", &S::Tooltips),
    Flag("Sounds", &S::Sounds),
    Flag("Draw2db", &S::Draw2db),
    Flag("Drawjoined", &S::Drawjoined),
    Flag("Drawmulti", &S::Drawmulti),
    Integer("Drawdpoint", &S::Drawdpoint),
    Integer("Clipfiesep", &S::Clipfiesep),
    Integer("Cliprecsep", &S::Cliprecsep),
    Integer("Clipround", &S::Clipround),
    Integer("Clipfmat", &S::Clipfmat),
    Integer("Clipbmpdx", &S::Clipbmpdx),
    Integer("Clipbmpdy", &S::Clipbmpdy),
    Text("Plotfont", &S::Plotfont),
    Integer("Plotbkgdbmpx", &S::Plotbkgdbmpx),
    Integer("Plotbkgdbmpy", &S::Plotbkgdbmpy),
    Integer("Plotbkgdbmpdx", &S::Plotbkgdbmpdx),
    Integer("Plotbkgdbmpdy", &S::Plotbkgdbmpdy),
    Text("Plotbkgdbmp", &S::Plotbkgdbmp),
    Integer("Plotuserbmpx", &S::Plotuserbmpx),
    Integer("Plotuserbmpy", &S::Plotuserbmpy),
    Integer("Plotuserbmpdx", &S::Plotuserbmpdx),
    Integer("Plotuserbmpdy", &S::Plotuserbmpdy),
    Text("Plotuserbmp", &S::Plotuserbmp),
    Flag("Plotgronly", &S::Plotgronly),
    Flag("Plotgrey", &S::Plotgrey),
    Text("Plothdr", &S::Plothdr),
    Text("Plothdrfont", &S::Plothdrfont),
    Flag("Journal", &S::Journal),
    Flag("Printresults", &S::Printresults),
};

// The order in which SaveSettings writes them.
constexpr std::string_view kWriteOrder[] = {
    "Comport",       "Comdelay",      "Splashscreen",  "Tooltips",    "Sounds",       "Draw2db",
    "Drawjoined",    "Drawmulti",     "Drawdpoint",    "Clipfiesep",  "Cliprecsep",   "Clipfmat",
    "Clipround",     "Clipbmpdx",     "Clipbmpdy",     "Plotfont",    "Plotuserbmp",  "Plotuserbmpx",
    "Plotuserbmpy",  "Plotuserbmpdx", "Plotuserbmpdy", "Plotbkgdbmp", "Plotbkgdbmpx", "Plotbkgdbmpy",
    "Plotbkgdbmpdx", "Plotbkgdbmpdy", "Plotgronly",    "Plotgrey",    "Plothdr",      "Plothdrfont",
    "Journal",       "Printresults",
};
static_assert(std::size(kWriteOrder) == std::size(kReadOrder));

// The fields in the order SaveSettings writes them, found once at compile
// time: a key without its field does not compile.
constexpr std::array<const Field*, std::size(kWriteOrder)> FieldsInWriteOrder()
{
    std::array<const Field*, std::size(kWriteOrder)> fields{};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        for (const Field& field : kReadOrder)
            if (kWriteOrder[i] == field.key)
                fields[i] = &field;
        if (!fields[i])
            throw "a key of the write order has no field";
    }
    return fields;
}
constexpr auto kFieldsInWriteOrder = FieldsInWriteOrder();

}  // namespace

ProgramSettings& Settings()
{
    static ProgramSettings settings;
    return settings;
}

void ProgramSettings::LoadSettings(const ProfileFile& profile)
{
    LoadSettings(profile.Read());
}

void ProgramSettings::LoadSettings(const ProfileContents& contents)
{
    // The defaults are the values the fields hold when constructed.
    const ProgramSettings defaults;
    for (const Field& field : kReadOrder) {
        switch (field.kind) {
        case Kind::Flag:
            this->*field.number = contents.GetInt(kSettings, field.key, defaults.*field.number) & 1;
            break;
        case Kind::Integer:
            this->*field.number = contents.GetInt(kSettings, field.key, defaults.*field.number);
            break;
        case Kind::Text:
            this->*field.text = contents.GetString(kSettings, field.key, defaults.*field.text);
            break;
        }
    }
}

void ProgramSettings::SaveSettings(ProfileFile& profile) const
{
    std::vector<std::pair<std::string, std::string>> values;
    for (const Field* written : kFieldsInWriteOrder) {
        const Field& field = *written;
        switch (field.kind) {
        case Kind::Flag:
            values.emplace_back(field.key, std::to_string(this->*field.number & 1));
            break;
        case Kind::Integer:
            values.emplace_back(field.key, std::to_string(this->*field.number));
            break;
        case Kind::Text:
            values.emplace_back(field.key, (this->*field.text).substr(0, ProfileFile::kMaxText));
            break;
        }
    }
    profile.WriteValues(kSettings, values);
}
