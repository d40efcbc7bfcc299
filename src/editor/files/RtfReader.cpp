#include "editor/files/RtfReader.h"

#include "core/CodePage.h"
#include "editor/files/AnsiCodePages.h"

#include <algorithm>
#include <limits>

namespace orvelt {
namespace {

constexpr std::size_t kMaxDepth = 256;

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

int ClampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

} // namespace

RtfReader::RtfReader(std::string_view in) : in_(in), upperHalf_(&CodePageUpperHalf(1252)) {}

RtfFlatReadResult RtfReader::Read() {
    std::size_t start = 0;
    while (start < in_.size() &&
           (in_[start] == ' ' || in_[start] == '\r' || in_[start] == '\n' || in_[start] == '\t')) {
        ++start;
    }
    if (in_.substr(start, 5) != "{\\rtf") {
        return Fail(start, "not an RTF file: it does not begin with {\\rtf");
    }
    pos_ = start;
    // Growing the run list by doubling moves every run several times. Each run of ours
    // begins with a control word and takes some bytes; the cap keeps a file of nothing but
    // backslashes from asking for more than it could fill. Untouched capacity costs no
    // memory.
    const auto words = static_cast<std::size_t>(std::count(in_.begin(), in_.end(), '\\'));
    runStarts_.reserve(std::min({words, in_.size() / 12, std::size_t{1} << 22}) + 1);
    result_.styled.text.reserve(in_.size() / 2);
    while (pos_ < in_.size()) {
        const char c = in_[pos_];
        if (c == '{') {
            if (stack_.size() >= kMaxDepth) {
                return Fail(pos_, "groups nested too deeply");
            }
            stack_.push_back(state_);
            fallbackLeft_ = 0;
            ++pos_;
        } else if (c == '}') {
            if (state_.destination == RtfDestination::FontTable) {
                CommitFont();
            }
            state_ = stack_.back();
            stack_.pop_back();
            fallbackLeft_ = 0;
            ++pos_;
            if (stack_.empty()) {
                result_.ok = true; // what follows the document's group is not RTF
                return Finish();
            }
        } else if (c == '\\') {
            ControlWord();
        } else if (c == '\r' || c == '\n') {
            ++pos_;
        } else {
            PlainText();
        }
    }
    return Fail(in_.size(), "unexpected end of the file: " + std::to_string(stack_.size()) +
                                " group(s) not closed");
}

RtfFlatReadResult RtfReader::Fail(std::size_t offset, std::string message) {
    result_.ok = false;
    result_.error = std::move(message);
    result_.errorOffset = offset;
    return Finish();
}

// The runs' lengths from where each begins; a run that got no text goes, and neighbours of one
// style become one.
RtfFlatReadResult RtfReader::Finish() {
    FlatStyledText& styled = result_.styled;
    const std::size_t count = styled.runs.size();
    std::size_t kept = 0;
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t end = k + 1 < count ? runStarts_[k + 1] : styled.text.size();
        const std::size_t length = end - runStarts_[k];
        if (length == 0)
            continue;
        if (kept > 0 && styled.runs[kept - 1].style == styled.runs[k].style) {
            styled.runs[kept - 1].length += length;
            continue;
        }
        styled.runs[kept++] = {length, styled.runs[k].style};
    }
    styled.runs.resize(kept);
    return std::move(result_);
}

void RtfReader::PlainText() {
    if (state_.destination == RtfDestination::Text && !state_.hidden && fallbackLeft_ == 0) {
        // The common case: a stretch of printable ASCII goes into the run in one piece.
        std::size_t end = pos_;
        while (end < in_.size()) {
            const char c = in_[end];
            if (c < 0x20 || c > 0x7E || c == '\\' || c == '{' || c == '}') {
                break;
            }
            ++end;
        }
        if (end > pos_) {
            std::u16string& text = CurrentRunText();
            text.append(in_.begin() + static_cast<std::ptrdiff_t>(pos_),
                        in_.begin() + static_cast<std::ptrdiff_t>(end));
            pos_ = end;
            return;
        }
    }
    const auto b = static_cast<unsigned char>(in_[pos_++]);
    if (b == '\t') {
        Emit(u'\t', false);
    } else if (b >= 0x20) {
        Emit(ByteToChar(b), true);
    }
    // Other control bytes are not text in RTF.
}

