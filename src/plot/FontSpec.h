#pragma once

#include "plot/LogFontRecord.h"

#include <QFont>
#include <QFontMetrics>

#include <cstdint>
#include <optional>
#include <string>

class FontChooser;
class QPainter;
class QString;

// A font described by a font-spec text: a face name, a comma (or an
// underscore) and a number, points x 1000 + (weight div 100) x 100 + italic
// + 2 x underline + 4 x strike-out; "Arial,16400" is Arial 16 pt, normal
// weight. Turns the text into a font record and a QFont and back; the page
// renderer builds every font of a page through it.
class FontSpec {
public:
    // The screen's logical resolution: the font heights of a spec are pixel
    // heights on the screen, whatever the page is rendered for.
    static constexpr int kLogPixelsY = 96;
    static constexpr const char* kDefaultFace = "Fixedsys";

    FontSpec() = default;

    // Builds the record from spec (an empty spec is the face Fixedsys with
    // every other field 0), creates the font, regenerates the spec.
    int FromSpec(const std::string& spec);
    // Takes the record as it is, creates the font, regenerates the spec.
    int FromLogFont(const LogFontRecord& logFont);
    // A copy of the record, to change and give back to FromLogFont; -1 when
    // there is no font.
    int LogFont(LogFontRecord& out) const;
    // The face name; -1 and an empty name when there is no font.
    int FaceName(std::string& out) const;
    // The height in points, |lfHeight| x 72 / kLogPixelsY; -1 when there is no font.
    int PointSize() const;
    // Lets the user pick a font, starting from spec when it is not empty or
    // from the font held so far; 0 when a font was picked (the object then
    // holds it), -1 when the user cancelled.
    int Choose(const std::string& spec, FontChooser& chooser);
    // Drops the font; the spec becomes empty.
    void Free();

    bool HasFont() const { return m_font.has_value(); }
    // The spec regenerated from the font ("Arial,16400"); empty without a font.
    const std::string& Spec() const { return m_strSpec; }
    const QFont& Font() const { return *m_font; }

    // Pixel width and height of text in this font.
    int TextWidth(const std::string& text) const;
    int TextHeight() const;
    // Draws text with its reference point (the top-left corner of the text
    // cell) at (x, y), turned by the record's escapement.
    void DrawText(QPainter& painter, int x, int y, const std::string& text) const;

    // The record's font as Qt draws it: the Windows faces become the
    // installed faces with the same metrics ("Arial" is Liberation Sans,
    // "Fixedsys" a monospaced face).
    static QFont MakeFont(const LogFontRecord& logFont);
    // The record that describes a QFont (the font dialog's answer).
    static LogFontRecord RecordFromFont(const QFont& font);
    // The record that a spec text describes.
    static LogFontRecord RecordFromSpec(const std::string& spec);
    // The spec text of a record.
    static std::string SpecFromRecord(const LogFontRecord& logFont);
    // Page texts are 8-bit: UTF-8 when they are valid UTF-8, else Latin-1.
    static QString PageText(const std::string& text);

private:
    void CreateFont();

    std::optional<QFont> m_font;
    LogFontRecord m_logFont;
    std::string m_strSpec;
    std::optional<QFontMetrics> m_metrics;
};

// a x b / c rounded to the nearest integer, halves away from zero, as the
// platform's MulDiv computes it; -1 when c is 0 or the result does not fit.
std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c);
