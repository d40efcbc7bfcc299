#include "MainFormFixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QStandardPaths>
#include <QTabBar>
#include <QTest>
#include <QTextBlock>

namespace orvelt::testing {
namespace {

using SourceWindow = MainFormFixture;

TEST_F(SourceWindow, SaveAsWritesSidecarAndSourceThenReopensClean) {
    StartForm();
    Trigger("FileNewItem");
    Type("Hello \\world");
    EXPECT_EQ(Panel(1), "Modified");
    EXPECT_TRUE(form_->Action("FileSaveItem")->isEnabled());
    prompter_.ExpectSaveFile(File("report"));
    Trigger("FileSaveItem");
    EXPECT_EQ(Active()->FileName, File("report.tex")) << "the default extension is added";
    EXPECT_EQ(ReadBytes(File("report.tex")), "Hello \\world");
    EXPECT_TRUE(QFile::exists(File("report.tex.orv")));
    EXPECT_EQ(Panel(2), "File saved successfully.");
    EXPECT_EQ(Panel(1), "");
    EXPECT_EQ(form_->Windowlist(), QStringList{File("report.tex")});
    EXPECT_EQ(form_->TabControl()->tabText(0), "report.tex");
    EXPECT_EQ(form_->Recent().Paths()[0], File("report.tex").toStdString());
    EXPECT_EQ(form_->LastDir(), dir_.path());
    ASSERT_EQ(prompter_.dialogs.size(), 1);
    EXPECT_EQ(prompter_.dialogs[0].directory, QDir::currentPath()) << "while LastDir is unset";

    form_->OpenDocument(File("report.tex"));
    EXPECT_EQ(Text(), "Hello \\world");
    EXPECT_FALSE(Active()->Modified) << "loaded from the sidecar";
}

TEST_F(SourceWindow, SidecarKeepsEveryCharacterFormat) {
    StartForm();
    Trigger("FileNewItem");
    Type("plain bold");
    TMyRichEdit* edit = Active()->MainEdit;
    edit->SetSelection(6, 10);
    HighlightStyle bold{"Liberation Serif", 14, 0x0000FF, kBold | kUnderline};
    edit->ApplyStyle(bold);
    prompter_.ExpectSaveFile(File("styled.tex"));
    Trigger("FileSaveItem");
    form_->OpenDocument(File("styled.tex"));
    QTextBlock block = Active()->MainEdit->document()->begin();
    QTextCursor cursor(block);
    cursor.setPosition(8);
    EXPECT_EQ(StyleOfFormat(cursor.charFormat()), bold);
    cursor.setPosition(3);
    EXPECT_EQ(StyleOfFormat(cursor.charFormat()),
              StyleFor(form_->Options().styles, StyleKind::Text));
}

TEST_F(SourceWindow, CloseQuestionYesNoCancel) {
    StartForm();
    Trigger("FileNewItem");
    Type("x");
    QMdiSubWindow* sub = form_->MdiArea()->currentSubWindow();

    prompter_.ExpectMessage("Save NONAME1 ?", Answer::Cancel);
    EXPECT_FALSE(sub->close());
    EXPECT_EQ(form_->ChildCount(), 1);

    // Regression: Yes with the save dialog cancelled used to close the window and lose the text.
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

TEST_F(SourceWindow, OverwriteNeedsYes) {
    StartForm();
    WriteBytes(File("taken.tex"), "keep me");
    Trigger("FileNewItem");
    Type("new");
    prompter_.ExpectSaveFile(File("taken.tex"));
    prompter_.ExpectMessage("OK to overwrite " + File("taken.tex") + "?", Answer::No);
    Trigger("FileSaveAsItem");
    EXPECT_EQ(ReadBytes(File("taken.tex")), "keep me");
    EXPECT_TRUE(Active()->FileName.isEmpty());
    EXPECT_TRUE(Active()->Modified);
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
        QString shown; // a piece of what the surface must show, empty to skip
    };
    const Row rows[] = {
        {"nominal: UTF-8 with umlauts, quotes and a character beyond the BMP, LF",
         "\xC3\xA4\xC3\xB6\xC3\xBC \xE2\x80\x9Equoted\xE2\x80\x9C \xF0\x9F\x98\x80\nnext\n",
         QString::fromUtf8(
             "\xC3\xA4\xC3\xB6\xC3\xBC \xE2\x80\x9Equoted\xE2\x80\x9C \xF0\x9F\x98\x80")},
        {"nominal: CR LF line ends", "first\r\nsecond\r\n", "first"},
        {"nominal: no final line end", "last line", "last line"},
        {"nominal: byte-order mark", "\xEF\xBB\xBFwith bom\n", "with bom"},
        {"robustness: Windows-1252, every byte value", all256 + "\n" + all256, {}},
        // Mixed files were converted to their first kind, and a lone CR became LF.
        {"regression: each line keeps its own end", "lf\ncrlf\r\ncr\rlf\n\r\n\rend", "crlf"},
        // The surface takes these characters for its own paragraph and line breaks.
        {"regression: separators and noncharacters survive",
         "a\xE2\x80\xA8"
         "b\xE2\x80\xA9"
         "c\xEF\xB7\x90"
         "d\xEF\xB7\x91"
         "e\n",
         {}},
        {"nominal: a line far wider than the window", std::string(3000, 'w') + " x\n", {}},
    };
    StartForm();
    int n = 0;
    for (const WrapMode mode : {WrapMode::Off, WrapMode::ScreenOnly}) {
        form_->Options().wordWrap = mode;
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            QString name = File(QStringLiteral("f%1.tex").arg(n++));
            WriteBytes(name, row.bytes);
            if (row.bytes.find('\0') != std::string::npos)
                prompter_.ExpectMessage(name + " does not look like a text file. Open it anyway?",
                                        Answer::Yes);
            form_->OpenDocument(name);
            if (!row.shown.isEmpty()) {
                EXPECT_TRUE(Text().contains(row.shown)) << Text().toStdString();
            }
            SaveUnchanged();
            EXPECT_EQ(ReadBytes(name), row.bytes);
            Active()->parentWidget()->close();
        }
    }
}

TEST_F(SourceWindow, PastedCharactersFollowTheDocumentsEncoding) {
    StartForm();
    WriteBytes(File("utf.tex"), "x\n");
    form_->OpenDocument(File("utf.tex"));
    Active()->MainEdit->moveCursor(QTextCursor::End);
    QApplication::clipboard()->setText(QString::fromUtf8("\xC3\xA9"));
    Trigger("EditPasteItem");
    Trigger("FileSaveItem");
    EXPECT_EQ(ReadBytes(File("utf.tex")), "x\n\xC3\xA9") << "UTF-8, never a lone 8-bit byte";

    WriteBytes(File("ansi.tex"), "\xE4\n");
    form_->OpenDocument(File("ansi.tex"));
    Active()->MainEdit->moveCursor(QTextCursor::End);
    QApplication::clipboard()->setText(QString::fromUtf8("\xC3\xA9\xE2\x82\xAC\xE2\x88\x80"));
    Trigger("EditPasteItem");
    Trigger("FileSaveItem");
    EXPECT_EQ(ReadBytes(File("ansi.tex")), "\xE4\n\xE9\x80?") << "what the code page lacks is ?";
}

TEST_F(SourceWindow, NewDocumentIsUtf8WithLf) {
    store_.Write("ConvertKeys", "0"); // else the typed umlaut becomes "a
    StartForm();
    Trigger("FileNewItem");
    Type(QString::fromUtf8("\xC3\xA4"));
    Key(Qt::Key_Return);
    Type("b");
    prompter_.ExpectSaveFile(File("new.tex"));
    Trigger("FileSaveItem");
    EXPECT_EQ(ReadBytes(File("new.tex")), "\xC3\xA4\nb");
}

TEST_F(SourceWindow, AsciiOptionConvertsBothWays) {
    store_.Write("ASCII", "1");
    store_.Write("WordWrap", "0");
    StartForm();
    WriteBytes(File("dos.tex"), "\x84\x80\n");
    form_->OpenDocument(File("dos.tex"));
    // 84 is ä; 80 is below the converted range and stays the code page's euro sign.
    EXPECT_EQ(Text(), QString::fromUtf8("\xC3\xA4\xE2\x82\xAC\n"));
    SaveUnchanged();
    EXPECT_EQ(ReadBytes(File("dos.tex")), "\x84\x80\n");
}

TEST_F(SourceWindow, WrappedParagraphIsSavedWithMarkersAndJoinedOnImport) {
    store_.Write("WordWrap", "1"); // saved breaks
    StartForm();
    Trigger("FileNewItem");
    Active()->parentWidget()->resize(400, 300);
    QApplication::processEvents();
    QString paragraph;
    for (int i = 0; i < 30; ++i)
        paragraph += QStringLiteral("word%1 ").arg(i);
    QString comment = "% a long comment with \\undefinedcommand";
    for (int i = 0; i < 15; ++i)
        comment += QStringLiteral(" more%1").arg(i);
    Active()->MainEdit->setPlainText("\\documentclass{article}\n\\begin{document}\n" + paragraph +
                                     "\n" + comment + "\n\\end{document}\n");
    ASSERT_GT(Active()->MainEdit->LineCount(), 7) << "the paragraph must wrap";
    prompter_.ExpectSaveFile(File("wrap.tex"));
    Trigger("FileSaveItem");
    std::string saved = ReadBytes(File("wrap.tex"));
    EXPECT_NE(saved.find("%%@\n"), std::string::npos);

    Active()->SetModified(false);
    Active()->parentWidget()->close();
    QFile::remove(File("wrap.tex.orv"));
    form_->OpenDocument(File("wrap.tex"));
    EXPECT_EQ(Text().toStdString(), ("\\documentclass{article}\n\\begin{document}\n" + paragraph +
                                     "\n" + comment + "\n\\end{document}\n")
                                        .toStdString());

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
        WriteBytes(dir_.path() + "/" + folder + "/doc.tex", source);
        QProcess tex;
        tex.setWorkingDirectory(dir_.path() + "/" + folder);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("SOURCE_DATE_EPOCH", "1700000000");
        env.insert("FORCE_SOURCE_DATE", "1"); // the same input gives the same bytes
        tex.setProcessEnvironment(env);
        tex.start("latex", {"-interaction=nonstopmode", "-no-shell-escape", "doc.tex"});
        tex.waitForFinished(60000);
        return ReadBytes(dir_.path() + "/" + folder + "/doc.dvi");
    };
    store_.Write("WordWrap", "1");
    StartForm();
    int n = 0;
    for (const char* name : {"softbreak-constructs.tex", "highlight-article.tex",
                             "highlight-thesis-crlf.tex", "highlight-letter-cp1252.tex"}) {
        SCOPED_TRACE(name);
        QFile data(QStringLiteral(ORVELT_TEST_DATA "/") + name);
        ASSERT_TRUE(data.open(QIODevice::ReadOnly));
        const std::string original = data.readAll().toStdString();
        const QString file = File(QStringLiteral("src%1.tex").arg(n++));
        WriteBytes(file, original);
        form_->OpenDocument(file);
        Active()->parentWidget()->showNormal();
        Active()->parentWidget()->resize(260, 400);
        QApplication::processEvents();
        SaveUnchanged();
        const std::string saved = ReadBytes(file);
        EXPECT_NE(saved.find("%%@"), std::string::npos) << "the narrow window wrapped lines";
        const std::string expected = dvi(original, QStringLiteral("a%1").arg(n));
        ASSERT_FALSE(expected.empty());
        EXPECT_TRUE(dvi(saved, QStringLiteral("b%1").arg(n)) == expected) << saved;
        Active()->parentWidget()->close();
    }
}

