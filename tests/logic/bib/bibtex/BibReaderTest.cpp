#include "bib/bibtex/BibReader.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace orvelt {
namespace {

std::string Shown(const FieldPair& pair) {
    switch (pair.Form) {
    case ValueForm::Raw:
        return pair.Value;
    case ValueForm::Quoted:
        return "\"" + pair.Value + "\"";
    case ValueForm::Delimited:
        break;
    }
    return "{" + pair.Value + "}";
}

// The database as "TYPE caption: name = value; ..." joined by " | ", category by category in
// tree order, with every pair that has a value or was given empty, then the fields kept beyond the
// pairs, then the entries of other types as "OTHER type key -> crossref: text". Among the fields
// beyond the pairs "+" marks a name the type's table does not list, "again" a value BibTeX ignores.
// A delimited value is shown in braces, a quoted one in double quotes, a raw one as it is.
std::string Describe(const BibDatabase& database) {
    std::string shown;
    const auto add = [&shown](const std::string& entry) {
        shown += (shown.empty() ? "" : " | ") + entry;
    };
    for (int type = 0; type < EntryTypeCount; ++type) {
        for (const BibEntry& entry : database.Category(type)) {
            std::string line = std::string(EntryTypeNames[type]) + " " + entry.Caption + ":";
            const char* separator = " ";
            for (int i = 0; i < entry.Data.FieldCount; ++i) {
                const FieldPair& pair = entry.Data.Fields[i];
                if (!pair.Value.empty() || pair.Given) {
                    line += separator + pair.Name + " = " + Shown(pair);
                    separator = "; ";
                }
            }
            for (const ExtraField& extra : entry.Extra) {
                line += separator + std::string(extra.InTable ? "" : "+") + extra.Pair.Name +
                        " = " + Shown(extra.Pair) + (extra.Repeat ? " again" : "");
                separator = "; ";
            }
            add(line);
        }
    }
    for (const UnknownEntry& other : database.UnknownEntries()) {
        add("OTHER " + other.Type + " " + other.Key +
            (other.Crossref.empty() ? "" : " -> " + other.Crossref) + ": " + other.Text);
    }
    return shown;
}

struct Row {
    const char* name;
    std::string text;
    std::string entries;
    int skipped = 0;
};

void RunRows(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const BibReadResult result = ReadBIB(row.text);
        EXPECT_TRUE(result.Report.Readable());
        EXPECT_EQ(Describe(result.Database), row.entries);
        EXPECT_EQ(result.Report.SkippedEntries, row.skipped);
        EXPECT_EQ(
            static_cast<std::size_t>(result.Report.AddedEntries + result.Report.UnknownEntries),
            result.Database.EntryCount() + result.Database.UnknownEntries().size());
    }
}

TEST(BibReader, EntriesAndValues) {
    RunRows({
        {"nominal: empty file", "", ""},
        {"nominal: text without any @", "just {some} text, = \"here\"", ""},
        {"nominal: braces and parentheses inside a braced value",
         "@article{K, title = {On {X} and (Y)}, year = 1996}",
         "ARTICLE K: cite key = {K}; title = {On {X} and (Y)}; year = 1996"},
        {"nominal: abbreviation in braces", "@STRING{jcp = {J. Chem. Phys.}}",
         "STRING jcp: jcp = {J. Chem. Phys.}"},
        {"nominal: abbreviation in double quotes reads the same",
         "@string{jcp = \"J. Chem. Phys.\"}", "STRING jcp: jcp = {J. Chem. Phys.}"},
        {"nominal: preamble", "@PREAMBLE{{\\newcommand{\\x}{y}}}",
         "PREAMBLE Preamble:  = {\\newcommand{\\x}{y}}"},
        {"nominal: entry in parentheses", "@BOOK(K, title = {T})",
         "BOOK K: cite key = {K}; title = {T}"},
        {"nominal: type words and field names in any case", "@Article{K, AUTHOR = {A}}",
         "ARTICLE K: cite key = {K}; author = {A}"},
        {"nominal: no cite key and no title", "@MISC{, author = {A}}", "MISC ?????: author = {A}"},
        {"nominal: no cite key, captioned by the title", "@MISC{, title = {T}}",
         "MISC T: title = {T}"},
        // Regression: every field the type's table does not list was dropped, so a save lost
        // doi, url, isbn, abstract, ...
        {"regression: fields outside the table kept after the pairs, in file order",
         "@MISC{K, url = {u}, title = {T}, Journal = {J}}",
         "MISC K: cite key = {K}; title = {T}; +url = {u}; +Journal = {J}"},
        {"nominal: a value longer than any read buffer is read whole",
         "@MISC{K, note = {" + std::string(20000, 'n') + "}}",
         "MISC K: cite key = {K}; note = {" + std::string(20000, 'n') + "}"},
        {"nominal: ordinary categories sorted by caption, ignoring case",
         "@MISC{b,} @MISC{A,} @ARTICLE{z,} @MISC{c,}",
         "ARTICLE z: cite key = {z} | MISC A: cite key = {A} | "
         "MISC b: cite key = {b} | MISC c: cite key = {c}"},
    });
}

