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
