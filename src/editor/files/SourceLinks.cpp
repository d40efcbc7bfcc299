#include "editor/files/SourceLinks.h"

#include "core/FileNames.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>

namespace orvelt {
namespace {

// How TeX reads an environment's body: as TeX, where braces and other environments count, or
// as raw text up to its own exact "\end{name}".
enum class Body { Nested, Raw };

struct ProtectedName {
    std::u16string_view name;
    Body body;
};

// Environments a special would break: in an alignment it adds a row or stops \hline, \omit
// and \intertext ("Misplaced \noalign"), in a display it can add an equation number, in raw
// text it is printed. Each also protects its starred form.
constexpr ProtectedName kProtected[] = {
    {u"tabbing", Body::Nested},     {u"eqnarray", Body::Nested},     {u"equation", Body::Nested},
    {u"tabular", Body::Nested},     {u"array", Body::Nested},        {u"picture", Body::Nested},
    {u"verbatim", Body::Raw},       {u"verse", Body::Nested},        {u"align", Body::Nested},
    {u"alignat", Body::Nested},     {u"flalign", Body::Nested},      {u"gather", Body::Nested},
    {u"multline", Body::Nested},    {u"split", Body::Nested},        {u"aligned", Body::Nested},
    {u"alignedat", Body::Nested},   {u"gathered", Body::Nested},     {u"cases", Body::Nested},
    {u"matrix", Body::Nested},      {u"pmatrix", Body::Nested},      {u"bmatrix", Body::Nested},
    {u"Bmatrix", Body::Nested},     {u"vmatrix", Body::Nested},      {u"Vmatrix", Body::Nested},
    {u"smallmatrix", Body::Nested}, {u"tabularx", Body::Nested},     {u"tabulary", Body::Nested},
    {u"longtable", Body::Nested},   {u"supertabular", Body::Nested}, {u"xtabular", Body::Nested},
    {u"lstlisting", Body::Raw},     {u"Verbatim", Body::Raw},        {u"BVerbatim", Body::Raw},
    {u"LVerbatim", Body::Raw},      {u"minted", Body::Raw},          {u"alltt", Body::Nested},
    {u"comment", Body::Raw},        {u"filecontents", Body::Raw},    {u"tikzpicture", Body::Nested},
    {u"pgfpicture", Body::Nested},  {u"pspicture", Body::Nested},
};

std::optional<Body> ProtectedBody(std::u16string_view name) {
    if (name.ends_with(u'*')) {
        name.remove_suffix(1);
    }
    for (const ProtectedName& entry : kProtected) {
        if (entry.name == name) {
            return entry.body;
        }
    }
    return std::nullopt;
}

constexpr bool IsLetter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

constexpr bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

// Longer than any protected "\begin {name}": what is still unfinished then is no such command.
constexpr std::size_t kLongestCarry = 64;

// Protected environments (tables, alignments, displays, verbatim text) of a source, followed
// line by line: no special may stand inside one.
class ProtectedEnvironments {
public:
    // Takes one more line, or piece of a line, in file order; endsLine on a line's last piece.
    void Feed(std::u16string_view text, bool endsLine);
    // How many protected environments are open after what was fed.
    [[nodiscard]] int Depth() const { return depth_ + (rawEnd_.empty() ? 0 : 1); }

private:
    int depth_ = 0;
    // In an environment whose body TeX reads as raw text: the exact "\end{...}" that ends it.
    std::u16string rawEnd_;
    bool inComment_ = false; // a line's comment runs on into the next piece of the same line
    // The unfinished "\begin{..." (or the tail that may start a raw end) at the end of the
    // last piece, read again in front of the next.
    std::u16string carry_;
    std::u16string buffer_;
};

// What TeX took last before a point of the file: a paragraph end (or nothing yet), a space,
// or something else. A special (a whatsit) leaves the typesetting alone only after the first
// two: between two letters it stops a ligature or a kern, and after a control word it may
// become that command's argument.
enum class Gap { Paragraph, Space, None };

class TexGap {
public:
    void Feed(std::u16string_view text) {
        for (const char16_t c : text) {
            Take(c);
        }
    }