TEST(BibReader, RawValuesKeepTheirForm) {
    RunRows({
        // Regression: bare words were written back in braces, so `jan` printed as "jan" instead
        // of the month, and an abbreviation became literal text.
        {"regression: bare month, number and abbreviation stay bare",
         "@ARTICLE{K, journal = jcp, year = 1996, month = jan}",
         "ARTICLE K: cite key = {K}; journal = jcp; year = 1996; month = jan"},
        // Regression: a concatenation lost its first and last character.
        {"regression: concatenation kept as written", "@ARTICLE{K, title = \"A\" # jcp # \"B\"}",
         "ARTICLE K: cite key = {K}; title = \"A\" # jcp # \"B\""},
        {"nominal: concatenation without blanks gets them around #",
         "@ARTICLE{K, month = aug#\"~15\"}", "ARTICLE K: cite key = {K}; month = aug # \"~15\""},
        {"nominal: delimited value with unbalanced braces stays as written",
         "@ARTICLE{K, title = \"a}b\"}", "ARTICLE K: cite key = {K}; title = \"a}b\""},
        {"nominal: abbreviation defined from another keeps its raw form",
         "@STRING{comp = ieee # \" Computer\"}", "STRING comp: comp = ieee # \" Computer\""},
    });
}

TEST(BibReader, FieldsOutsideTheTableKeepTheirForm) {
    RunRows({
        {"nominal: braced, quoted, bare and concatenated",
         "@ARTICLE{K, doi = {10.1/x}, url = \"http://u\", isbn = isbn9, issn = \"1\" # j # {2}}",
         "ARTICLE K: cite key = {K}; +doi = {10.1/x}; +url = \"http://u\"; +isbn = isbn9; +issn = "
         "\"1\" # j # {2}"},
        {"nominal: a quoted value of a pair is offered like any other",
         "@ARTICLE{K, title = \"T\"}", "ARTICLE K: cite key = {K}; title = {T}"},
        {"nominal: empty value kept", "@MISC{K, doi = {}}", "MISC K: cite key = {K}; +doi = {}"},
        {"nominal: name kept as written, tab and odd characters included",
         "@MISC{K, Abstract\t= {A}, file-name = {f}}",
         "MISC K: cite key = {K}; +Abstract = {A}; +file-name = {f}"},
    });
    const BibReadResult result = ReadBIB("@MISC{K, doi = {d}, url = {u}} @BOOK{L, isbn = 1}");
    EXPECT_EQ(result.Report.ExtraFields, 3);
    EXPECT_TRUE(result.Report.Diagnostics.empty()) << "no warning per field";
}

