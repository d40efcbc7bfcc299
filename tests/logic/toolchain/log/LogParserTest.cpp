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

// The findings must not depend on where the blocks end: every row is read in blocks of 1, 7 and
// 4096 bytes.
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

// A warning line that TeX's wrap ends after 79 bytes: a long key, then tail.
std::string Wrapped(std::string_view tail) {
    std::string line = "LaTeX Warning: Reference `";
    line.append(79 - line.size() - tail.size(), 'k');
    return line.append(tail);
}

TEST(LogParser, ListsErrorsWithTheirLocationLine) {
    ExpectFindings({
        {"nominal: the digits of the l. line",
         "! Undefined control sequence.\n<recently read> \\foo \n\nl.12 \\foo\n     bar\n",
         {{"! Undefined control sequence.", "12"}},
         {}},
        {"two '!' in a row: the first had no l. line", "! A.\n! B.\nl.7 x\n", {{"! B.", "7"}}, {}},
        {"'!' as the last line is dropped", "x\n! Emergency stop.\n", {}, {}},
        {"'!' as the last line, cut", "! Emergency stop.", {}, {}},
        {"an l. line last, cut",
         "! Missing $ inserted.\n$\nl.42",
         {{"! Missing $ inserted.", "42"}},
         {}},
        {"an l. line without digits", "! A.\nl. x\n", {{"! A.", ""}}, {}},
        {"the lines searched are not read as warnings",
         "! A.\nLaTeX Warning: x on input line 3.\nl.5 x\n",
         {{"! A.", "5"}},
         {}},
        {"no l. line before the end: nothing after the '!' is listed",
         "! A.\nLaTeX Warning: x on input line 3.\n",
         {},
         {}},
        {"only 'l.' in column 1 ends the search", "! A.\n l.3\nl\nl,4\nl.5\n", {{"! A.", "5"}}, {}},
        {"only '!' in column 1 starts an error", " ! A.\nl.3\n", {}, {}},
        {"reading goes on after the l. line",
         "! A.\nl.5 x\nLaTeX Warning: x on input line 6.\n",
         {{"! A.", "5"}},
         {{"LaTeX Warning: x on input line 6.", "6"}}},
    });
}

TEST(LogParser, ListsWarningsWithTheFirstWordLine) {
    const std::string reference =
        "LaTeX Warning: Reference `x' on page 1 undefined on input line 7.";
    const std::string overfull = "Overfull \\hbox (2.0pt too wide) in paragraph at lines 10--12";
    const std::string timeline =
        "LaTeX Warning: Reference `fig:timeline' on page 2 undefined on input line 9.";
    const std::string online =
        "LaTeX Warning: Citation `smith2020online' on page 3 undefined on input line 45.";
    const std::string umlaut = "LaTeX Warning: Citation `m\xc3\xbcline' on page 3 undefined.";
    ExpectFindings({
        {"nominal: a reference, an overfull box",
         reference + "\n" + overfull + "\n",
         {},
         {{reference, "7"}, {overfull, "10"}}},
        {"the keyword after the number", "line 4, Underfull", {}, {{"line 4, Underfull", "4"}}},
        {"no 'line': not listed", "LaTeX Warning: There were undefined references.\n", {}, {}},
        {"keywords are case-sensitive",
         "LaTeX warning: input line 3.\nA Warning: Line 4.\n",
         {},
         {}},
        // The first "line" anywhere counted: the key smith2020online gave its page, 3.
        {"regression: a key ending in 'line' does not count",
         timeline + "\n" + online + "\n",
         {},
         {{timeline, "9"}, {online, "45"}}},
        {"'line' after a UTF-8 letter does not count", umlaut + "\n", {}, {}},
        {"'line' after an 8-bit letter does not count", "Warning: M\xfcline 3\n", {}, {}},
        {"no digit after 'line'",
         "A Warning: see the line below.\n",
         {},
         {{"A Warning: see the line below.", ""}}},
        {"only ASCII digits",
         "A Warning: line \xd9\xa3 7\n",
         {},
         {{"A Warning: line \xd9\xa3 7", "7"}}},
    });
}

TEST(LogParser, EndsLinesAtLfCrLfAndCr) {
    const std::string cut = Wrapped("' on input line 1");
    ExpectFindings({
        {"nominal: each end", "! A.\rl.1\r\n! B.\nl.2\r", {{"! A.", "1"}, {"! B.", "2"}}, {}},
        {"CR LF is one end: the wrap joins", cut + "\r\n2.\r\n", {}, {{cut + "2.", "12"}}},
        {"a lone CR is one end: the wrap joins", cut + "\r2.", {}, {{cut + "2.", "12"}}},
        {"LF CR is two ends: no join over the empty line", cut + "\n\r2.\n", {}, {{cut, "1"}}},
    });
}

