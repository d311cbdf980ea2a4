#pragma once

struct LogFontRecord;

// The font common dialog as FontSpec::Choose needs it; the desktop program
// implements it with its font dialog, tests with a script.
class FontChooser {
public:
    virtual ~FontChooser() = default;
    // Shows the dialog, starting from logFont when startFromLogFont is true.
    // True when the user picked a font: logFont then describes it.
    virtual bool ChooseFont(LogFontRecord& logFont, bool startFromLogFont) = 0;
};