TEST(BibReader, RepeatedFieldsKeepEveryValue) {
    RunRows({
        // Regression: the last value replaced the first, while BibTeX uses the first: a save
        // changed the bibliography.
        {"regression: the first value is the entry's, later ones are kept",
         "@MISC{K, title = {One}, title = {Two}}",
         "MISC K: cite key = {K}; title = {One}; title = {Two} again"},
        {"regression: two different editors, any case",
         "@BOOK{K, editor = {A}, title = {T}, Editor = \"B\"}",
         "BOOK K: cite key = {K}; editor = {A}; title = {T}; Editor = \"B\" again"},
        {"nominal: an empty first value still wins", "@MISC{K, note = {}, note = {N}}",
         "MISC K: cite key = {K}; note = {}; note = {N} again"},
        {"nominal: a field outside the table given three times",
         "@MISC{K, url = {a}, doi = {d}, URL = {b}, url = {c}}",
         "MISC K: cite key = {K}; +url = {a}; +doi = {d}; +URL = {b} again; +url = {c} again"},
        // Regression: a second pair replaced an abbreviation's name and value; BibTeX defines the
        // first and stops.
        {"regression: an abbreviation's further pairs kept behind it",
         "@STRING{a = {x}, b = {y}, A = {z}}", "STRING a: a = {x}; +b = {y}; +A = {z} again"},
    });

    const BibReadResult result =
        ReadBIB("@MISC{K,\n title = {1},\n url = {u},\n TITLE = {2},\n url = {v}}");
    EXPECT_EQ(result.Report.RepeatedFields, 2);
    ASSERT_EQ(result.Report.Diagnostics.size(), 2u);
    EXPECT_EQ(result.Report.Diagnostics[0].Message, bibmsg::RepeatedField);
    EXPECT_EQ(result.Report.Diagnostics[0].Subject, "TITLE");
    EXPECT_EQ(result.Report.Diagnostics[0].Line, 4);
    EXPECT_EQ(result.Report.Diagnostics[1].Subject, "url");
    EXPECT_EQ(result.Report.Diagnostics[1].Line, 5);
}

