#pragma once

#include <optional>
#include <string>

// How far a long transfer has come, read from its progress text: the
// memory being received in a download of all 30 records, the half-byte
// pair being sent in an upload. Nothing for the other texts.
struct TransferProgress {
    int value = 0;
    int maximum = 0;
    bool operator==(const TransferProgress&) const = default;
};

std::optional<TransferProgress> ProgressOf(const std::string& text);

// How far an upload of all 30 records has come, in half-byte pairs, with
// record (1..30) being sent and the progress text of its upload.
TransferProgress BatchProgress(int record, const std::string& text);
// "Record 2 of 30, about 1 min 05 s left": the time left at the pace of the
// elapsedMs the batch has taken so far; without the time before any of it
// is done.
std::string BatchText(int record, const TransferProgress& done, long long elapsedMs);
