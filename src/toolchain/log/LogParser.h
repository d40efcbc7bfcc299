#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvelt {

// An error ("!" line) or warning of a TeX log, as the log's bytes, with the digits of its line
// number (possibly none).
struct LogEntry {
    std::string text;
    std::string digits;
    bool operator==(const LogEntry&) const = default;
};

struct LogFindings {
    std::vector<LogEntry> errors;
    std::vector<LogEntry> warnings;
};

// Finds the errors and warnings of a TeX log read in blocks of any size; the findings do not
// depend on where the blocks end. Lines end at LF, CR LF or CR. An error is listed with the
// digits of its "l." line (one without it is dropped); a warning ("Warning", "Overfull",
// "Underfull") with the digits after the first "line" that does not follow a letter, a digit or
// a byte above 127, and a warning line TeX wrapped at 79 bytes is read joined to its
// continuation. Any bytes give a result.
class LogParser {
public:
    void Feed(std::string_view block);
    // The end of the log (also a log cut off while TeX still writes it).
    [[nodiscard]] LogFindings Finish();

private:
    // (The parser's state between blocks; its shape is the implementation's.)
    std::string pending_;
    LogFindings findings_;
};

[[nodiscard]] LogFindings ParseLog(std::string_view log);

// The integer written from the first to the last digit of a text.
struct LineNumber {
    enum class Kind { NoDigit, NotANumber, Number } kind = Kind::NoDigit;
    int value = 0; // a number too large for an int is the largest int
};
[[nodiscard]] LineNumber ExtractLineNumber(std::string_view text);

// The log of a source: the source's name without its extension (only a full stop in the name
// part starts one) and ".log", or ".blg" for a bibliography's BibTeX run, lower case as TeX
// writes them. An empty source name gives ".log" or ".blg" alone: no file to read.
[[nodiscard]] std::string LogFileName(std::string_view sourceName, bool bibliography);

// TeX wraps log lines at 79 bytes, also inside a UTF-8 character. Moves each line break that
// splits a character to after it, so a log that is UTF-8 but for its wraps reads as UTF-8.
[[nodiscard]] std::string MendWrappedCharacters(std::string_view log);

} // namespace orvelt
