#include "insert/palettes/PaletteTables.h"

#include "TestFiles.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace orvelt {
namespace {

std::vector<std::string> KeywordLines() {
    std::istringstream in(testing::ReadFile(ORVELT_DATA_DIR "/KEYWORDS.TXT"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// Every command a palette or the font palette inserts.
std::vector<std::string_view> InsertedCommands() {
    std::vector<std::string_view> commands;
    for (SymbolPalette palette : kSymbolPalettes)
        for (const PaletteSymbol& symbol : TableOf(palette).symbols)
            commands.push_back(symbol.command);
    for (const auto& choices : {FontChoices(), SizeChoices()})
        for (const FontChoice& choice : choices)
            commands.push_back(choice.command);
    return commands;
}

TEST(SymbolTables, EachPaletteHoldsDistinctSymbolsThatFitItsGrid) {
    const std::size_t counts[] = {41, 36, 37, 32, 33};
    for (SymbolPalette palette : kSymbolPalettes) {
        const SymbolTable& table = TableOf(palette);
        SCOPED_TRACE(std::string(table.windowClass));
        EXPECT_EQ(table.symbols.size(), counts[static_cast<int>(palette)]);
        EXPECT_LE(table.symbols.size(), static_cast<std::size_t>(table.columns * table.rows));
        std::set<std::string_view> commands;
        std::set<char32_t> pictures;
        for (const PaletteSymbol& symbol : table.symbols) {
            EXPECT_TRUE(commands.insert(symbol.command).second) << symbol.command << " twice";
            if (symbol.codePoint != 0) {
                EXPECT_TRUE(pictures.insert(symbol.codePoint).second)
                    << symbol.command << " looks like another button";
            }
        }
    }
}

// Only \Join has no character in the installed fonts; every other button shows its glyph.
TEST(SymbolTables, EverySymbolButTheDrawnOnesHasACodePoint) {
    for (SymbolPalette palette : kSymbolPalettes)
        for (const PaletteSymbol& symbol : TableOf(palette).symbols)
            EXPECT_EQ(symbol.codePoint == 0, symbol.command == "\\Join") << symbol.command;
}

TEST(SymbolTables, EveryCommandIsOneControlSequence) {
    for (std::string_view command : InsertedCommands()) {
        if (command == "o")
            continue; // omicron is the Latin letter
        SCOPED_TRACE(std::string(command));
        ASSERT_GE(command.size(), 2u);
        EXPECT_EQ(command.front(), '\\');
        const std::string_view name = command.substr(1);
        const bool letters = std::all_of(name.begin(), name.end(), [](char c) {
            return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        });
        EXPECT_TRUE(letters || name.size() == 1);
    }
}

// The highlighter colours and the command list offers only what the keyword list holds: \Join,
// \leadsto, \Box and others the palettes insert were missing from it.
TEST(KeywordList, HoldsEveryPaletteCommandInByteOrderOnce) {
    const std::vector<std::string> lines = KeywordLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(std::adjacent_find(lines.begin(), lines.end(), std::greater_equal<>()) ==
                lines.end())
        << "out of byte order or twice";
    for (std::string_view command : InsertedCommands()) {
        if (command != "o") {
            EXPECT_TRUE(std::binary_search(lines.begin(), lines.end(), command)) << command;
        }
    }
}

struct StepRow {
    const char* name;
    int choice;
    bool upper;
    int count;
    int expected;
};

TEST(UpDown, UpperStepsBackLowerForwardWrappingAtBothEnds) {
    const StepRow rows[] = {
        {"nominal: lower arrow steps forward", 1, false, 8, 2},
        {"nominal: upper arrow steps back", 5, true, 10, 4},
        {"robustness: upper arrow from the first wraps to the last", 1, true, 8, 8},
        {"robustness: lower arrow from the last wraps to the first", 8, false, 8, 1},
        {"robustness: the size row wraps at ten", 10, false, 10, 1},
    };
    for (const StepRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(StepChoice(row.choice, row.upper, row.count), row.expected);
    }
}

} // namespace
} // namespace orvelt