TEST_F(SourceWindow, BibFilesAsTextNeverWrapNorGetMarkers) {
    store_.Write("UseBIBEdit", "0");
    store_.Write("WordWrap", "1");
    StartForm();
    std::string line = "@BOOK{key, title = {" + std::string(300, 'x') + "}}\n";
    WriteBytes(File("refs.bib"), line);
    form_->OpenDocument(File("refs.bib"));
    EXPECT_EQ(Active()->MainEdit->lineWrapMode(), QPlainTextEdit::NoWrap);
    SaveUnchanged();
    EXPECT_EQ(ReadBytes(File("refs.bib")), line);
}

TEST_F(SourceWindow, LargeFileIsLoadedWholeAndTypingHasNoLimit) {
    // Every key was refused in a document over 2,000,000 positions, which any 2 MB source
    // with line breaks is.
    StartForm();
    std::string big;
    while (big.size() < 2'000'100)
        big += "A line of a long thesis, \\emph{with} some $math$ and {braces}.\n";
    big.resize(2'000'100);
    WriteBytes(File("big.tex"), big);
    form_->OpenDocument(File("big.tex"));
    const int length = Active()->MainEdit->TextLength();
    EXPECT_GE(length, 2'000'100) << "never cut";
    Type("b");
    EXPECT_EQ(Active()->MainEdit->TextLength(), length + 1);
}

TEST_F(SourceWindow, PositionsCountLineBreaksAsTwo) {
    StartForm();
    Trigger("FileNewItem");
    TMyRichEdit* edit = Active()->MainEdit;
    edit->setPlainText("ab\ncd\n\nef");
    EXPECT_EQ(edit->TextLength(), 12);
    edit->SelectLine(1);
    EXPECT_EQ(edit->GetSelection(), std::make_pair(4, 8));
    EXPECT_EQ(edit->textCursor().selectedText(), QString("cd") + QChar(0x2029));
    edit->SetSelection(8, 10);
    EXPECT_EQ(edit->LineFromPosition(8), 2);
    EXPECT_EQ(edit->LineFromPosition(10), 3);
    EXPECT_EQ(edit->LineText(3), "ef");
    EXPECT_EQ(edit->GetSelection(), std::make_pair(8, 10));
}

} // namespace
} // namespace orvelt::testing
