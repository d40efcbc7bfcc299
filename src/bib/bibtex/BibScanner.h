#pragma once

#include "bib/bibtex/BibDiagnostic.h"
#include "bib/bibtex/TToken.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvelt {

// Turns a bibliography file's bytes into tokens, reading every byte at most once. Each call of
// `GetToken` consumes at least one byte until the end is reached.
class BibScanner {
public:
    enum class State : std::uint8_t {
        ExpectName = 0,
        ExpectValue = 1,
        SeekEntry = 2,
        ExpectKey = 3
    };

    // Which brackets count toward the nesting depth of `ReadUntil`.
    enum class Depth : std::uint8_t {
        BracesAndParentheses, // at the entry level and inside a value opened by "("
        BracesOnly,           // inside a value delimited by braces or double quotes, as BibTeX
        None,                 // an entry's key, which BibTeX reads without counting brackets
    };

    using StopSet = std::array<bool, 256>;

    BibScanner(std::string_view text, std::vector<BibDiagnostic>& diagnostics)
        : text_(text), diagnostics_(diagnostics) {}

    [[nodiscard]] TToken GetToken();

    // The text from the current byte up to the first byte of `stops` met at nesting depth 0 or
    // less; that byte is not consumed. Runs to the end of the file when there is none.
    [[nodiscard]] std::string_view ReadUntil(const StopSet& stops, Depth depth);

    // What closes the delimited value the file ended inside (the braces left open in it, then its
    // closing delimiter); empty until then.
    [[nodiscard]] std::string_view OpenValueClosing() const { return valueClosing_; }

    [[nodiscard]] State CurrentState() const { return state_; }
    void SetState(State state);
    [[nodiscard]] std::size_t Position() const { return pos_; }

private:
    [[nodiscard]] bool AtEnd() const { return pos_ >= text_.size(); }
    [[nodiscard]] unsigned char Current() const { return static_cast<unsigned char>(text_[pos_]); }
    void SkipWhiteSpace();
    [[nodiscard]] bool SeekEntry(TToken& token);
    [[nodiscard]] TToken ExpectKey();
    [[nodiscard]] TToken ExpectName();
    [[nodiscard]] TToken ExpectValue();
    [[nodiscard]] TToken DelimitedValue(char closing, Depth depth);
    void Report(std::size_t offset, std::string_view message);

    std::string_view text_;
    std::vector<BibDiagnostic>& diagnostics_;
    std::size_t pos_ = 0;
    std::ptrdiff_t lastLevel_ = 0; // the nesting depth where the last `ReadUntil` stopped
    std::string valueClosing_;
    State state_ = State::SeekEntry;
    char entryCloser_ = '}'; // the delimiter that closes the entry being read
    // Within a field's value: a piece has been read and only "#", "," or the entry's end may
    // follow.
    bool afterPiece_ = false;
};

} // namespace orvelt
