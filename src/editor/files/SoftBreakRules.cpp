#include "editor/files/SoftBreakRules.h"

namespace orvelt {
namespace {

constexpr bool IsLetter(char32_t c) {
    return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z');
}

// Environments whose body TeX (or a package) reads line by line as it stands; each also with a
// star.
constexpr std::string_view kVerbatimEnvironments[] = {"verbatim", "Verbatim", "lstlisting",
                                                      "minted",   "comment",  "filecontents"};

constexpr std::string_view kEndPrefix = "\\end{";

} // namespace

void SoftBreakState::Feed(char32_t unit) {
    if (unit == U'\n' || unit == U'\r') {
        EndLine();
        return;
    }
    escaped_ = backslashes_ % 2 == 1;
    backslashes_ = unit == U'\\' ? backslashes_ + 1 : 0;
    const bool wasGlued = glued_;
    // TeX turns "^^" and what follows into another character before it looks at its category,
    // wherever "^" has its usual one.
    const bool readsCarets = mode_ == Mode::Text || mode_ == Mode::Escape || mode_ == Mode::Name ||
                             mode_ == Mode::Argument || mode_ == Mode::EnvName;
    if (unit == U'^' && last_ == U'^' && readsCarets) {
        mode_ = Mode::Opaque;
    } else {
        Step(unit);
    }
    // With "@" a letter (packages) or a non-ASCII letter (Unicode engines) the name goes on.
    glued_ = mode_ == Mode::Name || (wasGlued && (IsLetter(unit) || unit == U'@' || unit >= 0x80));
    last_ = unit;
}

void SoftBreakState::Step(char32_t unit) {
    switch (mode_) {
    case Mode::Text:
        if (unit == U'\\') {
            mode_ = Mode::Escape;
        } else if (unit == U'%') {
            mode_ = Mode::Comment;
            resume_ = Mode::Text;
        }
        break;
    case Mode::Escape:
        if (IsLetter(unit)) {
            mode_ = Mode::Name;
            nameLength_ = 0;
            AppendName(unit);
        } else {
            mode_ = Mode::Text;
        }
        break;
    case Mode::Name:
        if (IsLetter(unit)) {
            AppendName(unit);
        } else {
            EndName();
            Step(unit);
        }
        break;
    case Mode::Comment:
    case Mode::Opaque:
        break;
    case Mode::VerbStar:
        if (unit == U'*' && !star_) {
            star_ = true;
        } else {
            // A delimiter beyond ASCII is several units in some encodings: to the line's end.
            mode_ = Mode::Verb;
            delimiter_ = unit < 0x80 ? unit : 0;
        }
        break;
    case Mode::Verb:
    case Mode::Delimited:
        if (delimiter_ != 0 && unit == delimiter_) {
            mode_ = Mode::Text;
        }
        break;
    case Mode::Argument:
        if (unit == U' ' || unit == U'\t') {
            break;
        }
        if (unit == U'{') {
            if (command_ == Command::Begin) {
                mode_ = Mode::EnvName;
                nameLength_ = 0;
            } else {
                mode_ = Mode::Braced;
                depth_ = 1;
            }
        } else if (command_ == Command::Begin) {
            // \begin reads its argument as usual: a comment may come first.
            if (unit == U'%') {
                mode_ = Mode::Comment;
                resume_ = Mode::Argument;
            } else {
                mode_ = Mode::Text;
                Step(unit);
            }
        } else if (command_ == Command::Href) {
            mode_ = Mode::Opaque;
        } else {
            mode_ = Mode::Delimited;
            delimiter_ = unit < 0x80 ? unit : 0;
        }
        break;
    case Mode::Braced:
        // An escaped brace is taken as no brace: staying inside longer only forgoes breaks.
        if (unit == U'{' && !escaped_) {
            ++depth_;
        } else if (unit == U'}' && !escaped_ && --depth_ == 0) {
            mode_ = Mode::Text;
        }
        break;
    case Mode::EnvName:
        if (unit == U'}') {
            EndEnvName();
        } else if (unit == U'%') {
            mode_ = Mode::Comment;
            resume_ = Mode::EnvName;
        } else {
            AppendName(unit);
        }
        break;
    case Mode::Verbatim:
        if (EndsVerbatim(unit)) {
            mode_ = Mode::Text;
        }
        break;
    }
}

void SoftBreakState::EndLine() {
    switch (mode_) {
    case Mode::Comment:
        mode_ = resume_;
        resume_ = Mode::Text;
        break;
    case Mode::Name:
        EndName();
        if (mode_ != Mode::Argument) {
            mode_ = Mode::Text; // \verb ends at the line's end (LaTeX stops with an error)
        }
        break;
    case Mode::Escape:
    case Mode::VerbStar:
    case Mode::Verb:
    case Mode::Opaque:
        mode_ = Mode::Text;
        break;
    case Mode::EnvName:
        AppendName(U' '); // the line end is a space inside the braces
        break;
    case Mode::Verbatim:
        matched_ = 0;
        break;
    case Mode::Text:
    case Mode::Argument:
    case Mode::Braced:
    case Mode::Delimited:
        break;
    }
    backslashes_ = 0;
    glued_ = false;
    last_ = 0;
}

SoftBreak SoftBreakState::BreakHere(std::optional<char32_t> next) const {
    // Never "\%%@", not even inside a comment; nor between the halves of a surrogate pair.
    if (backslashes_ % 2 == 1 || (next && *next >= 0xDC00 && *next <= 0xDFFF)) {
        return SoftBreak::None;
    }
    if (mode_ == Mode::Comment) {
        return SoftBreak::Comment;
    }
    // A comment would end a control word's name here, and "^" may start a "^^".
    if (mode_ != Mode::Text || glued_ || last_ == U'^') {
        return SoftBreak::None;
    }
    // The next line starts fresh: blanks there are skipped, an empty one is a paragraph.
    if (!next || *next <= 0x20 || *next == 0x7F || *next == U'^') {
        return SoftBreak::None;
    }
    return SoftBreak::Plain;
}

void SoftBreakState::AppendName(char32_t unit) {
    if (nameLength_ < kNameCapacity && unit < 0x80) {
        name_[nameLength_++] = static_cast<char>(unit);
    } else {
        nameLength_ = kNameCapacity + 1; // matches nothing
    }
}

bool SoftBreakState::NameIs(std::string_view name) const {
    return nameLength_ == name.size() && std::string_view(name_.data(), nameLength_) == name;
}

void SoftBreakState::EndName() {
    command_ = NameIs("verb")                    ? Command::Verb
               : NameIs("url") || NameIs("path") ? Command::Url
               : NameIs("href")                  ? Command::Href
               : NameIs("begin")                 ? Command::Begin
                                                 : Command::Other;
    switch (command_) {
    case Command::Verb:
        mode_ = Mode::VerbStar;
        star_ = false;
        break;
    case Command::Url:
    case Command::Href:
    case Command::Begin:
        mode_ = Mode::Argument;
        break;
    case Command::Other:
        mode_ = Mode::Text;
        break;
    }
}

void SoftBreakState::EndEnvName() {
    mode_ = Mode::Text;
    if (nameLength_ > kNameCapacity) {
        return;
    }
    std::string_view name(name_.data(), nameLength_);
    if (!name.empty() && name.back() == '*') {
        name.remove_suffix(1);
    }
    for (const std::string_view environment : kVerbatimEnvironments) {
        if (name == environment) {
            mode_ = Mode::Verbatim;
            matched_ = 0;
            return;
        }
    }
}

bool SoftBreakState::EndsVerbatim(char32_t unit) {
    // The end is "\end{" + name + "}", the name (star included) as \begin had it.
    const std::size_t total = kEndPrefix.size() + nameLength_ + 1;
    const auto expected = [&](std::size_t k) -> char32_t {
        if (k < kEndPrefix.size()) {
            return static_cast<unsigned char>(kEndPrefix[k]);
        }
        k -= kEndPrefix.size();
        return k < nameLength_ ? static_cast<unsigned char>(name_[k]) : U'}';
    };
    if (unit == expected(matched_)) {
        return ++matched_ == total;
    }
    matched_ = unit == U'\\' ? 1 : 0;
    return false;
}

} // namespace orvelt