void RtfReader::ControlWord() {
    ++pos_; // the backslash
    if (pos_ >= in_.size()) {
        return;
    }
    const char c = in_[pos_];
    if (!IsLetter(c)) {
        ++pos_;
        ControlSymbol(c);
        return;
    }
    const std::size_t start = pos_;
    while (pos_ < in_.size() && IsLetter(in_[pos_])) {
        ++pos_;
    }
    const std::string_view name = in_.substr(start, pos_ - start);
    bool hasParameter = false;
    bool negative = false;
    std::int64_t parameter = 0;
    if (pos_ + 1 < in_.size() && in_[pos_] == '-' && IsDigit(in_[pos_ + 1])) {
        negative = true;
        ++pos_;
    }
    while (pos_ < in_.size() && IsDigit(in_[pos_])) {
        hasParameter = true;
        if (parameter < 100'000'000'000'000) {
            parameter = parameter * 10 + (in_[pos_] - '0');
        }
        ++pos_;
    }
    if (negative) {
        parameter = -parameter;
    }
    if (pos_ < in_.size() && in_[pos_] == ' ') {
        ++pos_; // the delimiter belongs to the word
    }
    Apply(LookUpRtfWord(name), hasParameter, parameter);
}

void RtfReader::ControlSymbol(char c) {
    if (c == '\'') {
        int value = 0;
        int digits = 0;
        while (digits < 2 && pos_ < in_.size() && HexValue(in_[pos_]) >= 0) {
            value = value * 16 + HexValue(in_[pos_]);
            ++pos_;
            ++digits;
        }
        if (digits > 0) {
            Emit(ByteToChar(static_cast<unsigned char>(value)), false);
        }
        return;
    }
    if (c == '*') {
        state_.destination = RtfDestination::Skip;
        return;
    }
    if (fallbackLeft_ > 0) {
        --fallbackLeft_;
        return;
    }
    switch (c) {
    case '\\':
    case '{':
    case '}':
        Emit(static_cast<char16_t>(c), false);
        break;
    case '~':
        Emit(u'\u00A0', false);
        break;
    case '_':
        Emit(u'\u2011', false);
        break;
    case '\r':
    case '\n':
        Emit(u'\n', false);
        break;
    default:
        break; // \- optional hyphen, \: index entries and the like carry no text
    }
}

