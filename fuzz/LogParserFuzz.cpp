#include "toolchain/log/LogParser.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsLineEnd(char c) {
    return c == '\n' || c == '\r';
}

orvelt::LogFindings ParseInBlocks(std::string_view log, std::size_t size) {
    orvelt::LogParser parser;
    for (std::size_t at = 0; at < log.size(); at += size) {
        parser.Feed(log.substr(at, size));
    }
    return parser.Finish();
}

// An entry is one line or lines joined, its digits a number or none.
void CheckEntries(const std::vector<orvelt::LogEntry>& entries) {
    for (const orvelt::LogEntry& entry : entries) {
        Check(std::none_of(entry.text.begin(), entry.text.end(), IsLineEnd));
        Check(std::all_of(entry.digits.begin(), entry.digits.end(), IsDigit));
        const auto kind = orvelt::ExtractLineNumber(entry.digits).kind;
        Check(kind == (entry.digits.empty() ? orvelt::LineNumber::Kind::NoDigit
                                            : orvelt::LineNumber::Kind::Number));
    }
}

std::string WithoutLineEnds(std::string text) {
    std::erase_if(text, IsLineEnd);
    return text;
}

} // namespace

// The findings do not depend on where the blocks end; mending moves line breaks and nothing else.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view log(reinterpret_cast<const char*>(data), size);
    const orvelt::LogFindings whole = orvelt::ParseLog(log);
    CheckEntries(whole.errors);
    CheckEntries(whole.warnings);
    for (const orvelt::LogEntry& error : whole.errors) {
        Check(error.text.starts_with('!'));
    }
    for (const std::size_t blockSize : {1, 7, 80}) {
        const orvelt::LogFindings blocks = ParseInBlocks(log, blockSize);
        Check(blocks.errors == whole.errors && blocks.warnings == whole.warnings);
    }
    const std::string mended = orvelt::MendWrappedCharacters(log);
    Check(mended.size() == log.size());
    Check(WithoutLineEnds(mended) == WithoutLineEnds(std::string(log)));
    Check(std::count(mended.begin(), mended.end(), '\n') ==
          std::count(log.begin(), log.end(), '\n'));
    return 0;
}
