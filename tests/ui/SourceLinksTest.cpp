#include "MainFormFixture.h"

namespace orvelt::testing {
namespace {

class Specials : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        store_.Write("Specials", "1");
        store_.Write("SpecialsInterval", "1");
    }
    // Opens `name` holding two lines, changes it and saves it.
    std::string SaveEdited(const QString& name) {
        Open(name, "Hello\nWorld\n");
        Type("x");
        Trigger("FileSaveItem");
        return ReadBytes(File(name));
    }
};

TEST_F(Specials, OnlyTheSavedTeXFileCarriesThem) {
    StartForm();
    EXPECT_EQ(SaveEdited("ch1.tex"),
              "\\special{src:1 ch1.tex}xHello\n\\special{src:2 ch1.tex}World\n");
    EXPECT_EQ(Text(), "xHello\nWorld\n") << "the editor keeps none";
    EXPECT_EQ(ReadBytes(File("ch1.tex.orv")).find("special"), std::string::npos)
        << "nor does the colour file";

    // Reopened without its colour file, the file's text is what the scanner makes of it.
    CloseActive();
    QFile::remove(File("ch1.tex.orv"));
    for (const bool filter : {false, true}) {
        SCOPED_TRACE(filter ? "filtered" : "as text");
        form_->Options().filterSpecials = filter;
        prompter_.ExpectOpenFile(File("ch1.tex"));
        Trigger("FileOpenItem");
        EXPECT_EQ(Text().contains("\\special{src:"), !filter);
        EXPECT_TRUE(Text().contains("xHello"));
        QFile::remove(File("ch1.tex.orv"));
        CloseActive();
    }
}

TEST_F(Specials, FilesTheyWouldBreakGetNone) {
    StartForm();
    for (const char* name : {"style.sty", "plain.bst", "make.sh", "UPPER.LTX"}) {
        SCOPED_TRACE(name);
        const bool tex = QString(name).endsWith(".LTX");
        EXPECT_EQ(SaveEdited(name).find("\\special") != std::string::npos, tex);
    }

    // A name TeX would read as syntax: saved plainly, and the status bar says why.
    EXPECT_EQ(SaveEdited("50%.tex"), "xHello\nWorld\n");
    EXPECT_EQ(Panel(2), "Saved without source specials: TeX would misread the file's name.");

    // A template passes its name on to every document made from it.
    StartNew();
    Type("\\documentclass{letter}");
    const QString mine = File("data/orvelt95/Template");
    prompter_.ExpectSaveFile(mine + "/letter");
    Trigger("FileSaveAsTemplateItem");
    EXPECT_EQ(ReadBytes(mine + "/letter.tex"), "\\documentclass{letter}");
}

} // namespace
} // namespace orvelt::testing
