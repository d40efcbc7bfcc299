#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orvelt {

// Something in a bibliography file that the reader had to skip or guess about. The message is
// one of the fixed texts below; the position is that of the byte where it was noticed.
struct BibDiagnostic {
    std::size_t Offset = 0;
    int Line = 1;   // 1-based
    int Column = 1; // 1-based, in bytes
    std::string_view Message;
    std::string Subject; // what the message is about, when it names something (a field's name)

    bool operator==(const BibDiagnostic&) const = default;
};

namespace bibmsg {
inline constexpr std::string_view UnterminatedValue = "value not closed before the end of the file";
inline constexpr std::string_view UnterminatedEntry = "entry not closed before the end of the file";
inline constexpr std::string_view ValueWithoutHash =
    "second value without \"#\" skipped up to the next field";
inline constexpr std::string_view StrayCharacter = "value expected; skipped up to the next field";
inline constexpr std::string_view FieldWithoutValue = "field without a value ignored";
inline constexpr std::string_view ValueWithoutName = "value without a field name ignored";
inline constexpr std::string_view RepeatedField =
    "field given again in the entry: BibTeX uses its first value";
inline constexpr std::string_view NamelessAbbreviation = "abbreviation without a name skipped";
inline constexpr std::string_view FieldInPreamble = "field in a preamble dropped";
inline constexpr std::string_view UnbalancedBraces = "unbalanced braces: value kept as written";
inline constexpr std::string_view TooManyDiagnostics = "further problems not listed";
} // namespace bibmsg

// Binary data can raise a problem every few bytes; past this many only one more line is added.
inline constexpr std::size_t MaxBibDiagnostics = 1000;

// Adds a diagnostic at `offset` (line and column are filled in when the read is done).
void AddBibDiagnostic(std::vector<BibDiagnostic>& diagnostics, std::size_t offset,
                      std::string_view message, std::string_view subject = {});

// Fills in the line and column of each diagnostic from its offset into `text`.
void LocateBibDiagnostics(std::vector<BibDiagnostic>& diagnostics, std::string_view text);

} // namespace orvelt
