#include "toolchain/log/LogParser.h"

#include <gtest/gtest.h>
#include <ostream>

namespace orvelt {

void PrintTo(const LogEntry& entry, std::ostream* out) {
    *out << "{\"" << entry.text << "\", \"" << entry.digits << "\"}";
}

namespace {

using namespace std::string_literals;
using Entries = std::vector<LogEntry>;

struct Row {
    const char* name;
    std::string log;
    Entries errors;
    Entries warnings;
};

LogFindings ParseInBlocks(std::string_view log, std::size_t size) {
    LogParser parser;
    for (std::size_t at = 0; at < log.size(); at += size) {
        parser.Feed(log.substr(at, size));
    }
    return parser.Finish();
}

// The findings must not depend on where the blocks end.
void ExpectFindings(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        for (const std::size_t size : {1, 7, 4096}) {
            SCOPED_TRACE("blocks of " + std::to_string(size));
            const LogFindings found = ParseInBlocks(row.log, size);
            EXPECT_EQ(found.errors, row.errors);
            EXPECT_EQ(found.warnings, row.warnings);
        }
    }
}

// A warning line as TeX's wrap ends it after 79 bytes: a long key, then tail.
std::string Cut(std::string_view tail) {
    std::string line = "LaTeX Warning: Reference `";
    line.append(79 - line.size() - tail.size(), 'k');
    return line.append(tail);
}

TEST(LogParser, ListsErrorsWithTheirLocationLine) {
    ExpectFindings({
        {"nominal",
         "! Undefined control sequence.\n<to be read again> \n\nl.12 \\foo\n  bar\n",
         {{"! Undefined control sequence.", "12"}},
         {}},
        {"two '!' in a row: the first had no l. line", "!A\n!B\nl.7 x\n", {{"!B", "7"}}, {}},
        {"'!' as the last line is dropped", "x\n! Emergency stop.\n", {}, {}},
        {"an l. line last, cut", "!A\n$\nl.42", {{"!A", "42"}}, {}},
        {"an l. line without digits", "!A\nl. x\n", {{"!A", ""}}, {}},
        {"the lines searched are not warnings", "!A\nA Warning: line 3\nl.5\n", {{"!A", "5"}}, {}},
        {"no l. line: nothing after the '!' is listed", "!A\nA Warning: line 3\n", {}, {}},
        {"only column 1 counts", "!A\n l.3\nl\nl,4\nl.5\n ! B\nl.6\n", {{"!A", "5"}}, {}},
        {"reading goes on after the l. line",
         "!A\nl.5\nWarning line 6",
         {{"!A", "5"}},
         {{"Warning line 6", "6"}}},
    });
}

TEST(LogParser, ListsWarningsWithTheFirstWordLine) {
    const std::string reference =
        "LaTeX Warning: Reference `x' on page 1 undefined on input line 7.";
    const std::string overfull = "Overfull \\hbox (2.0pt too wide) in paragraph at lines 10--12";
    ExpectFindings({
        {"nominal", reference + "\n" + overfull + "\n", {}, {{reference, "7"}, {overfull, "10"}}},
        {"the keyword after the number", "line 4, Underfull", {}, {{"line 4, Underfull", "4"}}},
        {"no 'line'", "LaTeX Warning: There were undefined references.\n", {}, {}},
        {"case-sensitive", "LaTeX warning: line 3\nA Warning: Line 4\n", {}, {}},
        // The first "line" anywhere counted: a key smith2020online gave its page, 3.
        {"regression: a key ending in 'line'",
         "Warning `online' page 3 line 4",
         {},
         {{"Warning `online' page 3 line 4", "4"}}},
        {"after a UTF-8 or an 8-bit letter",
         "Warning m\xc3\xbcline 3\nWarning M\xfcline 3",
         {},
         {}},
        {"no digit after 'line'", "A Warning: line below.\n", {}, {{"A Warning: line below.", ""}}},
    });
}

TEST(LogParser, EndsLinesAtLfCrLfAndCr) {
    const std::string cut = Cut(" line 1");
    ExpectFindings({
        {"nominal", "!A\rl.1\r\n!B\nl.2\r", {{"!A", "1"}, {"!B", "2"}}, {}},
        {"CR LF is one end", cut + "\r\n2.\r\n", {}, {{cut + "2.", "12"}}},
        {"a lone CR is one end", cut + "\r2.", {}, {{cut + "2.", "12"}}},
        {"LF CR is two ends", cut + "\n\r2.\n", {}, {{cut, "1"}}},
    });
}

TEST(LogParser, JoinsLinesTheWrapCut) {
    const std::string number = Cut(" on input line 1");
    const std::string word = Cut(" on input li");
    const std::string chain = Cut(" on") + std::string(79, 'p');
    const std::string bang = "!" + std::string(78, 'x');
    const std::string context(79, 'c');
    const std::string character = Cut(" M\xc3");
    const std::string letter = Cut("`m\xc3\xb6");
    ExpectFindings({
        // Read line by line, "line 1" + "2." gave line 1 and "li" + "ne 12." nothing.
        {"regression: a number cut", number + "\n2.\n", {}, {{number + "2.", "12"}}},
        {"regression: 'line' cut", word + "\nne 12.\n", {}, {{word + "ne 12.", "12"}}},
        {"not over an empty line", number + "\n\n2.\n", {}, {{number, "1"}}},
        {"a chain",
         Cut(" on") + "\n" + std::string(79, 'p') + "\n line 5.\nline 6 Warning\n",
         {},
         {{chain + " line 5.", "5"}, {"line 6 Warning", "6"}}},
        {"not a '!' line", bang + "\nl.5 \n", {{bang, "5"}}, {}},
        {"not onto a '!' line", number + "\n!A\nl.2\n", {{"!A", "2"}}, {{number, "1"}}},
        {"not in the search", "!A\n" + context + "\nl.12 \\foo\n", {{"!A", "12"}}, {}},
        {"a UTF-8 character cut",
         character + "\n\xb6 line 4.",
         {},
         {{character + "\xb6 line 4.", "4"}}},
        // The byte before a continuation's "line" ends the line before: "line2" gave 2.
        {"regression: a letter before the cut",
         letter + "\nline2 line 4.",
         {},
         {{letter + "line2 line 4.", "4"}}},
    });
}

TEST(LogParser, ReadsAnyBytes) {
    const std::string early = "A Warning: line 7 " + std::string(100000, 'x');
    const std::string late = "A Warning: " + std::string(100000, 'x') + " line 8";
    const std::string error = "!" + std::string(100000, 'x');
    // A TeX loop writing one message: 2,000 wrapped lines, the number on the last.
    const std::string message = "A Warning: " + std::string(2000 * 79 - 11, '.') + "line 9";
    std::string loop;
    for (std::size_t at = 0; at < message.size(); at += 79) {
        loop.append(message, at, 79).append("\n");
    }
    const std::string digits = "A Warning: line 99999999999999999999";
    ExpectFindings({
        {"an empty log", "", {}, {}},
        {"line ends only", "\n\r\n\r\n\n", {}, {}},
        {"NUL and bytes above 127",
         "\0\xff!A\nWarning\0line 3\n"s,
         {},
         {{"Warning\0line 3"s, "3"}}},
        {"cut inside a wrapped warning",
         Cut(" line 1") + "\n2",
         {},
         {{Cut(" line 1") + "2", "12"}}},
        {"a number too long for an int", digits, {}, {{digits, digits.substr(16)}}},
        {"a long warning", early, {}, {{early.substr(0, kLogEntryBytes), "7"}}},
        {"a number after the kept bytes", late, {}, {{late.substr(0, kLogEntryBytes), "8"}}},
        {"a wrapped message longer than an entry",
         loop,
         {},
         {{message.substr(0, kLogEntryBytes), "9"}}},
        {"a long error", error + "\nl.3\n", {{error.substr(0, kLogEntryBytes), "3"}}, {}},
    });
}

TEST(LogParser, ReadsOneTenMegabyteLine) {
    const std::string line = "A Warning: " + std::string(10'000'000, '\xff') + " line 5";
    for (const std::size_t size : {std::size_t{65536}, line.size()}) {
        SCOPED_TRACE("blocks of " + std::to_string(size));
        const LogFindings found = ParseInBlocks(line, size);
        EXPECT_EQ(found.warnings, (Entries{{line.substr(0, kLogEntryBytes), "5"}}));
    }
}

} // namespace
} // namespace orvelt
