#include "TestFiles.h"
#include "bib/bibtex/BibReader.h"
#include "bib/bibtex/BibWriter.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace orvelt {
namespace {

namespace fs = std::filesystem;

using testing::OnPath;
using testing::ReadFile;
using testing::ScratchFolder;
using testing::WriteFile;

// "\\citation{key}" for each entry with a cross-reference, whatever its type.
std::string CitationsOfChildren(const BibDatabase& database) {
    std::string citations;
    for (int type = 0; type < StringType; ++type) {
        for (const BibEntry& entry : database.Category(type)) {
            const int crossref = FindField(entry.Data, "crossref");
            if (crossref >= 0 && !entry.Data.Fields[crossref].Value.empty()) {
                citations += "\\citation{" + entry.Data.Fields[0].Value + "}\n";
            }
        }
    }
    for (const UnknownEntry& other : database.UnknownEntries()) {
        if (!other.Crossref.empty()) {
            citations += "\\citation{" + other.Key + "}\n";
        }
    }
    return citations;
}

class BibTeXRoundTrip : public ::testing::Test {
protected:
    void SetUp() override {
        if (!OnPath("bibtex")) {
            GTEST_SKIP() << "bibtex is not on PATH";
        }
    }

    // Runs bibtex (style plain) on `bib` for a document with `citations` and returns the .bbl
    // and .blg.
    std::pair<std::string, std::string> RunBibTeX(const std::string& name, const std::string& bib,
                                                  const std::string& citations) {
        WriteFile(dir_ / (name + ".bib"), bib);
        WriteFile(dir_ / (name + ".aux"),
                  citations + "\\bibstyle{plain}\n\\bibdata{" + name + "}\n");
        const std::string command =
            "cd '" + dir_.string() + "' && bibtex " + name + " >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        static_cast<void>(status); // bibtex exits non-zero on warnings; the .bbl is what counts
        return {ReadFile(dir_ / (name + ".bbl")), ReadFile(dir_ / (name + ".blg"))};
    }

    const ScratchFolder scratch_{"orvelt-bib"};
    const fs::path dir_ = scratch_.Path();
};

TEST_F(BibTeXRoundTrip, RewrittenFileMakesTheSameBibliography) {
    // kept.bib: entries of other types as parents and children of the sixteen types, fields
    // outside the tables, a field given twice, a key holding "=". openend.bib: an abbreviation
    // left open at the end of the file, after the entries.
    const char* files[] = {"abbreviations.bib", "alltypes.bib", "crossrefs.bib", "delimiters.bib",
                           "names.bib",         "kept.bib",     "openend.bib"};
    for (const char* file : files) {
        SCOPED_TRACE(file);
        const std::string original = ReadFile(fs::path(ORVELT_TEST_DATA) / "bib" / file);
        ASSERT_FALSE(original.empty());
        const BibReadResult first = ReadBIB(original);
        ASSERT_GT(first.Database.EntryCount(), 0u);
        const std::string rewritten = WriteBIB(first.Database);

        // Every entry cited, and, when there are cross-references, only the entries that make
        // them: with \nocite{*} BibTeX inherits fields from a parent written before its child,
        // but not when the child alone is cited.
        std::vector<std::string> documents = {"\\citation{*}\n"};
        const std::string children = CitationsOfChildren(first.Database);
        if (!children.empty()) {
            documents.push_back(children);
        }
        for (const std::string& citations : documents) {
            SCOPED_TRACE(citations);
            const auto [originalBbl, originalBlg] = RunBibTeX("original", original, citations);
            const auto [rewrittenBbl, rewrittenBlg] = RunBibTeX("rewritten", rewritten, citations);
            ASSERT_FALSE(originalBbl.empty()) << originalBlg;
            EXPECT_EQ(rewrittenBbl, originalBbl) << rewritten;
            EXPECT_EQ(rewrittenBlg.find("error message"), std::string::npos) << rewrittenBlg;
        }

        const BibReadResult second = ReadBIB(rewritten);
        EXPECT_EQ(second.Report.Diagnostics.size(),
                  static_cast<std::size_t>(second.Report.RepeatedFields));
        EXPECT_EQ(second.Report.RepeatedFields, first.Report.RepeatedFields);
        EXPECT_EQ(second.Database, first.Database);
        EXPECT_EQ(WriteBIB(second.Database), rewritten);
    }
}

} // namespace
} // namespace orvelt
