#pragma once

#include <string>

class CMainDoc;

// The byte list of one record as the Edit Entries "Byte list" button shows
// it: "Memory Record: %d" and one line per byte, bytes 30..33 named. The
// record's checksum is recomputed first. record is 0..29.
std::string FormatByteList(CMainDoc& doc, int record);