void RtfReader::Apply(RtfWordMeaning meaning, bool hasParameter, std::int64_t parameter) {
    if (meaning.word == RtfWord::Binary) {
        // Binary data of the given length follows; it is never text.
        const auto length = static_cast<std::size_t>(std::max<std::int64_t>(parameter, 0));
        pos_ += std::min(length, in_.size() - pos_);
        return;
    }
    if (fallbackLeft_ > 0) {
        --fallbackLeft_; // a control word stands for one fallback character too
        return;
    }
    const bool on = !hasParameter || parameter != 0;
    switch (meaning.word) {
    case RtfWord::Unknown:
    case RtfWord::Binary:
        break;
    case RtfWord::SkippedDestination:
        state_.destination = RtfDestination::Skip;
        break;
    case RtfWord::FontTable:
        state_.destination = RtfDestination::FontTable;
        break;
    case RtfWord::ColorTable:
        state_.destination = RtfDestination::ColorTable;
        red_ = green_ = blue_ = 0;
        break;
    case RtfWord::Plain:
        state_.font = -1;
        state_.halfPoints = RtfGroupState::kDefaultHalfPoints;
        state_.color = 0;
        state_.styles = 0;
        state_.hidden = false;
        break;
    case RtfWord::Font:
        if (state_.destination == RtfDestination::FontTable) {
            CommitFont();
            fontNumber_ = ClampToInt(parameter);
            fontPending_ = true;
        } else {
            state_.font = ClampToInt(parameter);
        }
        break;
    case RtfWord::FontSize:
        state_.halfPoints = hasParameter ? parameter : RtfGroupState::kDefaultHalfPoints;
        break;
    case RtfWord::Color:
        state_.color = ClampToInt(parameter);
        break;
    case RtfWord::Bold:
        SetStyle(kBold, on);
        break;
    case RtfWord::Italic:
        SetStyle(kItalic, on);
        break;
    case RtfWord::Underline:
        SetStyle(kUnderline, on);
        break;
    case RtfWord::UnderlineNone:
        SetStyle(kUnderline, false);
        break;
    case RtfWord::Strike:
        SetStyle(kStrikeOut, on);
        break;
    case RtfWord::Hidden:
        state_.hidden = on;
        break;
    case RtfWord::Red:
        red_ = static_cast<std::uint32_t>(std::clamp<std::int64_t>(parameter, 0, 255));
        break;
    case RtfWord::Green:
        green_ = static_cast<std::uint32_t>(std::clamp<std::int64_t>(parameter, 0, 255));
        break;
    case RtfWord::Blue:
        blue_ = static_cast<std::uint32_t>(std::clamp<std::int64_t>(parameter, 0, 255));
        break;
    case RtfWord::DefaultFont:
        defaultFont_ = ClampToInt(parameter);
        ForgetStyles();
        break;
    case RtfWord::Unicode: {
        if (!hasParameter) {
            break;
        }
        // A signed 16-bit value by the format; larger ones are taken as code points.
        std::int64_t code = parameter < 0 ? parameter + 65536 : parameter;
        if (code < 0 || code > 0x10FFFF) {
            code = 0xFFFD;
        }
        if (code < 0x10000) {
            Emit(static_cast<char16_t>(code), false);
        } else {
            code -= 0x10000;
            Emit(static_cast<char16_t>(0xD800 + (code >> 10)), false);
            Emit(static_cast<char16_t>(0xDC00 + (code & 0x3FF)), false);
        }
        fallbackLeft_ = state_.unicodeSkip;
        break;
    }
    case RtfWord::UnicodeSkip:
        state_.unicodeSkip = static_cast<int>(std::clamp<std::int64_t>(parameter, 0, 16));
        break;
    case RtfWord::Paragraph:
        Emit(u'\n', false);
        break;
    case RtfWord::Tab:
        Emit(u'\t', false);
        break;
    case RtfWord::Character:
        Emit(static_cast<char16_t>(meaning.value), false);
        break;
    case RtfWord::CodePage:
        upperHalf_ = &CodePageUpperHalf(hasParameter ? ClampToInt(parameter) : meaning.value);
        break;
    }
}

char16_t RtfReader::ByteToChar(unsigned char b) const {
    return b < 0x80 ? static_cast<char16_t>(b) : (*upperHalf_)[b - 0x80];
}

void RtfReader::SetStyle(unsigned bit, bool on) {
    state_.styles = on ? (state_.styles | bit) : (state_.styles & ~bit);
}

// One character of text; raw when it stood in the file as itself, so that a ';' ends a
// table entry and an escaped one does not.
void RtfReader::Emit(char16_t c, bool raw) {
    if (fallbackLeft_ > 0) {
        --fallbackLeft_;
        return;
    }
    switch (state_.destination) {
    case RtfDestination::Text:
        if (!state_.hidden) {
            CurrentRunText().push_back(c);
        }
        break;
    case RtfDestination::FontTable:
        if (raw && c == ';') {
            CommitFont(true);
        } else {
            fontName_.push_back(c);
        }
        break;
    case RtfDestination::ColorTable:
        if (raw && c == ';') {
            colors_.push_back(red_ | green_ << 8 | blue_ << 16);
            ForgetStyles();
            red_ = green_ = blue_ = 0;
        }
        break;
    case RtfDestination::Skip:
        break;
    }
}

