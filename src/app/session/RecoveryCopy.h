#pragma once

#include <optional>
#include <string>
#include <string_view>

// The text of a document that could not be saved when the session ended (or the program
// stopped), kept in a file of its own until the next start offers it back.
namespace orvelt {

struct RecoveryCopy {
    std::string fileName; // the document's file, empty for an untitled one
    std::string caption;  // the window's caption
    std::string text;     // UTF-8, lines ended by LF

    bool operator==(const RecoveryCopy&) const = default;
};

[[nodiscard]] std::string FormatRecoveryCopy(const RecoveryCopy& copy);
// None when the bytes are not a recovery copy.
[[nodiscard]] std::optional<RecoveryCopy> ParseRecoveryCopy(std::string_view bytes);

} // namespace orvelt
