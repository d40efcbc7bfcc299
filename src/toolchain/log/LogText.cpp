#include "core/CodePage.h"
#include "core/FileNames.h"
#include "toolchain/log/LogParser.h"

#include <algorithm>
#include <climits>

namespace orvelt {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The bytes a UTF-8 character takes, judged by its first byte; 1 for any other byte.
std::size_t SequenceLength(char first) {
    const auto b = static_cast<unsigned char>(first);
    return b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
}

std::size_t LineBreakAt(std::string_view text, std::size_t at) {
    if (text.substr(at, 1) == "\n") {
        return 1;
    }
    return text.substr(at, 2) == "\r\n" ? 2 : 0;
}

} // namespace

LineNumber ExtractLineNumber(std::string_view text) {
    const auto first = std::find_if(text.begin(), text.end(), IsDigit);
    if (first == text.end()) {
        return {};
    }
    const auto last = std::find_if(text.rbegin(), text.rend(), IsDigit).base();
    if (!std::all_of(first, last, IsDigit)) {
        return {LineNumber::Kind::NotANumber, 0};
    }
    int value = 0;
    for (auto digit = first; digit != last; ++digit) {
        const int d = *digit - '0';
        if (value > (INT_MAX - d) / 10) {
            return {LineNumber::Kind::Number, INT_MAX};
        }
        value = value * 10 + d;
    }
    return {LineNumber::Kind::Number, value};
}

std::string LogFileName(std::string_view sourceName, bool bibliography) {
    return StripExtension(sourceName) + (bibliography ? ".blg" : ".log");
}

std::string MendWrappedCharacters(std::string_view log) {
    std::string mended;
    mended.reserve(log.size());
    std::size_t i = 0;
    while (i < log.size()) {
        const auto lead =
            std::find_if(log.begin() + i, log.end(), [](char c) { return SequenceLength(c) > 1; });
        mended.append(log.begin() + i, lead);
        i = lead - log.begin();
        if (i == log.size()) {
            break;
        }
        const std::size_t length = SequenceLength(log[i]);
        std::size_t before = 1;
        while (before < length && i + before < log.size() && IsContinuation(log[i + before])) {
            ++before;
        }
        const std::size_t lineBreak = before < length ? LineBreakAt(log, i + before) : 0;
        if (lineBreak > 0) {
            const std::size_t rest = i + before + lineBreak;
            std::string character(log.substr(i, before));
            character.append(log.substr(std::min(rest, log.size()), length - before));
            if (character.size() == length && IsValidUtf8(character)) {
                mended += character;
                mended.append(log.substr(i + before, lineBreak));
                i = rest + length - before;
                continue;
            }
        }
        mended.push_back(log[i]);
        ++i;
    }
    return mended;
}

} // namespace orvelt
