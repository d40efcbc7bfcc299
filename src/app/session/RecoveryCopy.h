#pragma once

#include "core/CodePage.h"
#include "core/LineEnd.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The text of a document that is not saved, kept in a file of its own so that a crash, a kill or
// a log-off loses nothing: the next start offers it back.
namespace orvelt {

struct RecoveryCopy {
    std::string fileName; // the document's file, empty for an untitled one
    std::string caption;  // the window's caption
    std::string text;     // UTF-8, lines ended by LF
    // What the file is written in when the user saves the recovered text.
    TextEncoding encoding = TextEncoding::Utf8;
    LineEnd lineEnd = LineEnd::Lf;
    std::int64_t writtenAt = 0; // seconds since 1970, UTC

    bool operator==(const RecoveryCopy&) const = default;
};

[[nodiscard]] std::string FormatRecoveryCopy(const RecoveryCopy& copy);

struct RecoveryRead {
    enum class Outcome {
        NotACopy, // another file
        Damaged,  // a copy that is not whole (cut short, changed): never opened as if it were
        Whole,
    };
    Outcome outcome = Outcome::NotACopy;
    // Whole: all of it. Damaged: the names, when its head could still be read.
    RecoveryCopy copy;
};

[[nodiscard]] RecoveryRead ReadRecoveryCopy(std::string_view bytes);

} // namespace orvelt
