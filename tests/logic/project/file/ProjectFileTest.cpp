#include "project/file/ProjectFile.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace orvelt {
namespace {

constexpr std::string_view kDir = "/home/u/thesis";

std::string InDir(std::string_view name) {
    return std::string(kDir) + "/" + std::string(name);
}

// The files added in the given order; `main` is one of them, by its place in that order.
Project Added(const std::vector<std::string>& files, std::optional<std::size_t> main = {},
              int width = kDefaultPanelWidth) {
    Project project;
    project.panelWidth = width;
    for (const std::string& file : files) {
        AddProjectFile(project, file);
    }
    if (main) {
        const auto at = std::find(project.files.begin(), project.files.end(), files[*main]);
        SetMainProjectFile(project, static_cast<std::size_t>(at - project.files.begin()));
    }
    return project;
}

// Checks the text, reads it back, and saves it again unchanged.
void ExpectWrite(std::string_view existing, const Project& project, std::string_view expected) {
    const std::string text = WriteProjectFile(existing, project, kDir);
    EXPECT_EQ(text, expected);
    const ProjectReadResult back = ReadProjectFile(text, kDir);
    EXPECT_TRUE(back.ok) << back.error;
    EXPECT_EQ(back.project, project);
    EXPECT_EQ(WriteProjectFile(text, project, kDir), text) << "a second save changed the bytes";
}

TEST(ProjectFile, WritesTheProjectAndReadsItBack) {
    const std::string longPath = "/" + std::string(295, 'x') + ".tex";
    struct Row {
        const char* intent;
        std::string_view existing;
        Project project;
        std::string expected;
    };
    const Row rows[] = {
        {"nominal: the main file second in the tree, whatever the adding order", "",
         Added({InDir("paper.tex"), InDir("chap1.tex")}, 0),
         "[Project]\nPanelWidth=130\n[ProjectFiles]\nFile1=chap1.tex\nFile2=paper.tex\n"
         "[MainFile]\nFileNumber=2\n"},
        {"nominal: below the directory relative, outside it full", "",
         Added({InDir("parts/intro.tex"), "/home/u/other/intro.tex", "/home/u/thesis2/a.tex",
                InDir("/b.tex")},
               0, 90),
         "[Project]\nPanelWidth=90\n[ProjectFiles]\nFile1=/home/u/thesis2/a.tex\n"
         "File2=/home/u/thesis//b.tex\nFile3=/home/u/other/intro.tex\nFile4=parts/intro.tex\n"
         "[MainFile]\nFileNumber=4\n"},
        {"nominal: names with blanks, =, ;, # and [ and non-UTF-8 bytes read back as written", "",
         Added({InDir(" a=b.tex "), InDir("#e.tex"), InDir(";c.tex"), InDir("[d].tex"),
                InDir("\xE4\xFF.tex")}),
         "[Project]\nPanelWidth=130\n[ProjectFiles]\nFile1= a=b.tex \nFile2=#e.tex\n"
         "File3=;c.tex\nFile4=[d].tex\nFile5=\xE4\xFF.tex\n[MainFile]\nFileNumber=-1\n"},
        // Regression: paths were cut to 255 bytes, naming another file, saved and compiled cut.
        {"regression: a 300-byte path stays whole", "", Added({longPath}, 0),
         "[Project]\nPanelWidth=130\n[ProjectFiles]\nFile1=" + longPath +
             "\n[MainFile]\nFileNumber=1\n"},
        {"nominal: an empty project", "", Added({}),
         "[Project]\nPanelWidth=130\n[ProjectFiles]\n[MainFile]\nFileNumber=-1\n"},
        {"nominal: unknown keys, sections and comments stay; the list is replaced in place",
         "; by hand\n[Other]\nA=1\n[project]\n PanelWidth = 90\nTheme=dark\n[ProjectFiles]\n"
         "Note=x\nFile1=/old/a.tex\nFile2=/old/b.tex\nFile4=/old/d.tex\nFile01=kept\n\n"
         "[MainFile]\nFileNumber=1\nExtra=y\n",
         Added({InDir("chap1.tex")}),
         "; by hand\n[Other]\nA=1\n[project]\n PanelWidth =130\nTheme=dark\n[ProjectFiles]\n"
         "Note=x\nFile1=chap1.tex\nFile01=kept\n\n[MainFile]\nFileNumber=-1\nExtra=y\n"},
        {"nominal: CR LF kept; missing keys go to their section, missing sections to the end",
         "[Project]\r\nTheme=dark\r\n\r\n[Other]\r\nA=1", Added({InDir("chap1.tex")}, 0),
         "[Project]\r\nTheme=dark\r\nPanelWidth=130\r\n\r\n[Other]\r\nA=1\r\n[ProjectFiles]\r\n"
         "File1=chap1.tex\r\n[MainFile]\r\nFileNumber=1\r\n"},
        // Regression: a file line written with a lone CR before an empty LF line read back as
        // ending in CR LF, so the next save wrote other bytes.
        {"regression: an empty LF line after a lone CR is left out",
         "[ProjectFiles]\rFile1=a\r\n\n", Added({InDir("b")}),
         "[ProjectFiles]\rFile1=b\r[Project]\rPanelWidth=130\r[MainFile]\rFileNumber=-1\r"},
        {"robustness: lone CRs kept", "[MainFile]\rFileNumber=3\r", Added({}),
         "[MainFile]\rFileNumber=-1\r[Project]\rPanelWidth=130\r[ProjectFiles]\r"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        ExpectWrite(row.existing, row.project, row.expected);
    }
}

// What a person sees of a read: the files below kDir, the main file's place and the width.
std::string Summary(const ProjectReadResult& read) {
    if (!read.ok) {
        return read.error.empty() ? "fails silently" : "fails";
    }
    std::string text;
    for (const std::string& file : read.project.files) {
        text += (text.empty() ? "" : "|") + file.substr(kDir.size() + 1);
    }
    const std::optional<std::size_t> main = read.project.mainFile;
    return text + " main " + (main ? std::to_string(*main) : "-") + " width " +
           std::to_string(read.project.panelWidth);
}

TEST(ProjectFile, ReadsWhatPeopleWriteByHand) {
    struct Row {
        const char* intent;
        std::string_view text;
        std::string_view read;
    };
    const Row rows[] = {
        {"nominal: an empty file is an empty project", "", " main - width 130"},
        {"nominal: File4 after a gap is not read", "[ProjectFiles]\nFile1=a\nFile2=b\nFile4=d\n",
         "a|b main - width 130"},
        {"nominal: an empty File2 ends the list", "[ProjectFiles]\nFile1=a\nFile2=\nFile3=c\n",
         "a main - width 130"},
        {"nominal: any case, blanks around names, the first occurrence wins",
         "[ projectfiles ]\n file1 =a\nFILE1=z\n[MAINFILE]\nfilenumber= 1 \nFileNumber=2\n"
         "[Project]\nPanelWidth=250\nPanelWidth=9\n[ProjectFiles]\nFile2=b\n",
         "a|b main 0 width 250"},
        {"nominal: a value is untrimmed up to a CR LF", "[ProjectFiles]\r\nFile1= a b \r\n",
         " a b  main - width 130"},
        {"nominal: listed out of order, read in the tree's, the main file the same",
         "[ProjectFiles]\nFile1=z\nFile2=a\n[MainFile]\nFileNumber=1", "a|z main 1 width 130"},
        {"nominal: comments and lines before any section are not read",
         "File1=x\n[ProjectFiles]\n;File1=y\n  #File1=y\nFile1=a\n", "a main - width 130"},
        {"nominal: a byte-order mark before the first section",
         "\xEF\xBB\xBF[ProjectFiles]\nFile1=a", "a main - width 130"},
        {"nominal: numbers that are none", "[Project]\nPanelWidth=wide\n[MainFile]\nFileNumber=x",
         " main - width 130"},
        {"robustness: FileNumber 0", "[ProjectFiles]\nFile1=a\n[MainFile]\nFileNumber=0\n",
         "fails"},
        {"robustness: FileNumber -2", "[MainFile]\nFileNumber=-2\n", "fails"},
        {"robustness: FileNumber beyond the last file",
         "[ProjectFiles]\nFile1=a\n[MainFile]\nFileNumber=2", "fails"},
        {"robustness: FileNumber beyond any integer", "[MainFile]\nFileNumber=99999999999999999999",
         "fails"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        EXPECT_EQ(Summary(ReadProjectFile(row.text, kDir)), row.read);
    }
}

TEST(ProjectFile, ACopiedProjectWorksOnTheCopiesFiles) {
    const Project project = Added({InDir("chap1.tex"), InDir("parts/intro.tex"), "/usr/x.sty"}, 1);
    const ProjectReadResult copy =
        ReadProjectFile(WriteProjectFile("", project, kDir), "/media/copy/thesis/");
    ASSERT_TRUE(copy.ok);
    EXPECT_EQ(copy.project.files,
              (std::vector<std::string>{"/media/copy/thesis/chap1.tex",
                                        "/media/copy/thesis/parts/intro.tex", "/usr/x.sty"}));
    EXPECT_EQ(copy.project.mainFile, 1u);
}

TEST(ProjectFile, NoLineHoldsALineBreak) {
    // Written, the name would open a section of its own and end the list.
    const Project project = Added({InDir("a\n[MainFile]"), InDir("b.tex")}, 0);
    EXPECT_EQ(WriteProjectFile("", project, kDir),
              "[Project]\nPanelWidth=130\n[ProjectFiles]\nFile1=b.tex\n[MainFile]\n"
              "FileNumber=-1\n");
    EXPECT_FALSE(FitsProjectFile("a\rb"));
    EXPECT_FALSE(FitsProjectFile(""));
}

} // namespace
} // namespace orvelt
