#include "editor/files/RtfCodec.h"

#include "core/CodePage.h"
#include "editor/files/AnsiCodePages.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <limits>
#include <unordered_map>

namespace orvelt {
namespace {

constexpr unsigned kAllStyles = kBold | kItalic | kUnderline | kStrikeOut;
constexpr std::uint32_t kColorMask = 0xFFFFFF;

void AppendInt(std::string& out, std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void AppendHexByte(std::string& out, unsigned value) {
    constexpr char kDigits[] = "0123456789abcdef";
    out += "\\'";
    out.push_back(kDigits[(value >> 4) & 0xF]);
    out.push_back(kDigits[value & 0xF]);
}

// Text of the body or of a font name. Every code unit is written so that it reads back as
// itself: non-ASCII as \uN with a '?' for readers that cannot, lone surrogates included.
void AppendEscaped(std::string& out, std::u16string_view text, bool fontName) {
    for (const char16_t c : text) {
        if (c >= 0x20 && c < 0x80) {
            if (c == '\\' || c == '{' || c == '}') {
                out.push_back('\\');
            } else if (fontName && c == ';') {
                AppendHexByte(out, c); // a bare ';' ends the name
                continue;
            }
            out.push_back(static_cast<char>(c));
        } else if (c == '\n') {
            out += "\\par\n";
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (c < 0x20) {
            AppendHexByte(out, c);
        } else {
            out += "\\u";
            AppendInt(out, static_cast<std::int16_t>(c));
            out.push_back('?');
        }
    }
}

} // namespace

std::string WriteRtf(const StyledText& runs) {
    // Tables first: font and colour numbers in order of first use.
    std::vector<std::string_view> faces;
    std::vector<std::uint32_t> colors;
    std::unordered_map<std::string_view, int> faceIndex;
    std::unordered_map<std::uint32_t, int> colorIndex;
    std::vector<std::pair<int, int>> runIndex(runs.size(), {-1, -1});
    std::size_t textSize = 0;
    const StyledRun* previous = nullptr;
    for (std::size_t k = 0; k < runs.size(); ++k) {
        const StyledRun& run = runs[k];
        if (run.text.empty()) {
            continue;
        }
        textSize += run.text.size();
        const std::uint32_t color = run.style.color & kColorMask;
        if (previous != nullptr && previous->style.face == run.style.face &&
            (previous->style.color & kColorMask) == color) {
            runIndex[k] = runIndex[static_cast<std::size_t>(previous - runs.data())];
            previous = &run;
            continue;
        }
        const auto face = faceIndex.try_emplace(run.style.face, static_cast<int>(faces.size()));
        if (face.second) {
            faces.push_back(run.style.face);
        }
        const auto col = colorIndex.try_emplace(color, static_cast<int>(colors.size()) + 1);
        if (col.second) {
            colors.push_back(color);
        }
        runIndex[k] = {face.first->second, col.first->second};
        previous = &run;
    }

    std::string out;
    out.reserve(256 + textSize + textSize / 4 + runs.size() * 24);
    out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl";
    for (std::size_t f = 0; f < faces.size(); ++f) {
        out += "{\\f";
        AppendInt(out, static_cast<std::int64_t>(f));
        out += "\\fnil\\fcharset0 ";
        AppendEscaped(out, Utf8ToUtf16(faces[f]), true);
        out += ";}";
    }
    out += "}\n{\\colortbl;";
    for (const std::uint32_t color : colors) {
        out += "\\red";
        AppendInt(out, color & 0xFF);
        out += "\\green";
        AppendInt(out, (color >> 8) & 0xFF);
        out += "\\blue";
        AppendInt(out, (color >> 16) & 0xFF);
        out.push_back(';');
    }
    out += "}\n\\pard\\plain";

    // After \plain nothing is bold, italic, underlined or struck out; font, size and colour
    // are written for the first run whatever they are.
    bool first = true;
    int font = 0;
    int color = 0;
    int size = 0;
    unsigned styles = 0;
    const auto toggle = [&](unsigned now, unsigned bit, const char* on, const char* off) {
        if ((now & bit) != (styles & bit)) {
            out += (now & bit) != 0 ? on : off;
        }
    };
    for (std::size_t k = 0; k < runs.size(); ++k) {
        const StyledRun& run = runs[k];
        if (run.text.empty()) {
            continue;
        }
        const std::size_t before = out.size();
        const auto [runFont, runColor] = runIndex[k];
        if (first || runFont != font) {
            out += "\\f";
            AppendInt(out, runFont);
        }
        if (first || run.style.size != size) {
            out += "\\fs";
            AppendInt(out, 2 * static_cast<std::int64_t>(run.style.size));
        }
        if (first || runColor != color) {
            out += "\\cf";
            AppendInt(out, runColor);
        }
        const unsigned runStyles = run.style.styles & kAllStyles;
        toggle(runStyles, kBold, "\\b", "\\b0");
        toggle(runStyles, kItalic, "\\i", "\\i0");
        toggle(runStyles, kUnderline, "\\ul", "\\ulnone");
        toggle(runStyles, kStrikeOut, "\\strike", "\\strike0");
        if (out.size() != before) {
            out.push_back(' ');
        }
        first = false;
        font = runFont;
        color = runColor;
        size = run.style.size;
        styles = runStyles;
        AppendEscaped(out, run.text, false);
    }
    out += "}\n";
    return out;
}

namespace {

constexpr std::size_t kMaxDepth = 256;
constexpr int kDefaultHalfPoints = 24;

enum class Destination : unsigned char { Text, FontTable, ColorTable, Skip };

enum class Word {
    Unknown,
    SkippedDestination,
    FontTable,
    ColorTable,
    Plain,
    Font,
    FontSize,
    Color,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    Hidden,
    Red,
    Green,
    Blue,
    DefaultFont,
    Unicode,
    UnicodeSkip,
    Binary,
    Paragraph,
    Tab,
    Character, // a word that stands for one character
    CodePage,
};

struct WordInfo {
    Word word = Word::Unknown;
    int value = 0; // the character a word stands for, or the code page \ansi and its kin name
};

// Destinations whose text is not document text. Reached only for words that are not formats,
// so the linear scan costs nothing on the common path.
constexpr std::string_view kSkippedDestinations[] = {
    "stylesheet",
    "info",
    "pict",
    "object",
    "objdata",
    "header",
    "headerl",
    "headerr",
    "headerf",
    "footer",
    "footerl",
    "footerr",
    "footerf",
    "footnote",
    "annotation",
    "atnid",
    "atnauthor",
    "listtable",
    "revtbl",
    "rsidtbl",
    "filetbl",
    "xmlnstbl",
    "themedata",
    "datastore",
    "generator",
    "fldinst",
    "pgdsctbl",
    "pn",
    "nonshppict",
    "shp",
    "bkmkstart",
    "bkmkend",
    "txe",
    "xe",
    "tc",
    "template",
    "docvar",
    "userprops",
    "ftnsep",
    "ftnsepc",
    "ftncn",
    "aftnsep",
    "aftnsepc",
    "aftncn",
    "latentstyles",
    "colorschememapping",
    "listoverridetable",
    "mmathPr",
    "private",
};

// Underline kinds other readers write: all of them are "underlined" here.
constexpr std::string_view kUnderlineKinds[] = {
    "ul",         "uld",       "uldash",     "uldashd", "uldashdd", "uldb",
    "ulhwave",    "ulldash",   "ulth",       "ulthd",   "ulthdash", "ulthdashd",
    "ulthdashdd", "ulthldash", "ululdbwave", "ulw",     "ulwave",
};

// A control word of up to eight letters as one number, so the common words are found by one
// switch instead of string comparisons: the reader meets several per styled run.
constexpr std::uint64_t Packed(std::string_view w) {
    std::uint64_t key = 0;
    for (std::size_t i = 0; i < w.size() && i < 8; ++i) {
        key |= static_cast<std::uint64_t>(static_cast<unsigned char>(w[i])) << (8 * i);
    }
    return key;
}

WordInfo LookUp(std::string_view w) {
    if (w.size() <= 8) {
        switch (Packed(w)) {
        case Packed("ansi"):
            return {Word::CodePage, 1252};
        case Packed("ansicpg"):
            return {Word::CodePage};
        case Packed("mac"):
            return {Word::CodePage, 10000};
        case Packed("pc"):
            return {Word::CodePage, 437};
        case Packed("pca"):
            return {Word::CodePage, 850};
        case Packed("b"):
            return {Word::Bold};
        case Packed("bin"):
            return {Word::Binary};
        case Packed("blue"):
            return {Word::Blue};
        case Packed("bullet"):
            return {Word::Character, 0x2022};
        case Packed("cf"):
            return {Word::Color};
        case Packed("colortbl"):
            return {Word::ColorTable};
        case Packed("cell"):
            return {Word::Tab};
        case Packed("deff"):
            return {Word::DefaultFont};
        case Packed("emdash"):
            return {Word::Character, 0x2014};
        case Packed("endash"):
            return {Word::Character, 0x2013};
        case Packed("emspace"):
            return {Word::Character, 0x2003};
        case Packed("enspace"):
            return {Word::Character, 0x2002};
        case Packed("f"):
            return {Word::Font};
        case Packed("fs"):
            return {Word::FontSize};
        case Packed("fonttbl"):
            return {Word::FontTable};
        case Packed("green"):
            return {Word::Green};
        case Packed("i"):
            return {Word::Italic};
        case Packed("line"):
            return {Word::Paragraph};
        case Packed("lquote"):
            return {Word::Character, 0x2018};
        case Packed("ltrmark"):
            return {Word::Character, 0x200E};
        case Packed("par"):
            return {Word::Paragraph};
        case Packed("plain"):
            return {Word::Plain};
        case Packed("qmspace"):
            return {Word::Character, 0x2005};
        case Packed("red"):
            return {Word::Red};
        case Packed("rquote"):
            return {Word::Character, 0x2019};
        case Packed("row"):
            return {Word::Paragraph};
        case Packed("rtlmark"):
            return {Word::Character, 0x200F};
        case Packed("strike"):
        case Packed("striked"):
            return {Word::Strike};
        case Packed("sect"):
            return {Word::Paragraph};
        case Packed("tab"):
            return {Word::Tab};
        case Packed("u"):
            return {Word::Unicode};
        case Packed("uc"):
            return {Word::UnicodeSkip};
        case Packed("ulnone"):
            return {Word::UnderlineNone};
        case Packed("v"):
            return {Word::Hidden};
        case Packed("zwj"):
            return {Word::Character, 0x200D};
        case Packed("zwnj"):
            return {Word::Character, 0x200C};
        default:
            break;
        }
    }
    if (w == "ldblquote") {
        return {Word::Character, 0x201C};
    }
    if (w == "rdblquote") {
        return {Word::Character, 0x201D};
    }
    if (w.starts_with("ul") && std::find(std::begin(kUnderlineKinds), std::end(kUnderlineKinds),
                                         w) != std::end(kUnderlineKinds)) {
        return {Word::Underline};
    }
    if (std::find(std::begin(kSkippedDestinations), std::end(kSkippedDestinations), w) !=
        std::end(kSkippedDestinations)) {
        return {Word::SkippedDestination};
    }
    return {};
}

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

// Character format and destination: what a group saves and restores.
struct GroupState {
    int font = -1; // -1: the document's default font
    std::int64_t halfPoints = kDefaultHalfPoints;
    int color = 0;
    unsigned styles = 0;
    bool hidden = false;
    int unicodeSkip = 1;
    Destination destination = Destination::Text;

    bool SameFormat(const GroupState& other) const {
        return font == other.font && halfPoints == other.halfPoints && color == other.color &&
               styles == other.styles;
    }
};

class RtfReader {
public:
    explicit RtfReader(std::string_view in) : in_(in) {}

    RtfReadResult Read() {
        std::size_t start = 0;
        while (start < in_.size() && (in_[start] == ' ' || in_[start] == '\r' ||
                                      in_[start] == '\n' || in_[start] == '\t')) {
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
        result_.runs.reserve(std::min({words, in_.size() / 12, std::size_t{1} << 22}) + 1);
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
                if (state_.destination == Destination::FontTable) {
                    CommitFont();
                }
                state_ = stack_.back();
                stack_.pop_back();
                fallbackLeft_ = 0;
                ++pos_;
                if (stack_.empty()) {
                    result_.ok = true; // what follows the document's group is not RTF
                    return std::move(result_);
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

private:
    RtfReadResult Fail(std::size_t offset, std::string message) {
        result_.ok = false;
        result_.error = std::move(message);
        result_.errorOffset = offset;
        return std::move(result_);
    }

    void PlainText() {
        if (state_.destination == Destination::Text && !state_.hidden && fallbackLeft_ == 0) {
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

    void ControlWord() {
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
        Apply(LookUp(name), hasParameter, parameter);
    }

    void ControlSymbol(char c) {
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
            state_.destination = Destination::Skip;
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

    void Apply(WordInfo info, bool hasParameter, std::int64_t parameter) {
        if (info.word == Word::Binary) {
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
        switch (info.word) {
        case Word::Unknown:
        case Word::Binary:
            break;
        case Word::SkippedDestination:
            state_.destination = Destination::Skip;
            break;
        case Word::FontTable:
            state_.destination = Destination::FontTable;
            break;
        case Word::ColorTable:
            state_.destination = Destination::ColorTable;
            red_ = green_ = blue_ = 0;
            break;
        case Word::Plain:
            state_.font = -1;
            state_.halfPoints = kDefaultHalfPoints;
            state_.color = 0;
            state_.styles = 0;
            state_.hidden = false;
            break;
        case Word::Font:
            if (state_.destination == Destination::FontTable) {
                CommitFont();
                fontNumber_ = ClampToInt(parameter);
                fontPending_ = true;
            } else {
                state_.font = ClampToInt(parameter);
            }
            break;
        case Word::FontSize:
            state_.halfPoints = hasParameter ? parameter : kDefaultHalfPoints;
            break;
        case Word::Color:
            state_.color = ClampToInt(parameter);
            break;
        case Word::Bold:
            SetStyle(kBold, on);
            break;
        case Word::Italic:
            SetStyle(kItalic, on);
            break;
        case Word::Underline:
            SetStyle(kUnderline, on);
            break;
        case Word::UnderlineNone:
            SetStyle(kUnderline, false);
            break;
        case Word::Strike:
            SetStyle(kStrikeOut, on);
            break;
        case Word::Hidden:
            state_.hidden = on;
            break;
        case Word::Red:
            red_ = static_cast<std::uint32_t>(std::clamp<std::int64_t>(parameter, 0, 255));
            break;
        case Word::Green:
            green_ = static_cast<std::uint32_t>(std::clamp<std::int64_t>(parameter, 0, 255));
            break;
        case Word::Blue:
            blue_ = static_cast<std::uint32_t>(std::clamp<std::int64_t>(parameter, 0, 255));
            break;
        case Word::DefaultFont:
            defaultFont_ = ClampToInt(parameter);
            ForgetStyles();
            break;
        case Word::Unicode: {
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
        case Word::UnicodeSkip:
            state_.unicodeSkip = static_cast<int>(std::clamp<std::int64_t>(parameter, 0, 16));
            break;
        case Word::Paragraph:
            Emit(u'\n', false);
            break;
        case Word::Tab:
            Emit(u'\t', false);
            break;
        case Word::Character:
            Emit(static_cast<char16_t>(info.value), false);
            break;
        case Word::CodePage:
            upperHalf_ = &CodePageUpperHalf(hasParameter ? ClampToInt(parameter) : info.value);
            break;
        }
    }

    char16_t ByteToChar(unsigned char b) const {
        return b < 0x80 ? static_cast<char16_t>(b) : (*upperHalf_)[b - 0x80];
    }

    void SetStyle(unsigned bit, bool on) {
        state_.styles = on ? (state_.styles | bit) : (state_.styles & ~bit);
    }

    // One character of text; raw when it stood in the file as itself, so that a ';' ends a
    // table entry and an escaped one does not.
    void Emit(char16_t c, bool raw) {
        if (fallbackLeft_ > 0) {
            --fallbackLeft_;
            return;
        }
        switch (state_.destination) {
        case Destination::Text:
            if (!state_.hidden) {
                CurrentRunText().push_back(c);
            }
            break;
        case Destination::FontTable:
            if (raw && c == ';') {
                CommitFont(true);
            } else {
                fontName_.push_back(c);
            }
            break;
        case Destination::ColorTable:
            if (raw && c == ';') {
                colors_.push_back(red_ | green_ << 8 | blue_ << 16);
                ForgetStyles();
                red_ = green_ = blue_ = 0;
            }
            break;
        case Destination::Skip:
            break;
        }
    }

    // A ';' ends an entry even with an empty name; a group or the next \f ends one that has
    // a name but no ';'.
    void CommitFont(bool semicolon = false) {
        if ((semicolon && fontPending_) || !fontName_.empty()) {
            fonts_[fontNumber_] = Utf16ToUtf8(fontName_);
            ForgetStyles();
        }
        fontName_.clear();
        fontPending_ = false;
    }

    // The run that text in the current format goes to; a new one only when the format
    // differs from the last run's.
    std::u16string& CurrentRunText() {
        StyledText& runs = result_.runs;
        if (lastRunValid_ && state_.SameFormat(lastRunFormat_)) {
            return runs.back().text;
        }
        const HighlightStyle& style = CachedStyle();
        lastRunFormat_ = state_;
        lastRunValid_ = true;
        if (runs.empty() || runs.back().style != style) {
            runs.push_back({{}, style});
        }
        return runs.back().text;
    }

    // Tables read after some text change what its formats stand for.
    void ForgetStyles() {
        cachedStyles_ = 0;
        nextCacheSlot_ = 0;
        lastRunValid_ = false;
    }

    // A highlighted text alternates between a handful of formats; resolving each run's font
    // and colour afresh was a good part of the reading time.
    const HighlightStyle& CachedStyle() {
        for (std::size_t k = 0; k < cachedStyles_; ++k) {
            if (styleCache_[k].first.SameFormat(state_)) {
                return styleCache_[k].second;
            }
        }
        auto& slot = styleCache_[nextCacheSlot_];
        nextCacheSlot_ = (nextCacheSlot_ + 1) % styleCache_.size();
        cachedStyles_ = std::min(cachedStyles_ + 1, styleCache_.size());
        slot = {state_, Resolve()};
        return slot.second;
    }

    HighlightStyle Resolve() const {
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

    std::string_view in_;
    std::size_t pos_ = 0;
    GroupState state_;
    GroupState lastRunFormat_;
    bool lastRunValid_ = false;
    std::vector<GroupState> stack_;
    int fallbackLeft_ = 0;
    int defaultFont_ = 0;
    const std::array<char16_t, 128>* upperHalf_ = &CodePageUpperHalf(1252);
    std::unordered_map<int, std::string> fonts_;
    int fontNumber_ = 0;
    std::u16string fontName_;
    bool fontPending_ = false;
    std::vector<std::uint32_t> colors_;
    std::uint32_t red_ = 0;
    std::uint32_t green_ = 0;
    std::uint32_t blue_ = 0;
    RtfReadResult result_;
    std::array<std::pair<GroupState, HighlightStyle>, 8> styleCache_;
    std::size_t nextCacheSlot_ = 0;
    std::size_t cachedStyles_ = 0;
};

} // namespace

RtfReadResult ReadRtf(std::string_view rtf) {
    return RtfReader(rtf).Read();
}

} // namespace orvelt