TEST(LogParser, JoinsLinesTheWrapCut) {
    const std::string number = Wrapped("' on page 1 undefined on input line 1");
    const std::string word = Wrapped("' on page 1 undefined on input li");
    const std::string after = Wrapped("' on page 1 undefined on input line");
    const std::string first = Wrapped("' on");
    const std::string middle(79, 'p');
    const std::string bang = "!" + std::string(78, 'x');
    const std::string context = "<argument> " + std::string(68, 'c');
    const std::string character = Wrapped("' on page 1, M\xc3");
    const std::string letter = Wrapped("`m\xc3\xb6");
    ExpectFindings({
        // Read line by line, "input line 1" + "2." gave line 1 and "input li" + "ne 12." nothing.
        {"regression: a number cut", number + "\n2.\n", {}, {{number + "2.", "12"}}},
        {"regression: 'line' cut", word + "\nne 12.\n", {}, {{word + "ne 12.", "12"}}},
        {"cut just after 'line'", after + "\n 12.\n", {}, {{after + " 12.", "12"}}},
        {"no join over an empty line", number + "\n\n2.\n", {}, {{number, "1"}}},
        {"a chain while continuations are 79 bytes",
         first + "\n" + middle + "\n line 5.\nline 6 Warning\n",
         {},
         {{first + middle + " line 5.", "5"}, {"line 6 Warning", "6"}}},
        {"a 79-byte '!' line is not joined", bang + "\nl.5 \n", {{bang, "5"}}, {}},
        {"a '!' line does not continue a warning",
         number + "\n! A.\nl.2\n",
         {{"! A.", "2"}},
         {{number, "1"}}},
        {"a 79-byte context line before its l. line is not joined",
         "! Undefined control sequence.\n" + context + "\nl.12 \\foo\n",
         {{"! Undefined control sequence.", "12"}},
         {}},
        {"a UTF-8 character cut is whole in the entry",
         character + "\n\xb6ller on input line 4.\n",
         {},
         {{character + "\xb6ller on input line 4.", "4"}}},
        // The byte before a continuation's "line" is the previous line's last: the key's
        // "line2" gave line 2.
        {"regression: a letter before the cut keeps 'line' after it from counting",
         letter + "\nline2' on input line 4.\n",
         {},
         {{letter + "line2' on input line 4.", "4"}}},
    });
}

TEST(LogParser, ReadsAnyBytes) {
    const std::string longWarning = "A Warning: line 7 " + std::string(100000, 'x');
    const std::string lateNumber = "A Warning: " + std::string(100000, 'x') + " line 8";
    // A TeX loop writing one message: 2,000 wrapped lines, the number on the last.
    const std::string message = "A Warning: " + std::string(2000 * 79 - 11, '.') + "line 9";
    std::string loop;
    for (std::size_t at = 0; at < message.size(); at += 79) {
        loop.append(message, at, 79).append("\n");
    }
    const std::string longError = "!" + std::string(100000, 'x');
    ExpectFindings({
        {"an empty log", "", {}, {}},
        {"line ends only", "\n\r\n\r\n\n", {}, {}},
        {"NUL and bytes above 127 are data",
         "\0\xff! A\nA Warning: \0line 3\n"s,
         {},
         {{"A Warning: \0line 3"s, "3"}}},
        {"a log cut inside a wrapped warning",
         Wrapped("' on input line 1") + "\n2",
         {},
         {{Wrapped("' on input line 1") + "2", "12"}}},
        {"a number too long for an integer",
         "A Warning: line 99999999999999999999\n",
         {},
         {{"A Warning: line 99999999999999999999", "99999999999999999999"}}},
        {"a long warning keeps its first bytes",
         longWarning,
         {},
         {{longWarning.substr(0, kLogEntryBytes), "7"}}},
        {"a number after the kept bytes is found",
         lateNumber,
         {},
         {{lateNumber.substr(0, kLogEntryBytes), "8"}}},
        {"a wrapped message longer than an entry",
         loop,
         {},
         {{message.substr(0, kLogEntryBytes), "9"}}},
        {"a long error keeps its first bytes",
         longError + "\nl.3\n",
         {{longError.substr(0, kLogEntryBytes), "3"}},
         {}},
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