TEST(BibReader, ManyFieldsInOneEntry) {
    std::string text = "@MISC{K";
    for (int i = 0; i < 50'000; ++i) {
        text += ", f" + std::to_string(i % 25'000) + " = 1";
    }
    const BibReadResult result = ReadBIB(text + "}");
    EXPECT_EQ(result.Report.ExtraFields, 50'000);
    EXPECT_EQ(result.Report.RepeatedFields, 25'000);
    ASSERT_EQ(result.Database.Category(9).size(), 1u);
    const std::vector<ExtraField>& extra = result.Database.Category(9)[0].Extra;
    ASSERT_EQ(extra.size(), 50'000u);
    EXPECT_FALSE(extra[24'999].Repeat);
    EXPECT_TRUE(extra[25'000].Repeat);
}

TEST(BibReader, DepthInsideValues) {
    RunRows({
        // Regression: "(" in a braced value raised the shared depth, the value ran past its
        // closing brace and swallowed every entry after it.
        {"regression: unmatched ( inside braces",
         "@BOOK{a, title = {Lecture notes (draft}}\n@BOOK{b, title = {T}}",
         "BOOK a: cite key = {a}; title = {Lecture notes (draft} | "
         "BOOK b: cite key = {b}; title = {T}"},
        {"regression: unmatched ( inside double quotes",
         "@BOOK{a, title = \"x (y\"}\n@BOOK{b, title = {T}}",
         "BOOK a: cite key = {a}; title = {x (y} | BOOK b: cite key = {b}; title = {T}"},
        {"nominal: a double quote inside braces does not end a quoted value",
         "@BOOK{a, title = \"x {\"} y\"}", "BOOK a: cite key = {a}; title = {x {\"} y}"},
        {"nominal: an unmatched ) inside braces closes nothing",
         "@BOOK{a, title = {x) y}, year = {1}}",
         "BOOK a: cite key = {a}; title = {x) y}; year = {1}"},
    });
}

TEST(BibReader, Names) {
    RunRows({
        // Regression: the tab became part of the name and the author was dropped as unknown.
        {"regression: tab before =", "@ARTICLE{K, author\t= {A}, title\t\t=\t{T}}",
         "ARTICLE K: cite key = {K}; author = {A}; title = {T}"},
        // Regression: the first character was skipped, so `_title` overwrote the title.
        {"regression: names starting with odd characters are names of their own",
         "@BOOK{K, title = {T}, _title = {X}, editor = {E}, .editor = {Y}}",
         "BOOK K: cite key = {K}; editor = {E}; title = {T}; +_title = {X}; +.editor = {Y}"},
        // Regression: a name without value replaced the cite key by "note".
        {"regression: name without value after a field leaves the cite key",
         "@MISC{K, title = {T}, note = , year = 2}",
         "MISC K: cite key = {K}; title = {T}; year = 2"},
        {"nominal: name without value before any field is the cite key",
         "@MISC{ key:1/b , title = {T}}", "MISC key:1/b: cite key = {key:1/b}; title = {T}"},
    });
}

TEST(BibReader, PercentLinesBetweenFields) {
    RunRows({
        // Regression: the comment's words were read as a name and a value, and skipping them up
        // to the next comma took the year with them.
        {"regression: a % line where a field name is due is a comment",
         "@BOOK{K,\n  title = {T},\n% a remark, then\n  year = 1999,\n}",
         "BOOK K: cite key = {K}; title = {T}; year = 1999"},
        {"nominal: a field commented out", "@MISC{K,\n  %url = {u},\n  note = {N}\n}",
         "MISC K: cite key = {K}; note = {N}"},
        {"nominal: comment after the key, and lines in a row",
         "@MISC{K, % the key\n%\n  % more\n  note = {N}}", "MISC K: cite key = {K}; note = {N}"},
        {"nominal: comment at the end of an entry", "@MISC{K, note = {N},\n% done\n}\n@MISC{L,}",
         "MISC K: cite key = {K}; note = {N} | MISC L: cite key = {L}"},
        {"nominal: CR LF line ends", "@MISC{K,\r\n% c\r\n  note = {N}\r\n}",
         "MISC K: cite key = {K}; note = {N}"},
        // Regression (found by fuzzing): the comment ran past a lone CR, which the writer writes
        // for a file of CR line ends, and took the entry's closing brace with it.
        {"regression: a lone CR ends the comment", "@MISC{K,\r% c\r  note = {N}\r}",
         "MISC K: cite key = {K}; note = {N}"},
        {"nominal: % inside a value is text", "@MISC{K, note = {50% off}, year = 1}",
         "MISC K: cite key = {K}; year = 1; note = {50% off}"},
        {"robustness: comment to the end of the file", "@MISC{K, note = {N}, % no line end",
         "MISC K: cite key = {K}; note = {N}"},
    });
}

TEST(BibReader, KeysAsBibTeXReadsThem) {
    RunRows({
        // Regression: the key stopped at "=", so `a=b` became a field and the entry lost its key.
        {"regression: a key holding =", "@misc{a=b, title={T}}",
         "MISC a=b: cite key = {a=b}; title = {T}"},
        {"nominal: quotes and brackets in a key", "@misc{x(1)\"y,}",
         "MISC x(1)\"y: cite key = {x(1)\"y}"},
        {"nominal: ) in the key of an entry in braces", "@misc{k)x, year = 1}",
         "MISC k)x: cite key = {k)x}; year = 1"},
        {"nominal: } in the key of an entry in parentheses", "@misc(k}x, year = 1)",
         "MISC k}x: cite key = {k}x}; year = 1"},
        {"nominal: no key, a field first", "@misc{title = {T}, year = 1}",
         "MISC T: title = {T}; year = 1"},
        {"nominal: empty key", "@misc{ , year = 1}", "MISC ?????: year = 1"},
        {"nominal: a name after an empty key is no key", "@misc{, k, year = 1}",
         "MISC ?????: year = 1"},
        // Regression: `%w` was read as a field, which written back became a comment.
        {"regression: a word starting with % is a key, as BibTeX reads it", "@misc{%w = {k}}",
         "MISC %w: cite key = {%w}"},
        {"robustness: a field glued to the header is the key BibTeX reads", "@misc{title={T}}",
         "MISC title={T: cite key = {title={T}"},
    });
}

TEST(BibReader, EntryStarts) {
    RunRows({
        // Regression: the blank after "@" gave an empty type word and the manual was lost.
        {"regression: white space after @", "@ MANUAL (scribe, title = {T})",
         "MANUAL scribe: cite key = {scribe}; title = {T}"},
        // Regression: the "@" of an address read up to the next entry's "{" and lost it.
        {"regression: @ in free text before an entry",
         "Mail me@example.org about it.\n@MISC{K, title = {T}}",
         "MISC K: cite key = {K}; title = {T}"},
        {"nominal: white space between type word and brace", "@misc \n {K, title = {T}}",
         "MISC K: cite key = {K}; title = {T}"},
        {"nominal: @ followed by a word and no brace is free text", "@misc then @MISC{K,}",
         "MISC K: cite key = {K}"},
        // Regression: entries of other types were dropped, and with them what BibTeX printed.
        {"regression: entries of other types kept, comments skipped",
         "@COMMENT{x} @ONLINE{o, title = {O}} @artcle{m, title = {M}} @MISC{K, title = {T}}",
         "MISC K: cite key = {K}; title = {T} | OTHER artcle m: @artcle{m, title = {M}} | "
         "OTHER ONLINE o: @ONLINE{o, title = {O}}",
         1},
        {"nominal: a comment is not read, as BibTeX does not read it",
         "@comment{ (unbalanced } @MISC{K,}", "MISC K: cite key = {K}", 1},
    });
}

TEST(BibReader, EntriesOfOtherTypesKeptWhole) {
    RunRows({
        {"nominal: from @ to the closing delimiter, as written",
         "x @ Online ( o1 ,\n  title = {T} , crossref = \"P\" ) y",
         "OTHER Online o1 -> P: @ Online ( o1 ,\n  title = {T} , crossref = \"P\" )"},
        {"nominal: the first crossref, in any case", "@thesis{t, CrossRef = {a}, crossref = {b}}",
         "OTHER thesis t -> a: @thesis{t, CrossRef = {a}, crossref = {b}}"},
        {"nominal: a closing brace inside a value", "@software{s, note = \"x}\"} @MISC{K,}",
         "MISC K: cite key = {K} | OTHER software s: @software{s, note = \"x}\"}"},
        {"nominal: listed by type, then key", "@online{b,} @Book2{z,} @ONLINE{A,}",
         "OTHER Book2 z: @Book2{z,} | OTHER ONLINE A: @ONLINE{A,} | OTHER online b: @online{b,}"},
        // Regression candidates: an entry the file ends inside must end where it ended, or,
        // written before others, it would take them in.
        {"robustness: open value", "@online{o, title = {A {b",
         "OTHER online o: @online{o, title = {A {b}}}"},
        {"robustness: open quoted value in parentheses", "@online(o, title = \"A",
         "OTHER online o: @online(o, title = \"A\")"},
        {"robustness: open name", "@online{o, ti{tle", "OTHER online o: @online{o, ti{tle}}"},
        {"robustness: open comment", "@online{o, % c", "OTHER online o: @online{o, % c\n}"},
        {"robustness: open after the key", "@online{o", "OTHER online o: @online{o}"},
        // Regression: the open name was taken for the key without its closing brace, so the
        // entry read back with another key and the next save ordered it differently.
        {"regression: open name after an empty key is no key", "@online{, {abc",
         "OTHER online : @online{, {abc}}"},
        {"robustness: open stray text", "@online{o, title = {a} x{y",
         "OTHER online o: @online{o, title = {a} x{y}}"},
    });
}

TEST(BibReader, DroppedTextIsCounted) {
    struct TextRow {
        const char* name;
        const char* text;
        std::size_t dropped;
    };
    const TextRow rows[] = {
        {"nominal: no text", "", 0},
        {"nominal: white space between entries is not text", " \n@MISC{K,}\r\n\t\n@MISC{L,}\n", 0},
        {"nominal: text before, between and after entries", "ab @MISC{K,} cd\n@MISC{L,} e", 5},
        {"nominal: a comment entry, its braces included", "@comment{x y} @MISC{K,}", 12},
        {"nominal: an @ that starts no entry", "me@x.org\n@MISC{K,}", 8},
        {"nominal: extra closing braces", "@MISC{K,}}}", 2},
        {"nominal: % lines in an entry", "@MISC{K,\n% a b\n  %c\n}", 5},
        {"nominal: % lines of an entry of another type are kept", "@online{o,\n% a b\n}", 0},
        {"robustness: text after an open value is the value's", "@MISC{K, title = {x} y", 0},
    };
    for (const TextRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ReadBIB(row.text).Report.DroppedTextBytes, row.dropped);
    }
}

TEST(BibReader, ValuesSideBySide) {
    RunRows({
        // Regression: `12 % {13}` became one raw value "12 % {13}", invalid when written back.
        {"regression: stray % between two values", "@BOOK{K, volume = 12 % {13}, number = 4}",
         "BOOK K: cite key = {K}; volume = 12; number = 4"},
        {"robustness: second value at the end of the entry",
         "@BOOK{K, volume = {12} {13}}@BOOK{L,}",
         "BOOK K: cite key = {K}; volume = {12} | BOOK L: cite key = {L}"},
    });
}

TEST(BibReader, AbbreviationsAndPreamblesKeepFileOrder) {
    // Regression: sorted by name, `comp` came before the `ieee` it is built from.
    RunRows({
        {"regression: abbreviations in file order",
         "@STRING{ieee = \"IEEE\"} @STRING{comp = ieee # \" Computer\"} @STRING{abc = {x}}",
         "STRING ieee: ieee = {IEEE} | "
         "STRING comp: comp = ieee # \" Computer\" | STRING abc: abc = {x}"},
        {"nominal: preambles in file order", "@PREAMBLE{\"b\"} @PREAMBLE{{a}}",
         "PREAMBLE Preamble:  = {b} | PREAMBLE Preamble:  = {a}"},
    });
}

TEST(BibReader, MalformedInput) {
    RunRows({
        {"robustness: unterminated value runs to the end", "@MISC{K, title = {abc",
         "MISC K: cite key = {K}; title = {abc}"},
        {"robustness: unterminated entry", "@MISC{K, title = {T}",
         "MISC K: cite key = {K}; title = {T}"},
        {"robustness: extra closing braces between entries", "@MISC{K, title = {T}}}}} @MISC{L,}",
         "MISC K: cite key = {K}; title = {T} | MISC L: cite key = {L}"},
        {"robustness: @ at the very end", "@", ""},
        {"robustness: entry that is only a header", "@MISC{", "MISC ?????:"},
        // Regression: kept, it could not be written, so a save lost an entry the window showed.
        {"regression: abbreviation without a name skipped", "@STRING{x} @STRING{ = {v}}", "", 2},
        {"robustness: value without a name", "@MISC{K, = {x}, title = {T}}",
         "MISC K: cite key = {K}; title = {T}"},
    });
}

TEST(BibReader, ValuesOpenAtTheEndAreClosed) {
    RunRows({
        // Regression: the abbreviation kept its value open; written first, it took in both entries.
        {"regression: open abbreviation after entries",
         "@article{zzz, title={Zed}, year=1999} @book{yyy, title={Why}} @string{foo = {A {b",
         "ARTICLE zzz: cite key = {zzz}; title = {Zed}; year = 1999 | "
         "BOOK yyy: cite key = {yyy}; title = {Why} | STRING foo: foo = {A {b}}"},
        {"regression: open preamble", "@PREAMBLE{\"A {b", "PREAMBLE Preamble:  = {A {b}}"},
        {"regression: open braced field", "@MISC{K, title = {A {b",
         "MISC K: cite key = {K}; title = {A {b}}"},
        {"regression: open quoted field", "@MISC{K, title = \"A {b",
         "MISC K: cite key = {K}; title = {A {b}}"},
        {"nominal: open quoted field outside the table keeps its quotes", "@MISC{K, url = \"A {b",
         "MISC K: cite key = {K}; +url = \"A {b}\""},
        {"nominal: open piece of a concatenation", "@MISC{K, title = \"a\" # {b {c",
         "MISC K: cite key = {K}; title = \"a\" # {b {c}}"},
        {"robustness: open quoted value with a stray }", "@MISC{K, title = \"a}b{c",
         "MISC K: cite key = {K}; title = \"a}b{c\""},
        {"robustness: open value in parentheses", "@MISC{K, title = (a (b{c",
         "MISC K: cite key = {K}; title = {a (b{c}}"},
    });
}

TEST(BibReader, HugeAndBinaryInputEnds) {
    struct Huge {
        const char* name;
        std::string text;
    };
    std::string everyByte;
    for (int round = 0; round < 64; ++round) {
        for (int c = 0; c < 256; ++c) {
            everyByte.push_back(static_cast<char>((c * 7 + round) & 0xFF));
        }
    }
    const Huge cases[] = {
        {"robustness: 10 MB of {", std::string(10'000'000, '{')},
        {"robustness: 10 MB of { inside an entry",
         "@MISC{K, title = " + std::string(10'000'000, '{')},
        {"robustness: 1 MB of @", std::string(1'000'000, '@')},
        {"robustness: 1 MB of entry headers",
         [] {
             std::string text;
             for (int i = 0; i < 100'000; ++i) {
                 text += "@MISC{ ";
             }
             return text;
         }()},
        {"robustness: every byte value", everyByte},
        {"robustness: nul bytes inside an entry", std::string("@MISC{K\0, title = {\0}}", 22)},
    };
    for (const Huge& row : cases) {
        SCOPED_TRACE(row.name);
        const BibReadResult result = ReadBIB(row.text);
        EXPECT_TRUE(result.Report.Readable());
        EXPECT_LE(result.Report.Diagnostics.size(), MaxBibDiagnostics + 1);
    }
}

TEST(BibReader, DiagnosticsCarryPositions) {
    const BibReadResult result = ReadBIB("@BOOK{K,\n  volume = 12 % 13,\n  title = {abc");
    ASSERT_EQ(result.Report.Diagnostics.size(), 3u);
    const BibDiagnostic& glued = result.Report.Diagnostics[0];
    EXPECT_EQ(glued.Message, bibmsg::ValueWithoutHash);
    EXPECT_EQ(glued.Line, 2);
    EXPECT_EQ(glued.Column, 15);
    EXPECT_EQ(result.Report.Diagnostics[1].Message, bibmsg::UnterminatedValue);
    EXPECT_EQ(result.Report.Diagnostics[1].Line, 3);
    EXPECT_EQ(result.Report.Diagnostics[1].Column, 11);
    EXPECT_EQ(result.Report.Diagnostics[2].Message, bibmsg::UnterminatedEntry);
}

TEST(BibReader, UnreadableFileIsAnError) {
    const BibReadResult failed = ReadBIB(FileBytes{{}, "Permission denied"});
    EXPECT_FALSE(failed.Report.Readable());
    EXPECT_EQ(failed.Report.IoError, "Permission denied");
    EXPECT_TRUE(failed.Database.Empty());

    const BibReadResult empty = ReadBIB(FileBytes{"", std::nullopt});
    EXPECT_TRUE(empty.Report.Readable()) << "an empty file is read, not failed";

    BibDatabase open = ReadBIB("@MISC{K,}").Database;
    const BibReadReport import = ImportBIB(open, FileBytes{{}, "No such file or directory"});
    EXPECT_FALSE(import.Readable());
    EXPECT_EQ(open.EntryCount(), 1u);
}

TEST(BibReader, ImportAddsAndSortsKeepingLineEnds) {
    BibDatabase open = ReadBIB("@MISC{b,}\r\n@STRING{x = {1}}\r\n").Database;
    ASSERT_EQ(open.LineEnding, LineEnd::CrLf);
    const BibReadReport report = ImportBIB(open, "@MISC{a,}\n@STRING{y = {2}}\n@ONLINE{o,}\n");
    EXPECT_EQ(report.AddedEntries, 2);
    EXPECT_EQ(report.UnknownEntries, 1);
    EXPECT_EQ(open.LineEnding, LineEnd::CrLf);
    EXPECT_EQ(Describe(open),
              "MISC a: cite key = {a} | MISC b: cite key = {b} | STRING x: x = {1} | "
              "STRING y: y = {2} | OTHER ONLINE o: @ONLINE{o,}");
}

TEST(BibReader, LineEndOfTheFile) {
    struct LineEndRow {
        const char* name;
        const char* text;
        LineEnd expected;
    };
    const LineEndRow rows[] = {
        {"nominal: CR LF first", "a\r\nb\n", LineEnd::CrLf},
        {"nominal: LF first", "a\nb\r\n", LineEnd::Lf},
        {"nominal: no line end gives LF", "a", LineEnd::Lf},
        {"robustness: LF at the start", "\na", LineEnd::Lf},
        {"robustness: a lone CR first is kept as a lone CR", "a\rb\n", LineEnd::Cr},
    };
    for (const LineEndRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ReadBIB(row.text).Database.LineEnding, row.expected);
    }
}

} // namespace
} // namespace orvelt
