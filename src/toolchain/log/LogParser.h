#pragma once

#include <cstddef>
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

// An entry keeps the first this many bytes of its text and of its digits: a TeX loop writes a
// wrapped message of gigabytes, and the wrap joins it into one line; only its start is shown.
inline constexpr std::size_t kLogEntryBytes = 65536;

// Finds the errors and warnings of a TeX log read in blocks of any size; the findings do not
// depend on where the blocks end. Lines end at LF, CR LF or CR. An error is listed with the
// digits of its "l." line (one without it is dropped); a warning ("Warning", "Overfull",
// "Underfull") with the digits after the first "line" that does not follow a letter, a digit or
// a byte above 127, and a warning line TeX wrapped at 79 bytes is read joined to its
// continuation. Any bytes give a result.
class LogParser {
public:
    void Feed(std::string_view block);
    // The end of the log (also a log cut off while TeX still writes it); the parser is then
    // ready for another log.
    [[nodiscard]] LogFindings Finish();

private:
    // A line that may be a warning, or a wrapped one with its continuations, read piece by
    // piece wherever the blocks cut it; only its first kLogEntryBytes bytes are kept.
    class WarningScan {
    public:
        void Reset();
        void Feed(std::string_view piece);
        [[nodiscard]] bool Listed() const;
        [[nodiscard]] LogEntry Entry() const { return {text_, digits_}; }

    private:
        [[nodiscard]] std::size_t ReadAcrossPieces(std::string_view piece);

        enum class Phase { SeekLine, SeekDigit, Digits, Done };
        std::string text_;
        std::string digits_;
        // The last bytes fed, for a word that two pieces share; all of them while fewer.
        std::string carry_;
        bool keyword_ = false;
        Phase phase_ = Phase::SeekLine;
    };

    // Reading: a line as the loop reads it normally. Searching: the lines after an error's
    // "!" line, up to its "l." line. Joining: after a 79-byte line that the next may continue.
    enum class State { Reading, Searching, Joining };
    // What the line being read is, known from its first bytes (Undecided while it is empty).
    enum class Role { Undecided, Error, MaybeLocation, Location, Skipped, Warning };

    void Piece(std::string_view piece);
    void BeginLine(char first);
    void EndLine();
    void EndWarning();
    void ReadLocationDigits(std::string_view piece);

    State state_ = State::Reading;
    Role role_ = Role::Undecided;
    std::size_t lineLength_ = 0;
    bool afterCr_ = false;  // a block ended with CR: an LF starting the next is the same line end
    std::string errorText_; // the "!" line whose "l." line is sought
    std::string locationDigits_;
    bool locationDigitsEnded_ = false;
    WarningScan warning_;
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