    // A file line ends, with a soft-break marker (a comment) or with its line end.
    void EndFileLine(bool marker) {
        if (!marker) {
            switch (state_) {
            case State::NewLine: // a blank line
                gap_ = Gap::Paragraph;
                break;
            case State::MidLine: // the line end reads as a space
            case State::Escape:  // a control space
                gap_ = Gap::Space;
                break;
            case State::ControlWord: // the line end is skipped
            case State::SkipBlanks:
            case State::Comment:
                break;
            }
        } else if (state_ == State::ControlWord || state_ == State::Escape) {
            gap_ = Gap::None;
        }
        state_ = State::NewLine;
    }

    [[nodiscard]] Gap Last() const { return gap_; }

private:
    enum class State { NewLine, MidLine, SkipBlanks, ControlWord, Escape, Comment };

    void Take(char16_t c) {
        switch (state_) {
        case State::Comment:
            return;
        case State::Escape:
            if (IsLetter(c)) {
                state_ = State::ControlWord;
                gap_ = Gap::None;
            } else if (c == u' ') {
                state_ = State::SkipBlanks;
                gap_ = Gap::Space;
            } else {
                state_ = State::MidLine;
                gap_ = Gap::None;
            }
            return;
        case State::ControlWord:
            if (IsLetter(c)) {
                return;
            }
            state_ = State::SkipBlanks;
            break;
        case State::NewLine:
        case State::MidLine:
        case State::SkipBlanks:
            break;
        }
        if (c == u'\\') {
            state_ = State::Escape;
        } else if (c == u'%') {
            state_ = State::Comment;
        } else if (IsBlank(c)) {
            if (state_ == State::MidLine) {
                state_ = State::SkipBlanks;
                gap_ = Gap::Space;
            }
        } else {
            state_ = State::MidLine;
            gap_ = Gap::None;
        }
    }

    State state_ = State::NewLine;
    Gap gap_ = Gap::Paragraph;
};

// Whether a special may precede this line, after that gap. A line that starts with a blank
// would gain a space (TeX skips blanks only at a line's start), an empty one would stop ending
// the paragraph, and one that starts with "[", "{", "*", "^" or "_" may carry an argument or
// script of what ends the line before. After a space, only text may follow: a command could
// end the paragraph or look for that space (\end, \item, \label, \\), and find the special
// instead, so that the space stays (a centred line moves).
bool MayFollowSpecial(std::u16string_view text, Gap gap) {
    if (text.empty() || gap == Gap::None) {
        return false;
    }
    const char16_t first = text.front();
    if (gap == Gap::Space) {
        return IsLetter(first) || (first >= u'0' && first <= u'9') || first >= 0x80;
    }
    switch (first) {
    case u' ':
    case u'\t':
    case u'[':
    case u'{':
    case u'*':
    case u'^':
    case u'_':
        return false;
    default:
        return true;
    }
}

void ProtectedEnvironments::Feed(std::u16string_view text, bool endsLine) {
    if (inComment_) {
        inComment_ = !endsLine;
        return;
    }
    buffer_.assign(carry_);
    buffer_.append(text);
    if (endsLine) {
        buffer_.push_back(u' '); // what TeX makes of the line end
    }
    carry_.clear();
    const std::u16string_view all = buffer_;
    // An unfinished command is read again with what follows, across a line end too, as TeX
    // reads "\begin" and its argument.
    const auto keep = [&](std::size_t from) {
        if (all.size() - from <= kLongestCarry) {
            carry_.assign(all.substr(from));
        }
    };
    std::size_t i = 0;
    while (i < all.size()) {
        if (!rawEnd_.empty()) {
            const std::size_t end = all.find(rawEnd_, i);
            if (end == std::u16string_view::npos) {
                if (!endsLine) {
                    const std::size_t tail = std::min(all.size() - i, rawEnd_.size() - 1);
                    carry_.assign(all.substr(all.size() - tail));
                }
                return;
            }
            i = end + rawEnd_.size();
            rawEnd_.clear();
            continue;
        }
        const char16_t c = all[i];
        if (c == u'%') {
            inComment_ = !endsLine;
            return;
        }
        if (c != u'\\') {
            ++i;
            continue;
        }
        const std::size_t start = i;
        std::size_t j = i + 1;
        if (j == all.size()) {
            keep(start);
            return;
        }
        if (!IsLetter(all[j])) {
            i = j + 1;
            continue;
        }
        while (j < all.size() && IsLetter(all[j])) {
            ++j;
        }
        if (j == all.size()) {
            keep(start);
            return;
        }
        const std::u16string_view word = all.substr(start + 1, j - start - 1);
        const bool begins = word == u"begin";
        if (!begins && word != u"end") {
            i = j;
            continue;
        }
        while (j < all.size() && IsBlank(all[j])) {
            ++j;
        }
        if (j == all.size()) {
            keep(start);
            return;
        }
        if (all[j] != u'{') {
            i = j;
            continue;
        }
        const std::size_t close = all.find(u'}', j + 1);
        if (close == std::u16string_view::npos) {
            keep(start);
            return;
        }
        const std::u16string_view name = all.substr(j + 1, close - j - 1);
        i = close + 1;
        const std::optional<Body> body = ProtectedBody(name);
        if (!body) {
            continue;
        }
        if (begins && *body == Body::Raw) {
            rawEnd_.assign(u"\\end{");
            rawEnd_.append(name);
            rawEnd_.push_back(u'}');
        } else if (begins) {
            ++depth_;
        } else if (*body == Body::Nested && depth_ > 0) {
            --depth_;
        }
    }
}

class SpecialsWriter {
public:
    SpecialsWriter(std::string_view namePart, int interval)
        : interval_(interval < 1 ? 1 : interval) {
        tail_.push_back(u' ');
        tail_.append(namePart.begin(), namePart.end()); // ASCII: the name was found safe
        tail_.push_back(u'}');
    }

