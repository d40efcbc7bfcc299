#include "MainFormFixture.h"

#include <QProcess>
#include <QStandardPaths>

namespace orvelt::testing {
namespace {

using SourceWindow = MainFormFixture;

TEST_F(SourceWindow, SaveOfANewDocumentAsksForANameAndWritesUtf8WithLf) {
    StartNew();
    Type("Hello \\world\u00E4");
    Key(Qt::Key_Return);
    Type("b");
    WriteBytes(File("taken.tex"), "keep me");
    prompter_.ExpectSaveFile(File("taken.tex"));
    prompter_.ExpectMessage("OK to overwrite " + File("taken.tex") + "?", Answer::No);
    Trigger("FileSaveAsItem");
    EXPECT_EQ(ReadBytes(File("taken.tex")), "keep me");
    EXPECT_TRUE(Active()->FileName.isEmpty());
    EXPECT_TRUE(Active()->Modified);

    SaveAs("report");
    EXPECT_EQ(Active()->FileName, File("report.tex")) << "the default extension is added";
    EXPECT_EQ(ReadBytes(File("report.tex")), "Hello \\world\xC3\xA4\nb");
    EXPECT_TRUE(QFile::exists(File("report.tex.orv")));
    EXPECT_EQ(Panel(2), "File saved successfully.");
    EXPECT_EQ(Panel(1), "");
    EXPECT_EQ(form_->Windowlist(), QStringList{File("report.tex")});
    EXPECT_EQ(form_->TabControl()->tabText(0), "report.tex");
    EXPECT_EQ(form_->Recent().Paths()[0], File("report.tex").toStdString());
    EXPECT_EQ(form_->LastDir(), dir_.path());
    EXPECT_EQ(prompter_.dialogs.last().directory, QDir::currentPath()) << "while LastDir is unset";
}

TEST_F(SourceWindow, SidecarKeepsEveryCharacterFormat) {
    StartNew();
    Type("plain bold");
    Edit()->SetSelection(6, 10);
    const HighlightStyle bold{"Liberation Serif", 14, 0x0000FF, kBold | kUnderline};
    Edit()->ApplyStyle(bold);
    SaveAs("styled.tex");
    form_->OpenDocument(File("styled.tex"));
    EXPECT_EQ(StyleAt(7), bold);
    EXPECT_EQ(StyleAt(2), Style(StyleKind::Text));
}

TEST_F(SourceWindow, CloseQuestionYesNoCancel) {
    StartNew();
    Type("x");
    QMdiSubWindow* sub = form_->MdiArea()->currentSubWindow();
    prompter_.ExpectMessage("Save NONAME1 ?", Answer::Cancel);
    EXPECT_FALSE(sub->close());
    // Yes with the save dialog cancelled closed the window and lost the text.
    prompter_.ExpectMessage("Save NONAME1 ?", Answer::Yes);
    prompter_.ExpectSaveFile(std::nullopt);
    EXPECT_FALSE(sub->close());
    EXPECT_EQ(form_->ChildCount(), 1);

    prompter_.ExpectMessage("Save NONAME1 ?", Answer::Yes);
    prompter_.ExpectSaveFile(File("kept.tex"));
    EXPECT_TRUE(sub->close());
    QApplication::processEvents();
    EXPECT_EQ(ReadBytes(File("kept.tex")), "x");
    EXPECT_EQ(form_->ChildCount(), 0);
    EXPECT_EQ(form_->TabControl()->count(), 0);
    EXPECT_EQ(Panel(3), "");
}

// Encodings and line ends: a file opened and saved unchanged is written back byte for byte.
TEST_F(SourceWindow, UnchangedFilesSaveByteForByte) {
    std::string all256;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n')
            all256 += static_cast<char>(b);
    struct Row {
        const char* name;
        std::string bytes;
        QString shown; // a piece of what the surface must show
        bool ascii = false;
    };
    const Row rows[] = {
        {"nominal: UTF-8 with umlauts, quotes and a character beyond the BMP, LF",
         "\u00E4\u00F6\u00FC \u201Equoted\u201C \U0001F600\nnext\n",
         "\u00E4\u00F6\u00FC \u201Equoted\u201C \U0001F600"},
        {"nominal: byte-order mark", "\xEF\xBB\xBFwith bom\n", "with bom"},
        {"robustness: Windows-1252, every byte value", all256 + "\n" + all256, {}},
        // Mixed files were converted to their first kind, and a lone CR became LF.
        {"regression: each line keeps its own end", "lf\ncrlf\r\ncr\rlf\n\r\n\rend", "crlf"},
        // The surface takes these characters for its own paragraph and line breaks.
        {"regression: separators and noncharacters survive", "a\u2028b\u2029c\uFDD0d\uFDD1e\n", {}},
        {"nominal: a line far wider than the window", std::string(3000, 'w') + " x\n", {}},
        // 84 is the a umlaut; 80 is below the converted range and stays the code page's euro sign.
        {"nominal: the ASCII option reads and writes code page 437", "\x84\x80\n", "\u00E4\u20AC\n",
         true},
    };
    StartForm();
    int n = 0;
    for (const WrapMode mode : {WrapMode::Off, WrapMode::ScreenOnly}) {
        form_->Options().wordWrap = mode;
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            form_->Options().ascii = row.ascii;
            const QString name = QStringLiteral("f%1.tex").arg(n++);
            if (row.bytes.find('\0') != std::string::npos)
                prompter_.ExpectMessage(
                    File(name) + " does not look like a text file. Open it anyway?", Answer::Yes);
            Open(name, row.bytes);
            EXPECT_TRUE(Text().contains(row.shown)) << Text().toStdString();
            SaveUnchanged();
            EXPECT_EQ(ReadBytes(File(name)), row.bytes);
            CloseActive();
        }
    }
}

TEST_F(SourceWindow, PastedCharactersFollowTheDocumentsEncoding) {
    StartForm();
    Open("utf.tex", "x\n");
    Edit()->moveCursor(QTextCursor::End);
    Paste("\u00E9");
    Trigger("FileSaveItem");
    EXPECT_EQ(ReadBytes(File("utf.tex")), "x\n\xC3\xA9") << "UTF-8, never a lone 8-bit byte";

    Open("ansi.tex", "\xE4\n");
    Edit()->moveCursor(QTextCursor::End);
    Paste("\u00E9\u20AC\u2200");
    Trigger("FileSaveItem");
    EXPECT_EQ(ReadBytes(File("ansi.tex")), "\xE4\n\xE9\x80?") << "what the code page lacks is ?";
}

TEST_F(SourceWindow, WrappedParagraphIsSavedWithMarkersAndJoinedOnImport) {
    store_.Write("WordWrap", "1"); // saved breaks
    StartNew();
    Active()->parentWidget()->resize(400, 300);
    QApplication::processEvents();
    QString source = "\\documentclass{article}\n\\begin{document}\n";
    for (int i = 0; i < 30; ++i)
        source += QStringLiteral("word%1 ").arg(i);
    source += "\n% a long comment with \\undefinedcommand";
    for (int i = 0; i < 15; ++i)
        source += QStringLiteral(" more%1").arg(i);
    source += "\n\\end{document}\n";
    Edit()->setPlainText(source);
    ASSERT_GT(Edit()->LineCount(), 7) << "the paragraph must wrap";
    SaveAs("wrap.tex");
    EXPECT_NE(ReadBytes(File("wrap.tex")).find("%%@\n"), std::string::npos);
    CloseActive();
    QFile::remove(File("wrap.tex.orv"));
    form_->OpenDocument(File("wrap.tex"));
    EXPECT_EQ(Text(), source);

    // TeX must read every piece of the wrapped comment as a comment: the undefined command
    // in it would stop pdflatex otherwise.
    if (QStandardPaths::findExecutable("pdflatex").isEmpty())
        GTEST_SKIP() << "pdflatex not installed";
    QProcess tex;
    tex.setWorkingDirectory(dir_.path());
    tex.start("pdflatex", {"-interaction=nonstopmode", "-halt-on-error", "wrap.tex"});
    ASSERT_TRUE(tex.waitForFinished(60000));
    EXPECT_EQ(tex.exitCode(), 0) << tex.readAllStandardOutput().toStdString();
}

// A save in saved-breaks mode must never change what TeX reads: real sources, saved from a
// narrow window, typeset to the same DVI as the originals.
TEST_F(SourceWindow, SavedBreaksTypesetAsTheOriginal) {
    if (QStandardPaths::findExecutable("latex").isEmpty())
        GTEST_SKIP() << "latex not installed";
    auto dvi = [this](const std::string& source, const QString& folder) {
        QDir(dir_.path()).mkdir(folder);
        WriteBytes(File(folder + "/doc.tex"), source);
        QProcess tex;
        tex.setWorkingDirectory(File(folder));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("SOURCE_DATE_EPOCH", "1700000000");
        env.insert("FORCE_SOURCE_DATE", "1"); // the same input gives the same bytes
        tex.setProcessEnvironment(env);
        tex.start("latex", {"-interaction=nonstopmode", "-no-shell-escape", "doc.tex"});
        tex.waitForFinished(60000);
        return ReadBytes(File(folder + "/doc.dvi"));
    };
    store_.Write("WordWrap", "1");
    StartForm();
    int n = 0;
    for (const char* name : {"softbreak-constructs.tex", "highlight-article.tex",
                             "highlight-thesis-crlf.tex", "highlight-letter-cp1252.tex"}) {
        SCOPED_TRACE(name);
        const std::string original = ReadBytes(QStringLiteral(ORVELT_TEST_DATA "/") + name);
        ASSERT_NE(original, "<unreadable>");
        const QString file = QStringLiteral("src%1.tex").arg(n++);
        Open(file, original);
        Active()->parentWidget()->showNormal();
        Active()->parentWidget()->resize(260, 400);
        QApplication::processEvents();
        SaveUnchanged();
        const std::string saved = ReadBytes(File(file));
        EXPECT_NE(saved.find("%%@"), std::string::npos) << "the narrow window wrapped lines";
        const std::string expected = dvi(original, QStringLiteral("a%1").arg(n));
        ASSERT_FALSE(expected.empty());
        EXPECT_TRUE(dvi(saved, QStringLiteral("b%1").arg(n)) == expected) << saved;
        CloseActive();
    }
}

TEST_F(SourceWindow, BibFilesAsTextNeverWrapNorGetMarkers) {
    store_.Write("UseBIBEdit", "0");
    store_.Write("WordWrap", "1");
    StartForm();
    const std::string line = "@BOOK{key, title = {" + std::string(300, 'x') + "}}\n";
    Open("refs.bib", line);
    EXPECT_EQ(Edit()->lineWrapMode(), QPlainTextEdit::NoWrap);
    SaveUnchanged();
    EXPECT_EQ(ReadBytes(File("refs.bib")), line);
}

// Every key was refused in a document over 2,000,000 positions, which any 2 MB source with
// line breaks is.
TEST_F(SourceWindow, LargeFileIsLoadedWholeAndTypingHasNoLimit) {
    StartForm();
    std::string big;
    while (big.size() < 2'000'100)
        big += "A line of a long thesis, \\emph{with} some $math$ and {braces}.\n";
    big.resize(2'000'100);
    Open("big.tex", big);
    const int length = Edit()->TextLength();
    EXPECT_GE(length, 2'000'100) << "never cut";
    Type("b");
    EXPECT_EQ(Edit()->TextLength(), length + 1);
}

TEST_F(SourceWindow, PositionsCountLineBreaksAsTwo) {
    StartNew();
    Edit()->setPlainText("ab\ncd\n\nef");
    EXPECT_EQ(Edit()->TextLength(), 12);
    Edit()->SelectLine(1);
    EXPECT_EQ(Edit()->GetSelection(), std::make_pair(4, 8));
    EXPECT_EQ(Edit()->textCursor().selectedText(), QString("cd") + QChar(0x2029));
    Edit()->SetSelection(8, 10);
    EXPECT_EQ(Edit()->LineFromPosition(8), 2);
    EXPECT_EQ(Edit()->LineFromPosition(10), 3);
    EXPECT_EQ(Edit()->LineText(3), "ef");
    EXPECT_EQ(Edit()->GetSelection(), std::make_pair(8, 10));
}

} // namespace
} // namespace orvelt::testing