// A ';' ends an entry even with an empty name; a group or the next \f ends one that has
// a name but no ';'.
void RtfReader::CommitFont(bool semicolon) {
    if ((semicolon && fontPending_) || !fontName_.empty()) {
        fonts_[fontNumber_] = Utf16ToUtf8(fontName_);
        ForgetStyles();
    }
    fontName_.clear();
    fontPending_ = false;
}

// The run that text in the current format goes to; a new one only when the format
// differs from the last run's.
std::u16string& RtfReader::CurrentRunText() {
    FlatStyledText& styled = result_.styled;
    if (lastRunValid_ && state_.SameFormat(lastRunFormat_)) {
        return styled.text;
    }
    const std::size_t style = CachedStyle();
    lastRunFormat_ = state_;
    lastRunValid_ = true;
    if (styled.runs.empty() || styled.runs.back().style != style) {
        styled.runs.push_back({0, style});
        runStarts_.push_back(styled.text.size());
    }
    return styled.text;
}

// Tables read after some text change what its formats stand for.
void RtfReader::ForgetStyles() {
    cachedStyles_ = 0;
    nextCacheSlot_ = 0;
    lastRunValid_ = false;
}

// A highlighted text alternates between a handful of formats; resolving each run's font
// and colour afresh was a good part of the reading time.
std::size_t RtfReader::CachedStyle() {
    for (std::size_t k = 0; k < cachedStyles_; ++k) {
        if (styleCache_[k].first.SameFormat(state_)) {
            return styleCache_[k].second;
        }
    }
    auto& slot = styleCache_[nextCacheSlot_];
    nextCacheSlot_ = (nextCacheSlot_ + 1) % styleCache_.size();
    cachedStyles_ = std::min(cachedStyles_ + 1, styleCache_.size());
    slot = {state_, StyleIndex(Resolve())};
    return slot.second;
}

// Equal styles share one entry, looked for among the latest few: a file that makes a new
// style for every run must not make each lookup longer.
std::size_t RtfReader::StyleIndex(HighlightStyle style) {
    std::vector<HighlightStyle>& styles = result_.styled.styles;
    const std::size_t from = styles.size() > 32 ? styles.size() - 32 : 0;
    for (std::size_t k = from; k < styles.size(); ++k) {
        if (styles[k] == style) {
            return k;
        }
    }
    styles.push_back(std::move(style));
    return styles.size() - 1;
}

HighlightStyle RtfReader::Resolve() const {
    HighlightStyle style;
    const auto face = fonts_.find(state_.font < 0 ? defaultFont_ : state_.font);
    if (face != fonts_.end()) {
        style.face = face->second;
    }
    const std::int64_t half = state_.halfPoints;
    style.size = ClampToInt(half >= 0 ? (half + 1) / 2 : half / 2);
    style.color = state_.color >= 0 && static_cast<std::size_t>(state_.color) < colors_.size()
                      ? colors_[static_cast<std::size_t>(state_.color)]
                      : 0;
    style.styles = state_.styles;
    return style;
}

RtfFlatReadResult ReadRtfFlat(std::string_view rtf) {
    return RtfReader(rtf).Read();
}

RtfReadResult ReadRtf(std::string_view rtf) {
    RtfFlatReadResult flat = ReadRtfFlat(rtf);
    RtfReadResult result{{}, flat.ok, std::move(flat.error), flat.errorOffset};
    result.runs.reserve(flat.styled.runs.size());
    std::size_t at = 0;
    for (const FlatStyledText::Run& run : flat.styled.runs) {
        const HighlightStyle& style = flat.styled.styles[run.style];
        // Two entries of the table may hold one style.
        if (!result.runs.empty() && result.runs.back().style == style)
            result.runs.back().text.append(flat.styled.text, at, run.length);
        else
            result.runs.push_back({flat.styled.text.substr(at, run.length), style});
        at += run.length;
    }
    return result;
}

} // namespace orvelt
