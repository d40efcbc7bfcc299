#include "MainFormFixture.h"
#include "Tmpfs.h"
#include "platform/IniSettingsStore.h"

#include <QFileInfo>

namespace orvelt::testing {
namespace {

using FileSafety = MainFormFixture;

// Every import was marked modified, and Return on the close question rewrote the file.
TEST_F(FileSafety, OpenedThenClosedWritesNothing) {
    StartForm();
    WriteBytes(File("only.tex"), "\\section{Read}\r\nonly\n");
    SetFileTime(File("only.tex"), 9, 30);
    const QDateTime before = QFileInfo(File("only.tex")).lastModified();
    form_->OpenDocument(File("only.tex"));
    EXPECT_FALSE(Active()->Modified);
    EXPECT_EQ(Panel(1), "");
    EXPECT_FALSE(form_->Action("FileSaveItem")->isEnabled());
    CloseActive(); // no question scripted: none may come
    EXPECT_EQ(form_->ChildCount(), 0);
    EXPECT_EQ(QFileInfo(File("only.tex")).lastModified(), before) << "never written";
    EXPECT_FALSE(QFile::exists(File("only.tex.orv")));
}

// The sidecar was trusted on dates: an outside edit within minutes of the last save, a
// checkout writing both files in one second, or another file's sidecar was shown silently.
TEST_F(FileSafety, SidecarIsUsedOnlyWhenItHoldsTheSourcesText) {
    struct Row {
        const char* name;
        std::string sidecar;
        QString status; // panel 2 afterwards
    };
    const QString fallback = File("t.tex") + ".orv could not be read: the colours were made anew.";
    const Row rows[] = {
        {"nominal: same text, the sidecar's colours", "{\\rtf1 {\\b new} text}", ""},
        {"regression: an outside edit after the save", "{\\rtf1 old text}", ""},
        {"regression: another file's sidecar", "{\\rtf1 \\\\documentclass\\{x\\}}", ""},
        {"robustness: an empty sidecar", "", fallback},
        {"robustness: a cut sidecar", "{\\rtf1 {\\b new", fallback},
    };
    StartForm();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WriteBytes(File("t.tex"), "new text");
        WriteBytes(File("t.tex.orv"), row.sidecar);
        SetFileTime(File("t.tex"), 10, 0);
        SetFileTime(File("t.tex.orv"), 10, 0);
        form_->OpenDocument(File("t.tex"));
        EXPECT_EQ(Text(), "new text");
        EXPECT_EQ(Panel(2), row.status);
        EXPECT_FALSE(Active()->Modified);
        EXPECT_EQ((StyleAt(0).styles & kBold) != 0,
                  row.sidecar.find("\\b new") != std::string::npos && row.status.isEmpty())
            << "the sidecar's formats only when its text is the source's";
        EXPECT_EQ(ReadBytes(File("t.tex.orv")), row.sidecar) << "left alone until a save";
        CloseActive();
    }
    WriteBytes(File("t.tex.orv"), "{\\rtf1 old text}");
    form_->OpenDocument(File("t.tex"));
    SaveUnchanged();
    EXPECT_NE(ReadBytes(File("t.tex.orv")).find("new text"), std::string::npos)
        << "the next save replaces a stale sidecar";
}

// Answering Yes to the date question with the source gone deleted the only copy of the text.
TEST_F(FileSafety, MissingSourceOpensItsSidecarAndKeepsIt) {
    StartForm();
    WriteBytes(File("gone.tex.orv"), "{\\rtf1 the only copy}");
    prompter_.ExpectMessage(File("gone.tex") + " does not exist. Its text was found in " +
                                File("gone.tex") +
                                ".orv and is shown; save it to write the "
                                "file again.",
                            Answer::Ok);
    form_->OpenDocument(File("gone.tex"));
    EXPECT_EQ(Text(), "the only copy");
    EXPECT_TRUE(Active()->Modified);
    EXPECT_TRUE(QFile::exists(File("gone.tex.orv")));
    Trigger("FileSaveItem");
    EXPECT_EQ(ReadBytes(File("gone.tex")), "the only copy");
}

TEST_F(FileSafety, OutsideChangesAreNeverOverwrittenSilently) {
    StartForm();
    Open("shared.tex", "mine\n");
    Open("other.tex", "other\n");
    // A co-author's editor, or a git pull, in the same second as our read.
    WriteBytes(File("shared.tex"), "theirs\n");
    const QString question =
        File("shared.tex") + " has been changed by another program. Reload it?";
    prompter_.ExpectMessage(question, Answer::No);
    ShowTab(0); // activating the window notices the change
    EXPECT_EQ(Text(), "mine\n") << "No keeps the window's text";
    Type("x");
    prompter_.ExpectMessage(question, Answer::Cancel);
    Trigger("FileSaveItem");
    EXPECT_EQ(ReadBytes(File("shared.tex")), "theirs\n") << "the save asks once more";
    prompter_.ExpectMessage(question, Answer::No);
    Trigger("FileSaveItem");
    EXPECT_EQ(ReadBytes(File("shared.tex")), "xmine\n");
    EXPECT_FALSE(Active()->Modified);

    WriteBytes(File("shared.tex"), "theirs again\n");
    prompter_.ExpectMessage(question, Answer::Yes);
    ShowTab(1);
    ShowTab(0);
    EXPECT_EQ(Text(), "theirs again\n");
    EXPECT_FALSE(Active()->Modified);
}

TEST_F(FileSafety, FailedSavesReportTheReasonAndChangeNothing) {
    StartForm();
    QDir(dir_.path()).mkdir("sub");
    Open("sub/doc.tex", "old");
    Type("new ");
    QDir(File("sub")).removeRecursively();
    prompter_.ExpectMessage("Error writing " + File("sub/doc.tex") + ": No such file or directory",
                            Answer::Ok);
    Trigger("FileSaveItem");
    EXPECT_TRUE(Active()->Modified);
    EXPECT_EQ(Panel(1), "Modified");

    // Save as that fails keeps the window's name, the recent files and LastDir; Ctrl+S then
    // still means the old name.
    QDir(dir_.path()).mkdir("sub");
    const std::string recentBefore = form_->Recent().Paths()[0];
    const QString lastDirBefore = form_->LastDir();
    prompter_.ExpectSaveFile(File("nowhere/doc.tex"));
    prompter_.ExpectMessageStartingWith("Error writing " + File("nowhere/doc.tex") + ": ",
                                        Answer::Ok);
    Trigger("FileSaveAsItem");
    EXPECT_EQ(Active()->FileName, File("sub/doc.tex"));
    EXPECT_EQ(Active()->windowTitle(), File("sub/doc.tex"));
    EXPECT_EQ(form_->Windowlist(), QStringList{File("sub/doc.tex")});
    EXPECT_EQ(form_->Recent().Paths()[0], recentBefore);
    EXPECT_EQ(form_->LastDir(), lastDirBefore);
    Trigger("FileSaveItem");
    EXPECT_EQ(ReadBytes(File("sub/doc.tex")), "new old");
}

// A failed sidecar write stopped the source being written.
TEST_F(FileSafety, ASidecarThatCannotBeWrittenNeverStopsTheSource) {
    StartForm();
    Open("doc.tex", "old");
    Type("new ");
    QDir(dir_.path()).mkdir("doc.tex.orv"); // where the sidecar should go
    Trigger("FileSaveItem");
    EXPECT_EQ(ReadBytes(File("doc.tex")), "new old");
    EXPECT_FALSE(Active()->Modified);
    EXPECT_TRUE(Panel(2).startsWith("File saved, but not its colours: " + File("doc.tex.orv")))
        << Panel(2).toStdString();
}

TEST_F(FileSafety, FullDiskLeavesTheFileWholeAndTheDocumentModified) {
    Tmpfs disk(File("disk").toStdString());
    if (!disk.Mounted())
        GTEST_SKIP() << "mounting a tmpfs is not permitted here: " << disk.Error();
    StartForm();
    const std::string source(2048, 'a');
    Open("disk/small.tex", source);
    WriteBytes(File("disk/filler"), std::string(60 * 1024, 'f'));
    Type(QString(8000, 'b'));
    prompter_.ExpectMessage("Error writing " + File("disk/small.tex") + ": No space left on device",
                            Answer::Ok);
    Trigger("FileSaveItem");
    EXPECT_EQ(ReadBytes(File("disk/small.tex")), source);
    EXPECT_TRUE(Active()->Modified);
    EXPECT_NE(Panel(2), "File saved successfully.");
    EXPECT_EQ(QDir(File("disk")).entryList(QDir::Files).size(), 2) << "no temporary file left";
}

TEST_F(FileSafety, ReadOnlySourceOpensAndItsSaveFailsWithTheReason) {
    Tmpfs disk(File("ro").toStdString());
    if (!disk.Mounted())
        GTEST_SKIP() << "mounting a tmpfs is not permitted here: " << disk.Error();
    WriteBytes(File("ro/fixed.tex"), "read me\n");
    ASSERT_TRUE(disk.MakeReadOnly());
    StartForm();
    form_->OpenDocument(File("ro/fixed.tex"));
    ASSERT_EQ(form_->ChildCount(), 1) << "no sidecar is needed to open it";
    EXPECT_EQ(Text(), "read me\n");
    EXPECT_EQ(Active()->windowTitle(), File("ro/fixed.tex") + " [read-only]");
    Type("x");
    prompter_.ExpectMessageStartingWith("Error writing " + File("ro/fixed.tex") + ": Read-only",
                                        Answer::Ok);
    Trigger("FileSaveItem");
    EXPECT_TRUE(Active()->Modified);
}

// A path containing "NONAME" opened as an empty untitled window, and saving it over its own
// name destroyed the file.
TEST_F(FileSafety, UntitledIsAStateNeverAName) {
    StartForm();
    Open("NONAME1.tex", "precious\n");
    EXPECT_EQ(Text(), "precious\n");
    EXPECT_EQ(Active()->FileName, File("NONAME1.tex"));
    Type("more ");
    Trigger("FileSaveItem"); // no file dialog: it has a name
    EXPECT_EQ(ReadBytes(File("NONAME1.tex")), "more precious\n");
}

TEST_F(FileSafety, BinaryAndHugeFilesAreNotOpenedBehindTheUsersBack) {
    StartForm();
    const QString question = File("paper.pdf") + " does not look like a text file. Open it anyway?";
    prompter_.ExpectMessage(question, Answer::No);
    Open("paper.pdf", std::string("%PDF-1.5\n\0\0\x01stream", 18));
    EXPECT_EQ(form_->ChildCount(), 0);
    prompter_.ExpectMessage(question, Answer::Yes);
    form_->OpenDocument(File("paper.pdf"));
    EXPECT_EQ(form_->ChildCount(), 1);
    EXPECT_FALSE(Active()->Modified);
    CloseActive();

    QFile huge(File("huge.tex"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(70LL * 1024 * 1024)); // sparse: nothing is really written
    huge.close();
    prompter_.ExpectMessage(
        File("huge.tex") + " is too large to open: 70.0 MB. A document may hold at most 64 MB.",
        Answer::Ok);
    form_->OpenDocument(File("huge.tex"));
    EXPECT_EQ(form_->ChildCount(), 0);
}

// An unwritable settings folder was dropped silently at exit.
TEST_F(FileSafety, SettingsThatCannotBeWrittenAreReportedAtExit) {
    WriteBytes(File("blocker"), "a file where the settings folder should be");
    IniSettingsStore settings(File("blocker/orvelt95/orvelt95.ini"));
    TMainForm form({settings, prompter_, {}, dir_.path() + "/prog"});
    prompter_.ExpectMessageStartingWith(
        "The settings could not be saved to " + File("blocker/orvelt95"), Answer::Ok);
    form.WriteEndOfRunSettings();
}

} // namespace
} // namespace orvelt::testing
