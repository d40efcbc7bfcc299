#include "editor/spell/Dictionary.h"

#include "core/CodePage.h"
#include "core/LineEnd.h"
#include "core/UnicodeCase.h"
#include "editor/keys/KeyConversion.h"
#include "editor/spell/WordReader.h"

#include <algorithm>

namespace orvelt {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char16_t c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == u'\u00A0' || c == u'\uFEFF';
}

std::u16string_view Trimmed(std::u16string_view line) {
    while (!line.empty() && IsBlank(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && IsBlank(line.back()))
        line.remove_suffix(1);
    return line;
}

std::u16string Decoded(std::string_view bytes) {
    if (bytes.starts_with(kByteOrderMark))
        bytes.remove_prefix(kByteOrderMark.size());
    return DecodeText(bytes, IsValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Windows1252);
}

void AppendCharacter(char32_t c, std::u16string& out) {
    if (c >= 0x10000) {
        out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
        out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
        out += static_cast<char16_t>(c);
    }
}

} // namespace

void FoldWord(std::u16string_view word, std::u16string& out) {
    out.clear();
    for (std::size_t i = 0; i < word.size();) {
        const CharAt c = CharacterAt(word, i);
        i += c.units;
        if (c.code < 0x80)
            out += static_cast<char16_t>(FoldCase(c.code));
        else
            AppendCharacter(FoldCase(c.code), out);
    }
}

std::u16string Dictionary::Utf16Of(std::string_view utf8) {
    return Utf8ToUtf16(utf8);
}

bool Dictionary::Load(std::string_view list) {
    known_.clear();
    pending_.clear();
    count_ = 0;
    if (list.find('\0') != std::string_view::npos)
        return false;
    // About ten bytes a word: the set is sized once instead of rehashing as it grows.
    known_.reserve(list.size() / 5 + 16);
    AddList(Decoded(list));
    return true;
}

bool Dictionary::LoadLearned(std::string_view learned) {
    if (learned.find('\0') != std::string_view::npos)
        return false;
    AddList(Decoded(learned));
    return true;
}

void Dictionary::AddList(std::u16string_view text) {
    while (!text.empty()) {
        const std::size_t end = std::min(text.find_first_of(u"\r\n"), text.size());
        AddLine(Trimmed(text.substr(0, end)));
        text.remove_prefix(end < text.size() ? end + 1 : end);
    }
}

void Dictionary::AddLine(std::u16string_view line) {
    if (line.empty())
        return;
    ++count_;
    Insert(line);
    // The runs of letters and digits: a word is found wherever it stands in the list.
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < line.size();) {
        const CharAt c = CharacterAt(line, i);
        i += c.units;
        if (!IsLetterOrDigit(c.code) && !IsMark(c.code)) {
            const std::size_t runEnd = i - c.units;
            if (runEnd > runStart)
                Insert(line.substr(runStart, runEnd - runStart));
            runStart = i;
        }
    }
    if (runStart > 0 && runStart < line.size())
        Insert(line.substr(runStart));
    // An 8-bit document holds the umlauts as TeX writes them ("a), while the lists hold letters.
    std::u16string notation;
    bool umlaut = false;
    for (std::size_t i = 0; i < line.size();) {
        const CharAt c = CharacterAt(line, i);
        i += c.units;
        if (const auto letter = UmlautLetter(c.code)) {
            notation += u'"';
            notation += static_cast<char16_t>(*letter);
            umlaut = true;
        } else {
            AppendCharacter(c.code, notation);
        }
    }
    if (umlaut)
        Insert(notation);
}

void Dictionary::Insert(std::u16string_view word) {
    FoldWord(word, folded_);
    if (known_.find(std::u16string_view(folded_)) == known_.end())
        known_.emplace(folded_);
}

void Dictionary::Add(std::u16string_view word) {
    if (word.empty() || word != Trimmed(word) || Contains(word))
        return;
    if (std::any_of(word.begin(), word.end(), [](char16_t c) { return c < 0x20 || c == 0x7F; }))
        return;
    pending_.emplace_back(word);
    AddLine(word);
}

bool Dictionary::Contains(std::u16string_view word) const {
    std::u16string folded;
    FoldWord(word, folded);
    return ContainsFolded(folded);
}

std::string LearnedFileText(std::string_view onDisk, const std::vector<std::u16string>& words) {
    std::string text(onDisk);
    const std::string_view lineEnd = LineEndText(DetectLineEnd(onDisk));
    // The lines there already, as the file holds them, so that a word another run wrote
    // meanwhile is not written twice.
    std::unordered_set<std::string_view> lines;
    std::string_view rest = onDisk;
    if (rest.starts_with(kByteOrderMark))
        rest.remove_prefix(kByteOrderMark.size());
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find_first_of("\r\n"), rest.size());
        lines.insert(rest.substr(0, end));
        rest.remove_prefix(end < rest.size() ? end + 1 : end);
    }
    // A file made elsewhere in Windows-1252 gets its words in that code page, or it would no
    // longer read as one: a word the code page cannot hold is left out.
    const bool codePage = !IsValidUtf8(onDisk);
    std::vector<std::string> added;
    for (const std::u16string& word : words) {
        if (codePage && !std::all_of(word.begin(), word.end(), [](char16_t c) {
                return CanEncode(c, TextEncoding::Windows1252);
            }))
            continue;
        std::string bytes =
            codePage ? EncodeText(word, TextEncoding::Windows1252) : Utf16ToUtf8(word);
        if (lines.contains(bytes) || std::find(added.begin(), added.end(), bytes) != added.end())
            continue;
        added.push_back(std::move(bytes));
    }
    if (added.empty())
        return text;
    const std::string_view held =
        onDisk.starts_with(kByteOrderMark) ? onDisk.substr(kByteOrderMark.size()) : onDisk;
    if (!held.empty() && held.back() != '\n' && held.back() != '\r')
        text += lineEnd;
    for (const std::string& word : added) {
        text += word;
        text += lineEnd;
    }
    return text;
}

} // namespace orvelt
