#pragma once

#include <string>

class CMainDoc;
struct MemoryRecord;

// Record layouts of the clipboard text (the setting Clipfmat).
namespace ClipFormat {
constexpr int kPrn = 30;     // "PRN ": the 30 band codes
constexpr int kPrx = 31;     // "PRX": band codes, wideband, reference, mode
constexpr int kDbInt = 32;   // "dB+3int": band levels in dBr, then as PRX
constexpr int kDbText = 33;  // "dB+3text": band levels, then the record's texts and comment
}  // namespace ClipFormat

// The record separator code that stands for the pair CR LF (Cliprecsep).
constexpr int kClipSeparatorCrLf = 14;

// Kinds of text file.
namespace TextFileKind {
constexpr int kPrn = 1;  // band codes only
constexpr int kPrx = 2;  // band codes, wideband, reference level and mode
}  // namespace TextFileKind

// Appends the clipboard text of record (0..29) in the layout of the setting
// Clipfmat, with the field separator Clipfiesep between the fields and the
// record separator Cliprecsep after the record.
void AppendRecordText(std::string& text, const CMainDoc& doc, int record);

// Appends the line of a PRN or PRX file for one record, CR LF included.
void AppendTextFileLine(std::string& text, const MemoryRecord& record, int kind);