    void operator()(const SourceLineStart& line, std::u16string& out) {
        if (line.beginsFileLine && !first_) {
            gap_.EndFileLine(line.afterMarker);
        }
        first_ = false;
        const int protectedBefore = environments_.Depth();
        environments_.Feed(line.text, line.endsHardLine);
        const Gap gap = gap_.Last();
        gap_.Feed(line.text);
        if (!line.beginsFileLine || line.number % interval_ != 0 || protectedBefore != 0 ||
            environments_.Depth() != 0 || line.braceDepthBefore != 0 || line.braceDepthAfter != 0 ||
            !MayFollowSpecial(line.text, gap)) {
            return;
        }
        char digits[16];
        const auto [end, error] = std::to_chars(digits, digits + sizeof digits, line.number);
        static_cast<void>(error); // an int always fits
        out.append(u"\\special{src:");
        out.append(digits, end);
        out.append(tail_);
    }

private:
    std::u16string tail_; // " name}"
    int interval_;
    bool first_ = true;
    ProtectedEnvironments environments_;
    TexGap gap_;
};

} // namespace

bool TakesSourceSpecials(std::string_view fileName) {
    const std::string extension = UpperExtension(fileName);
    return extension == ".TEX" || extension == ".LTX";
}

bool IsSafeSpecialName(std::string_view namePart) {
    for (const char c : namePart) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte >= 127) {
            return false;
        }
        switch (c) {
        case '%':
        case '{':
        case '}':
        case '\\':
        case '#':
        case '~':
        case '^':
            return false;
        default:
            break;
        }
    }
    return !namePart.empty();
}

SourceSpecialsHook MakeSourceSpecials(std::string_view fileName, int interval) {
    if (!TakesSourceSpecials(fileName)) {
        return {SpecialsOutcome::NotTexSource, {}};
    }
    const std::string_view name = NamePart(fileName);
    if (!IsSafeSpecialName(name)) {
        return {SpecialsOutcome::UnsafeName, {}};
    }
    return {SpecialsOutcome::Written, SpecialsWriter(name, interval)};
}

} // namespace orvelt
