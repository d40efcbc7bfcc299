#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

// Where the saved-breaks word wrap may write a soft break, decided by one rule for the writer
// and for the reader: a break is "%%@" and a line end, so it may stand only where a comment
// changes nothing that TeX reads.
namespace orvelt {

enum class SoftBreak : std::uint8_t {
    None,    // it would change what TeX reads: the pieces stay one line in the file
    Plain,   // "%%@" and the line end; the marker is a comment of its own
    Comment, // inside a comment begun earlier on the line: "%%@", the line end, then "%"
};

// Follows a source as TeX reads it, as far as a soft break cares. It is fed the text on screen
// (markers already gone) one code unit at a time, and carries what spans lines (a verbatim
// environment) across hard line ends. It never looks at a unit above 127 for syntax, so UTF-8
// bytes, Windows-1252 bytes and UTF-16 units all feed it alike.
//
// What it does not follow: catcodes changed by the document, and text TeX reads through "^^"
// notation; after a "^^" nothing on that line is broken.
class SoftBreakState {
public:
    // CR and LF end the line as a hard line end does.
    void Feed(char32_t unit);
    template <class CharT> void Feed(std::basic_string_view<CharT> text) {
        for (const CharT c : text) {
            if constexpr (sizeof(CharT) == 1) {
                Feed(static_cast<char32_t>(static_cast<unsigned char>(c)));
            } else {
                Feed(static_cast<char32_t>(c));
            }
        }
    }
    void EndLine();

    // What a soft break written here would be. `next` is the first unit of the rest of the line
    // (none when the line ends here): TeX skips blanks at the start of a line, so a break before
    // one, or before nothing, is no break.
    [[nodiscard]] SoftBreak BreakHere(std::optional<char32_t> next) const;

private:
    enum class Mode : std::uint8_t {
        Text,      // TeX reads tokens
        Escape,    // after a backslash that escapes the next unit
        Name,      // in the letters of a control word
        Comment,   // to the end of the line, then `resume_`
        VerbStar,  // after \verb: a star or the delimiter
        Verb,      // up to `delimiter_` (0: to the end of the line)
        Argument,  // after \url, \path, \href or \begin: blanks, then the argument
        Braced,    // inside the braced argument of \url, \path or \href
        Delimited, // inside \url|...| or \path|...|, up to `delimiter_`
        EnvName,   // inside the braces of \begin{...}
        Verbatim,  // inside a verbatim-like environment, up to its \end{name}
        Opaque,    // after "^^": not followed to the end of the line
    };
    enum class Command : std::uint8_t { Other, Verb, Url, Href, Begin };

    void Step(char32_t unit);
    void AppendName(char32_t unit);
    [[nodiscard]] bool NameIs(std::string_view name) const;
    void EndName();
    void EndEnvName();
    [[nodiscard]] bool EndsVerbatim(char32_t unit);

    static constexpr std::size_t kNameCapacity = 24;

    Mode mode_ = Mode::Text;
    Mode resume_ = Mode::Text; // where a comment ends
    Command command_ = Command::Other;
    bool star_ = false;    // \verb* seen
    bool escaped_ = false; // the unit being read follows an odd run of backslashes
    bool glued_ = false;   // the last unit continues a control word's name
    char32_t last_ = 0;    // the unit before this point on this line
    char32_t delimiter_ = 0;
    int depth_ = 0;
    std::size_t backslashes_ = 0; // the run of backslashes just before this point
    std::size_t nameLength_ = 0;  // of a command or environment; kNameCapacity + 1: too long
    std::size_t matched_ = 0;     // units of the verbatim end matched
    std::array<char, kNameCapacity> name_{};
};

} // namespace orvelt
