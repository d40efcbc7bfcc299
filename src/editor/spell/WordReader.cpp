#include "editor/spell/WordReader.h"

#include "core/UnicodeCase.h"

namespace orvelt {

namespace {

// Every letter of every script is a letter, so a word never stops at é or ω; a combining accent
// belongs to the letter before it.
bool IsLetterLike(char32_t c) {
    return IsLetter(c) || (c >= 0x300 && IsMark(c));
}

bool IsStart(char32_t c) {
    return IsLetter(c) || IsDigit(c) || c == '"' || c == '%' || c == '\\';
}

bool IsWordCharacter(char32_t c) {
    return IsLetterLike(c) || IsDigit(c) || c == '"' || c == '-' || c == '/' || c == '_';
}

bool IsEnd(char32_t c) {
    return IsLetterLike(c) || IsDigit(c);
}

bool IsSpellable(char32_t c) {
    return IsLetterLike(c) || c == '"' || c == '-' || c == '_';
}

bool IsCommandStop(char16_t c) {
    switch (c) {
    case '\n':
    case '\r':
    case ' ':
    case '!':
    case '#':
    case '$':
    case '%':
    case '&':
    case '\'':
    case '(':
    case ')':
    case '*':
    case ',':
    case '-':
    case '.':
    case ':':
    case ';':
    case '<':
    case '=':
    case '>':
    case '?':
    case '[':
    case '\\':
    case ']':
    case '^':
    case '_':
    case '{':
    case '|':
    case '}':
    case '~':
    case '"':
    case '`':
    case u'\u00B4':
        return true;
    default:
        return false;
    }
}

} // namespace

CharAt CharacterAt(std::u16string_view text, std::size_t i) {
    const char16_t first = text[i];
    if (first >= 0xD800 && first < 0xDC00 && i + 1 < text.size()) {
        const char16_t second = text[i + 1];
        if (second >= 0xDC00 && second < 0xE000)
            return {0x10000 + ((char32_t(first) - 0xD800) << 10) + (second - 0xDC00), 2};
    }
    return {first, 1};
}

std::size_t CharacterCount(std::u16string_view word) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < word.size(); i += CharacterAt(word, i).units)
        ++count;
    return count;
}

WordRead ReadWord(std::u16string_view text, std::size_t from) {
    const std::size_t n = text.size();
    std::size_t i = std::min(from, n);
    while (i < n) {
        const CharAt c = CharacterAt(text, i);
        if (IsStart(c.code)) {
            // A quote that starts no umlaut ("`` quotes'' and a closing one) is no word.
            if (c.code != '"' || (i + 1 < n && IsLetter(CharacterAt(text, i + 1).code)))
                break;
        }
        i += c.units;
    }
    WordRead read{i, i, i, i};
    if (i == n)
        return read;
    if (text[i] == '%') {
        ++i;
        while (i < n && (text[i] > 13 || text[i] == '\t'))
            ++i;
        read.start = read.end = read.next = i;
        return read;
    }
    if (text[i] == '\\') {
        ++i;
        // \% \\ \" and the like are a character each, as TeX reads them: the stop character is
        // taken with the backslash, so "50\% of teh" is no comment and "\\Teh" is a word.
        if (i < n && IsCommandStop(text[i])) {
            ++i;
        } else {
            while (i < n && !IsCommandStop(text[i]))
                ++i;
        }
        read.start = read.end = read.next = i;
        return read;
    }
    std::size_t end = i;
    std::size_t keptEnd = i;
    bool spellable = true;
    while (end < n) {
        const CharAt c = CharacterAt(text, end);
        if (!IsWordCharacter(c.code))
            break;
        end += c.units;
        if (IsEnd(c.code))
            keptEnd = end;
    }
    for (std::size_t k = i; k < keptEnd;) {
        const CharAt c = CharacterAt(text, k);
        spellable = spellable && IsSpellable(c.code);
        k += c.units;
    }
    read.next = end;
    read.end = spellable ? keptEnd : i;
    return read;
}

std::size_t CheckStart(std::u16string_view text, std::size_t caret) {
    caret = std::min(caret, text.size());
    // Words, commands and comments all end at a line end, so the line start is a safe place to
    // begin reading.
    const std::size_t lineEnd = text.substr(0, caret).find_last_of(u"\r\n");
    std::size_t at = lineEnd == std::u16string_view::npos ? 0 : lineEnd + 1;
    while (at < caret) {
        const WordRead read = ReadWord(text, at);
        if (read.token >= caret)
            break;
        if (read.next > caret)
            return read.token;
        at = read.next;
    }
    return caret;
}

} // namespace orvelt
