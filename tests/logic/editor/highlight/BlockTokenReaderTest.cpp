#include "editor/highlight/BlockTokenReader.h"

#include "TestFiles.h"
#include "core/CodePage.h"
#include "editor/highlight/TokenScanner.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace orvelt {
namespace {

template <class CharT> struct Flat {
    std::size_t offset;
    TokenKind kind;
    std::basic_string<CharT> text;
    bool operator==(const Flat&) const = default;
};

template <class CharT>
std::vector<Flat<CharT>> WholeScan(std::basic_string_view<CharT> input, ScanOptions options) {
    std::vector<Flat<CharT>> out;
    for (const auto& token : ScanText(input, options)) {
        out.push_back({token.offset, token.kind, std::basic_string<CharT>(token.text)});
    }
    return out;
}

// maxRead below the block size imitates a source that delivers less than asked.
template <class CharT>
std::vector<Flat<CharT>> BlockScan(std::basic_string_view<CharT> input, ScanOptions options,
                                   std::size_t blockSize, std::size_t maxRead,
                                   std::size_t& consumed) {
    std::size_t readAt = 0;
    BlockTokenReader<CharT> reader(
        [&](CharT* into, std::size_t capacity) {
            const std::size_t count = std::min({capacity, maxRead, input.size() - readAt});
            std::copy_n(input.data() + readAt, count, into);
            readAt += count;
            return count;
        },
        options, blockSize);
    std::vector<Flat<CharT>> out;
    while (auto token = reader.Next()) {
        out.push_back({token->offset, token->kind, std::basic_string<CharT>(token->text)});
    }
    consumed = reader.Consumed();
    return out;
}

template <class CharT>
void ExpectSameForEveryBlockSize(std::basic_string_view<CharT> input, ScanOptions options) {
    const auto whole = WholeScan(input, options);
    for (const auto& token : whole) {
        ASSERT_EQ(input.substr(token.offset, token.text.size()), token.text)
            << "a token views the input at its offset";
    }
    const std::size_t blockSizes[] = {1, 2, 3, 4, 7, 64, 9000, 10000};
    for (std::size_t blockSize : blockSizes) {
        for (std::size_t maxRead : {blockSize, std::size_t{3}}) {
            SCOPED_TRACE("block size " + std::to_string(blockSize) + ", reads of at most " +
                         std::to_string(maxRead));
            std::size_t consumed = 0;
            EXPECT_EQ(BlockScan(input, options, blockSize, maxRead, consumed), whole);
            EXPECT_EQ(consumed, input.size());
        }
    }
}

// The surface's text of a file, as the window decodes it.
std::u16string Utf16Of(const std::string& bytes) {
    return DecodeText(bytes, DetectEncoding(bytes, false));
}

std::vector<std::filesystem::path> TestDataFiles() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(ORVELT_TEST_DATA)) {
        if (entry.is_regular_file()) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

const ScanOptions kOptionSets[] = {
    {ScanMode::Source, false, true, false},
    {ScanMode::Source, true, true, true},
    {ScanMode::Source, true, false, true},
    {ScanMode::Source, false, true, true},
};

TEST(BlockTokenReader, TestDataScansAlikeInAnyBlockSize) {
    const auto files = TestDataFiles();
    ASSERT_GE(files.size(), 4u);
    for (const auto& path : files) {
        SCOPED_TRACE(path.filename().string());
        const std::string bytes = testing::ReadFile(path);
        const std::u16string text = Utf16Of(bytes);
        for (const ScanOptions& options : kOptionSets) {
            SCOPED_TRACE("specials filtered " + std::to_string(options.filterSpecials) +
                         ", UTF-8 " + std::to_string(options.utf8) + ", soft breaks removed " +
                         std::to_string(options.removeSoftBreaks));
            ExpectSameForEveryBlockSize(std::string_view(bytes), options);
            ExpectSameForEveryBlockSize(std::u16string_view(text), options);
        }
    }
}

// Cuts that fall inside a marker, between CR and LF, inside a UTF-8 sequence or a special
// are what tiny blocks provoke; random text over the syntax characters finds them.
TEST(BlockTokenReader, RandomSyntaxScansAlikeInAnyBlockSize) {
    const std::string pieces[] = {
        "\\",       "%",    "%%@",       "\r\n",    "\n",       "\r",
        "{",        "}",    "[",         "$",       "a",        "bc",
        " ",        "\t",   "\\special", "{src:1}", "\xC3\xA9", "\xF0\x9F\x98\x80",
        "\xE2\x82", "\x01", "\"",        "\\verb|", "\\url{",   "\\begin{verbatim}"};
    std::mt19937 random(20261206);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> length(0, 24);
    for (int round = 0; round < 300; ++round) {
        std::string input;
        for (int n = length(random); n > 0; --n) {
            input += pieces[pick(random)];
        }
        SCOPED_TRACE(::testing::PrintToString(input));
        const std::u16string text = Utf16Of(input);
        for (const ScanOptions& options : kOptionSets) {
            ExpectSameForEveryBlockSize(std::string_view(input), options);
            ExpectSameForEveryBlockSize(std::u16string_view(text), options);
        }
        // Re-highlighting a line restyles it and must not lose or repeat a character.
        std::u16string rejoined;
        for (const auto& token : ScanLine(text)) {
            rejoined += token.text;
        }
        EXPECT_EQ(rejoined, text);
    }
}

TEST(BlockTokenReader, FilesSavedWithWordWrapLoseTheirMarkers) {
    struct Row {
        const char* name;
        const char* file;
    };
    const Row rows[] = {
        {"nominal: LF file with wrapped text and comments", "highlight-article.tex"},
        {"nominal: CR LF file with specials and wrapped comments", "highlight-thesis-crlf.tex"},
        {"nominal: 8-bit file", "highlight-letter-cp1252.tex"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string bytes =
            testing::ReadFile(std::filesystem::path(ORVELT_TEST_DATA) / row.file);
        ASSERT_NE(bytes.find("%%@"), std::string::npos);
        std::string shown;
        for (const auto& token : ScanText(std::string_view(bytes), kOptionSets[1])) {
            shown += token.text;
        }
        EXPECT_EQ(shown.find("%%@"), std::string::npos) << shown;
        EXPECT_EQ(shown.find("src:"), std::string::npos) << shown;
    }
}

} // namespace
} // namespace orvelt
