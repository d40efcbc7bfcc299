#include "bib/bibtex/BibScanner.h"

#include "core/AsciiCase.h"

#include <algorithm>
#include <cstring>
#include <tuple>

namespace orvelt {
namespace {

constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";
// Characters BibTeX does not allow in a name or an abbreviation; "@" is added so that a type
// word never runs into the next entry.
constexpr std::string_view kNotInWord = "\"#%'(),={}@";

constexpr BibScanner::StopSet MakeStops(std::string_view a, std::string_view b = {}) {
    BibScanner::StopSet stops{};
    for (char c : a) {
        stops[static_cast<unsigned char>(c)] = true;
    }
    for (char c : b) {
        stops[static_cast<unsigned char>(c)] = true;
    }
    return stops;
}

constexpr BibScanner::StopSet kWhiteSpaceSet = MakeStops(kWhiteSpace);
constexpr BibScanner::StopSet kWordStops = MakeStops(kWhiteSpace, kNotInWord);
// Only white space ends a name before "=": a tab is not part of it, and "_" or "%" are.
constexpr BibScanner::StopSet kNameStops = MakeStops(kWhiteSpace, "),=}");
constexpr BibScanner::StopSet kBareStops = MakeStops(kWhiteSpace, "\"#%'(),={}");
// BibTeX ends a key at white space, a comma or the delimiter that closes its entry.
constexpr BibScanner::StopSet kKeyStopsInBraces = MakeStops(kWhiteSpace, ",}");
constexpr BibScanner::StopSet kKeyStopsInParentheses = MakeStops(kWhiteSpace, ",)");
constexpr BibScanner::StopSet kFieldEnd = MakeStops(",)}");
constexpr BibScanner::StopSet kClosingBrace = MakeStops("}");
constexpr BibScanner::StopSet kClosingQuote = MakeStops("\"");
constexpr BibScanner::StopSet kClosingParenthesis = MakeStops(")");

constexpr std::string_view kOperatorText = " # ";

} // namespace

void BibScanner::SetState(State state) {
    state_ = state;
    afterPiece_ = false;
}

std::string_view BibScanner::ReadUntil(const StopSet& stops, Depth depth) {
    const std::size_t start = pos_;
    std::ptrdiff_t level = 0;
    const bool parentheses = depth == Depth::BracesAndParentheses;
    const bool braces = depth != Depth::None;
    for (; pos_ < text_.size(); ++pos_) {
        const unsigned char c = Current();
        if (stops[c] && level <= 0) {
            break;
        }
        if ((braces && c == '{') || (parentheses && c == '(')) {
            ++level;
        } else if ((braces && c == '}') || (parentheses && c == ')')) {
            --level;
        }
    }
    lastLevel_ = level;
    return text_.substr(start, pos_ - start);
}

void BibScanner::SkipWhiteSpace() {
    while (!AtEnd() && kWhiteSpaceSet[Current()]) {
        ++pos_;
    }
}

void BibScanner::Report(std::size_t offset, std::string_view message) {
    AddBibDiagnostic(diagnostics_, offset, message);
}

std::size_t BibScanner::TextBytes(std::size_t from, std::size_t to) const {
    std::size_t count = 0;
    for (std::size_t i = from; i < to; ++i) {
        count += kWhiteSpaceSet[static_cast<unsigned char>(text_[i])] ? 0 : 1;
    }
    return count;
}

void BibScanner::CloseEntry() {
    ++pos_;
    SetState(State::SeekEntry);
    entryEnd_ = pos_;
    freeStart_ = pos_;
    entryClosing_.clear();
}

TToken BibScanner::EndInsideEntry() {
    Report(pos_, bibmsg::UnterminatedEntry);
    entryEnd_ = text_.size();
    entryClosing_ = pending_;
    entryClosing_.push_back(entryCloser_);
    TToken token;
    token.Offset = pos_;
    return token;
}

// At the end of the file, inside a name or a skipped stretch with `level` brackets open.
void BibScanner::LeaveOpen(std::ptrdiff_t level) {
    if (AtEnd()) {
        pending_.assign(static_cast<std::size_t>(std::max<std::ptrdiff_t>(level, 0)), '}');
    }
}

TToken BibScanner::GetToken() {
    TToken token;
    switch (state_) {
    case State::SeekEntry:
        if (SeekEntry(token)) {
            return token;
        }
        token.Offset = text_.size();
        return token;
    case State::ExpectKey:
        return ExpectKey();
    case State::ExpectName:
        return ExpectName();
    case State::ExpectValue:
        return ExpectValue();
    }
    return token;
}

// An "@" starts an entry only as BibTeX reads one: "@", optional white space, a type word,
// optional white space, then "{" or "(". Any other "@" (an e-mail address, a remark between
// entries) is passed over, so it never swallows the header of the entry that follows.
bool BibScanner::SeekEntry(TToken& token) {
    while (!AtEnd()) {
        const void* at = std::memchr(text_.data() + pos_, '@', text_.size() - pos_);
        if (at == nullptr) {
            pos_ = text_.size();
            freeTextBytes_ += TextBytes(freeStart_, pos_);
            freeStart_ = pos_;
            return false;
        }
        const std::size_t atPos =
            static_cast<std::size_t>(static_cast<const char*>(at) - text_.data());
        pos_ = atPos + 1;
        SkipWhiteSpace();
        const std::string_view word = ReadUntil(kWordStops, Depth::BracesOnly);
        SkipWhiteSpace();
        if (word.empty() || AtEnd() || (Current() != '{' && Current() != '(')) {
            continue;
        }
        entryCloser_ = Current() == '{' ? '}' : ')';
        pending_.clear();
        ++pos_;
        token.Kind = BibTokenKind::Type;
        token.Text = word;
        token.Content = word;
        token.Offset = atPos;
        if (EqualsIgnoringCase(word, "COMMENT")) {
            // BibTeX reads nothing of it: an entry may start inside, and it is free text.
            SetState(State::SeekEntry);
            return true;
        }
        freeTextBytes_ += TextBytes(freeStart_, atPos);
        if (EqualsIgnoringCase(word, "PREAMBLE")) {
            SetState(State::ExpectValue); // a preamble has no names: its text is a value
        } else if (EqualsIgnoringCase(word, "STRING")) {
            SetState(State::ExpectName);
        } else {
            SetState(State::ExpectKey);
        }
        return true;
    }
    return false;
}

// The key is read as BibTeX reads it, so "=", quotes and brackets may be part of it
// (`@MISC{a=b,`). An entry without a key that starts with a field (`@MISC{title = {T}}`) is read
// as that field: BibTeX takes the name for the key there and fails at "=", losing the value the
// author meant.
TToken BibScanner::NameToken() const {
    TToken token;
    token.Offset = pos_;
    token.Kind = BibTokenKind::Name;
    return token;
}

bool BibScanner::TakeSeparator() {
    const unsigned char c = Current();
    if (c == ')' || c == '}') {
        CloseEntry();
        return true;
    }
    if (c == ',') {
        ++pos_;
        return true;
    }
    return false;
}

TToken BibScanner::ExpectKey() {
    SkipWhiteSpace();
    if (AtEnd()) {
        return EndInsideEntry();
    }
    TToken token = NameToken();
    if (TakeSeparator()) {
        if (state_ == State::ExpectKey) // a comma: a name follows (a closer ended the entry)
            SetState(State::ExpectName);
        return token;
    }
    token.Text =
        ReadUntil(entryCloser_ == '}' ? kKeyStopsInBraces : kKeyStopsInParentheses, Depth::None);
    token.Content = token.Text;
    token.Key = true;
    const std::size_t afterKey = pos_;
    SkipWhiteSpace();
    // Only a word that reads as the same name where a name is due is taken for one: brackets
    // would make it longer there, and a "%" would start a comment.
    const bool field = pos_ > afterKey && !AtEnd() && Current() == '=' &&
                       token.Text.front() != '%' &&
                       token.Text.find_first_of("{}()=") == std::string_view::npos;
    SetState(field ? State::ExpectValue : State::ExpectName);
    return token;
}

TToken BibScanner::ExpectName() {
    SkipWhiteSpace();
    // Where a field name is due, "%" starts a comment up to the end of its line, as files made for
    // other tools use it. BibTeX rejects such a line, but reading it as a name or a value lost the
    // field after it.
    while (!AtEnd() && Current() == '%') {
        const std::size_t start = pos_;
        // A lone CR ends the line too, as it does for TeX and as the writer writes it.
        const std::size_t lineEnd = text_.find_first_of("\r\n", pos_);
        if (lineEnd == std::string_view::npos) {
            pos_ = text_.size();
            pending_ = eol_;
        } else {
            const bool crLf =
                text_[lineEnd] == '\r' && lineEnd + 1 < text_.size() && text_[lineEnd + 1] == '\n';
            pos_ = lineEnd + (crLf ? 2 : 1);
        }
        commentBytes_ += TextBytes(start, pos_);
        SkipWhiteSpace();
    }
    if (AtEnd()) {
        return EndInsideEntry();
    }
    TToken token = NameToken();
    if (TakeSeparator())
        return token;
    if (Current() == '=') {
        // A value without its name: read it as a value so that it is skipped whole.
        ++pos_;
        SetState(State::ExpectValue);
        return token;
    }
    token.Text = ReadUntil(kNameStops, Depth::BracesAndParentheses);
    token.Content = token.Text;
    LeaveOpen(lastLevel_);
    SetState(State::ExpectValue);
    return token;
}

TToken BibScanner::ExpectValue() {
    for (;;) {
        SkipWhiteSpace();
        if (!afterPiece_) {
            while (!AtEnd() && (Current() == '=' || kWhiteSpaceSet[Current()])) {
                ++pos_;
            }
        }
        if (AtEnd()) {
            return EndInsideEntry();
        }
        TToken token;
        token.Offset = pos_;
        const unsigned char c = Current();
        if (c == '#') {
            ++pos_;
            afterPiece_ = false;
            token.Kind = BibTokenKind::Value;
            token.Text = kOperatorText;
            token.Content = kOperatorText;
            token.Operator = true;
            return token;
        }
        if (c == ',') {
            ++pos_;
            token.Kind = BibTokenKind::Name;
            SetState(State::ExpectName);
            return token;
        }
        if (c == ')' || c == '}') {
            token.Kind = BibTokenKind::Name;
            CloseEntry();
            return token;
        }
        if (afterPiece_ || c == '%' || c == '\'') {
            // Two values side by side (as after a stray "%": `12 % {13}`) or a character that
            // cannot start one: gluing them would write back text BibTeX cannot read.
            Report(pos_, afterPiece_ ? bibmsg::ValueWithoutHash : bibmsg::StrayCharacter);
            std::ignore = ReadUntil(kFieldEnd, Depth::BracesAndParentheses);
            LeaveOpen(lastLevel_);
            continue;
        }
        afterPiece_ = true;
        switch (c) {
        case '{':
            return DelimitedValue('}', Depth::BracesOnly);
        case '"':
            return DelimitedValue('"', Depth::BracesOnly);
        case '(':
            return DelimitedValue(')', Depth::BracesAndParentheses);
        default:
            break;
        }
        token.Kind = BibTokenKind::Value;
        token.Text = ReadUntil(kBareStops, Depth::BracesAndParentheses);
        token.Content = token.Text;
        return token;
    }
}

TToken BibScanner::DelimitedValue(char closing, Depth depth) {
    TToken token;
    token.Kind = BibTokenKind::Value;
    token.Delimited = true;
    token.Offset = pos_;
    ++pos_;
    const StopSet& stops = closing == '}'   ? kClosingBrace
                           : closing == '"' ? kClosingQuote
                                            : kClosingParenthesis;
    token.Content = ReadUntil(stops, depth);
    if (AtEnd()) {
        Report(token.Offset, bibmsg::UnterminatedValue);
        token.Open = true;
        valueClosing_.assign(static_cast<std::size_t>(std::max<std::ptrdiff_t>(lastLevel_, 0)),
                             '}');
        valueClosing_.push_back(closing);
        pending_ = valueClosing_;
    } else {
        ++pos_;
    }
    token.Text = text_.substr(token.Offset, pos_ - token.Offset);
    return token;
}

} // namespace orvelt
