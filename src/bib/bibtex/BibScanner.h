#pragma once

#include "bib/bibtex/BibDiagnostic.h"
#include "bib/bibtex/TToken.h"
#include "core/LineEnd.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvelt {

// Turns a bibliography file's bytes into tokens, reading every byte at most once (the text
// outside entries is looked at once more, to count it). Each call of `GetToken` consumes at least
// one byte until the end is reached.
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

    // `lineEnd`: what ends a comment line the file ended inside, when that entry is closed.
    BibScanner(std::string_view text, std::vector<BibDiagnostic>& diagnostics,
               LineEnd lineEnd = LineEnd::Lf)
        : text_(text), diagnostics_(diagnostics), eol_(LineEndText(lineEnd)) {}

    [[nodiscard]] TToken GetToken();

    // The text from the current byte up to the first byte of `stops` met at nesting depth 0 or
    // less; that byte is not consumed. Runs to the end of the file when there is none.
    [[nodiscard]] std::string_view ReadUntil(const StopSet& stops, Depth depth);

    // What closes the delimited value the file ended inside (the braces left open in it, then its
    // closing delimiter); empty until then.
    [[nodiscard]] std::string_view OpenValueClosing() const { return valueClosing_; }

    // Where the entry read last ends: just after its closing delimiter, or at the end of the file.
    [[nodiscard]] std::size_t EntryEnd() const { return entryEnd_; }
    // What the entry read last lacks when the file ended inside it, so that its text reads back
    // as the same entry ending at the same place: the brackets left open in its last name or
    // value, that value's delimiter or the line end of a comment, then the entry's delimiter.
    // Empty when the entry was closed.
    [[nodiscard]] std::string_view EntryClosing() const { return entryClosing_; }

    // Bytes other than white space that no entry holds: text before, between and after entries,
    // @COMMENT entries, stray "@"s. BibTeX reads none of it.
    [[nodiscard]] std::size_t FreeTextBytes() const { return freeTextBytes_; }
    // Bytes other than white space in "%" comments where a field name was due, so far.
    [[nodiscard]] std::size_t CommentBytes() const { return commentBytes_; }

    [[nodiscard]] State CurrentState() const { return state_; }
    void SetState(State state);
    [[nodiscard]] std::size_t Position() const { return pos_; }

private:
    [[nodiscard]] bool AtEnd() const { return pos_ >= text_.size(); }
    [[nodiscard]] unsigned char Current() const { return static_cast<unsigned char>(text_[pos_]); }
    void SkipWhiteSpace();
    [[nodiscard]] bool SeekEntry(TToken& token);
    // An empty name token at the current position.
    [[nodiscard]] TToken NameToken() const;
    // Takes an entry's closer (ending the entry) or a comma; false when neither stands here.
    bool TakeSeparator();
    [[nodiscard]] TToken ExpectKey();
    [[nodiscard]] TToken ExpectName();
    [[nodiscard]] TToken ExpectValue();
    [[nodiscard]] TToken DelimitedValue(char closing, Depth depth);
    void Report(std::size_t offset, std::string_view message);
    void CloseEntry();
    [[nodiscard]] TToken EndInsideEntry();
    void LeaveOpen(std::ptrdiff_t level);
    [[nodiscard]] std::size_t TextBytes(std::size_t from, std::size_t to) const;

    std::string_view text_;
    std::vector<BibDiagnostic>& diagnostics_;
    std::size_t pos_ = 0;
    std::ptrdiff_t lastLevel_ = 0; // the nesting depth where the last `ReadUntil` stopped
    std::string valueClosing_;
    std::string_view eol_;
    std::string pending_; // closes the name or value the file ended inside
    std::size_t entryEnd_ = 0;
    std::size_t freeStart_ = 0; // where the text after the last entry starts
    std::size_t freeTextBytes_ = 0;
    std::size_t commentBytes_ = 0;
    std::string entryClosing_;
    State state_ = State::SeekEntry;
    char entryCloser_ = '}'; // the delimiter that closes the entry being read
    // Within a field's value: a piece has been read and only "#", "," or the entry's end may
    // follow.
    bool afterPiece_ = false;
};

} // namespace orvelt
