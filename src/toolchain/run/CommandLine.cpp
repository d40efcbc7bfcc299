#include "toolchain/run/CommandLine.h"

#include <string>

namespace orvelt {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Three quotes in a row are one literal quote wherever they stand and leave the quoting as it
// was: `"a """ b"` gives `a " b`, `"""hi"""` gives `"hi"`. A quote makes a word even when
// nothing else does: `""` is an empty argument, as a user who types it means. Each word is
// handed over as it ends, so one buffer serves them all.
template <typename TakeWord> void SplitWords(std::string_view command, TakeWord takeWord) {
    std::string word;
    bool inWord = false;
    bool quoted = false;
    std::size_t i = 0;
    while (i < command.size()) {
        const char c = command[i];
        if (c == '"') {
            inWord = true;
            if (command.substr(i, 3) == R"(""")") {
                word += '"';
                i += 3;
            } else {
                quoted = !quoted;
                ++i;
            }
            continue;
        }
        if (IsBlank(c) && !quoted) {
            if (inWord)
                takeWord(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
        ++i;
    }
    if (inWord)
        takeWord(word);
}

// One pass: a file base such as `report%n` is put in and never read again.
std::string Fill(std::string_view text, std::string_view fileBase, std::string_view line) {
    std::string filled;
    filled.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t percent = text.find('%', i);
        if (percent == std::string_view::npos || percent + 1 == text.size()) {
            filled.append(text.substr(i));
            break;
        }
        filled.append(text.substr(i, percent - i));
        const char kind = text[percent + 1];
        if (kind == 'f' || kind == 'n') {
            filled.append(kind == 'f' ? fileBase : line);
            i = percent + 2;
        } else {
            filled += '%';
            i = percent + 1;
        }
    }
    return filled;
}

} // namespace

CommandLine SubstituteCommandLine(std::string_view command, std::string_view fileBase,
                                  int lineNumber) {
    CommandLine result;
    if (fileBase.find("%f") != std::string_view::npos) {
        result.fileBaseRejected = true;
        return result;
    }
    const std::string line = std::to_string(lineNumber);
    SplitWords(command,
               [&](std::string_view word) { result.words.push_back(Fill(word, fileBase, line)); });
    result.display = Fill(command, fileBase, line);
    return result;
}

} // namespace orvelt
