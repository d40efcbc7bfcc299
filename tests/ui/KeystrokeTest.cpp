#include "MainFormFixture.h"
#include "platform/EscapePoller.h"

#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QTextBlock>
#include <algorithm>
#include <tuple>
#include <vector>

namespace orvelt::testing {
namespace {

class Keystrokes : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        store_.Write("BraceDelay", "5");
    }
    // The shipped keyword list, as installed beside the program.
    void InstallKeywords() {
        WriteBytes(File("prog/KEYWORDS.TXT"), ReadBytes(ORVELT_DATA_DIR "/KEYWORDS.TXT"));
    }
    // Type() knows no line break: Enter is pressed as a key.
    void TypeLines(const QString& text) {
        const QStringList lines = text.split('\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                Key(Qt::Key_Return);
            Type(lines[i]);
        }
    }
    [[nodiscard]] std::pair<int, int> Selection() const { return Edit()->GetSelection(); }
    [[nodiscard]] std::pair<int, int> AtEnd() const {
        return {Edit()->TextLength(), Edit()->TextLength()};
    }
    void ClickAt(int qtPos) {
        QTextCursor at(Edit()->document());
        at.setPosition(qtPos);
        QTest::mouseClick(Edit()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          Edit()->cursorRect(at).center());
    }
};

// What the viewport showed each time it was painted: the selection and whether the selected
// character was underlined.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(TMyRichEdit* edit) : edit_(edit) {
        edit->viewport()->installEventFilter(this);
    }
    std::vector<std::tuple<int, int, bool>> shown;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            const QTextCursor c = edit_->textCursor();
            shown.emplace_back(c.selectionStart(), c.selectionEnd(),
                               c.hasSelection() && c.charFormat().fontUnderline());
        }
        return QObject::eventFilter(watched, event);
    }

private:
    TMyRichEdit* edit_;
};

// Keys typed while a long operation polled for Escape were swallowed: "xyz}abcdef" typed
// quickly in a big file became "xyz}".
TEST_F(Keystrokes, KeysTypedDuringALongOperationArriveInOrder) {
    StartNew();
    EscapePoller& escape = form_->Escape();
    escape.BeginOperation();
    for (const char* key : {"a", "b", "c"}) {
        QApplication::postEvent(Edit(), new QKeyEvent(QEvent::KeyPress, key[0], Qt::NoModifier,
                                                      QString::fromLatin1(key)));
        QApplication::postEvent(Edit(), new QKeyEvent(QEvent::KeyRelease, key[0], Qt::NoModifier,
                                                      QString::fromLatin1(key)));
    }
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 40) {
    }
    EXPECT_FALSE(escape.EscapePressed()); // the operation's poll takes the pending events
    EXPECT_EQ(Text(), "") << "nothing re-enters the operation";
    escape.EndOperation();
    QApplication::processEvents();
    EXPECT_EQ(Text(), "abc");
}

// A digit, blank or punctuation typed over a selection after a letter, " or \ went in before
// the selected text, which stayed: x[abc] (abc selected) and 1 gave x1abc.
TEST_F(Keystrokes, TypingOverASelectionReplacesIt) {
    struct Row {
        const char* name;
        const char* text;
        const char* typed;
        const char* expected;
    };
    const Row rows[] = {{"regression: a digit after a letter", "xabc", "1", "x1"},
                        {"regression: a blank after a quote", "\"abc", " ", "\" "},
                        {"regression: a full stop after a backslash", "\\abc", ".", "\\."},
                        {"nominal: a letter", "xabc", "q", "xq"}};
    StartForm();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Trigger("FileNewItem");
        Type(row.text);
        Edit()->SetSelection(1, 4);
        Type(row.typed);
        EXPECT_EQ(Text(), row.expected);
        Key(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(Text(), row.text) << "one undo step";
    }
}

// Key conversion is for documents kept in an 8-bit code page: "Gr\u00F6\u00DFe" typed into a
// UTF-8 document became Gr"o"se, which prints quotation marks under xelatex.
TEST_F(Keystrokes, UmlautsAreTypedAsQuoteAndLetterOnlyIn8BitDocuments) {
    StartForm();
    Open("old.tex", "\xE9\n"); // not UTF-8: Windows-1252
    Edit()->moveCursor(QTextCursor::End);
    Type("\u00E4");
    EXPECT_EQ(Text(), "\u00E9\n\"a");
    Type("xyz");
    Edit()->SetSelection(5, 8);
    Type("\u00DC");
    EXPECT_EQ(Text(), "\u00E9\n\"a\"U") << "the selection is replaced";
    // Composed with a dead key or an input method, it converts all the same.
    QInputMethodEvent composed;
    composed.setCommitString("\u00DF");
    QApplication::sendEvent(Edit(), &composed);
    EXPECT_EQ(Text(), "\u00E9\n\"a\"U\"s");

    Trigger("FileNewItem"); // UTF-8
    Type("Gr\u00F6\u00DFe");
    QApplication::sendEvent(Edit(), &composed);
    EXPECT_EQ(Text(), "Gr\u00F6\u00DFe\u00DF");
}

TEST_F(Keystrokes, ClosingBraceShowsTheOpeningBraceUnderlinedThenReturns) {
    struct Row {
        const char* name;
        const char* before; // typed before the closing brace
        int shown;          // the opening brace's Qt position, -1 for none
        const char* braces = "1";
    };
    const Row rows[] = {
        {"nominal: the brace of the group", "{a{b}c", 0},
        {"nominal: a group opened three lines earlier", "\\textbf{\none\ntwo\n", 7},
        {"nominal: an escaped brace shows nothing", "{a\\", -1},
        {"nominal: nothing when the display is off", "{a", -1, "0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        store_.Write("Braces", row.braces);
        StartNew();
        TypeLines(row.before);
        PaintWatch watch(Edit());
        Type("}");
        Key(Qt::Key_Left);
        Key(Qt::Key_Right);
        EXPECT_EQ(Selection(), AtEnd()) << "the caret came back";
        EXPECT_EQ(Text(), QString(row.before) + "}");
        if (row.shown < 0) {
            for (const auto& [start, end, underlined] : watch.shown)
                EXPECT_EQ(start, end) << "no brace was ever selected";
            continue;
        }
        EXPECT_NE(std::ranges::find(watch.shown, std::tuple(row.shown, row.shown + 1, true)),
                  watch.shown.end())
            << "selected and underlined";
        EXPECT_EQ(StyleAt(row.shown), Style(StyleKind::Brace)) << "the underline is gone again";
        EXPECT_TRUE(Kinds().endsWith('b'));
    }
}

// Bookmarks followed only what was typed key by key: a converted umlaut, a paste, a completion
// or a snippet before a bookmark left it behind its text.
TEST_F(Keystrokes, BookmarksKeepTheirTextWhateverInsertsBeforeThem) {
    WriteBytes(File("prog/KEYWORDS.TXT"), "\\section\n");
    StartForm();
    Open("old.tex", "\xE9 \\sec mark\n"); // Windows-1252
    Edit()->SetSelection(7, 7);           // before "mark"
    // Shift+3 arrives as "#" on a US keyboard; the bookmark is still number 3.
    Key(Qt::Key_NumberSign, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Panel(2), "Bookmark 3 dropped.");
    Edit()->SetSelection(0, 0);
    Type("12\u00E4"); // typed, the umlaut converted to "a
    Paste("pasted ");
    Edit()->SetSelection(17, 17); // after \sec
    Key(Qt::Key_Return, Qt::ControlModifier);
    ASSERT_EQ(Text(), "12\"apasted \u00E9 \\section mark\n");
    Edit()->SetSelection(0, 0);
    Key(Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(Selection(), std::make_pair(22, 22)) << "before mark";
    Key(Qt::Key_4, Qt::ControlModifier);
    EXPECT_EQ(Panel(2), "Bookmark 4 not defined.");
    EXPECT_EQ(Selection(), std::make_pair(22, 22)) << "the caret stays";
}

TEST_F(Keystrokes, CtrlEnterCompletesTheCommandBeforeTheCaret) {
    struct Row {
        const char* name;
        const char* keywords; // nullptr: the shipped list
        const char* typed;
        const char* expected;
        int selectFrom = -1; // selected from there to the end
    };
    const Row rows[] = {
        {"nominal: the first command it begins, and no line break",
         "\\sb\n\\section\n\\sectionmark\n\\sf\n", "x \\sec", "x \\section"},
        {"nominal: the shipped list", nullptr, "\\sect", "\\section"},
        // With the caret past "\te{x}", the completion of \te landed at the caret.
        {"regression: never into text after the command", "\\texttt\n", "\\te{x} y", "\\te{x} y"},
        // The completion replaced the selection, so "\s[ec]" became "\stion".
        {"regression: selected text is kept", "\\section\n", "\\sec", "\\section", 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.keywords != nullptr)
            WriteBytes(File("prog/KEYWORDS.TXT"), row.keywords);
        else
            InstallKeywords();
        StartNew();
        Type(row.typed);
        if (row.selectFrom >= 0)
            Edit()->SetSelection(row.selectFrom, Edit()->TextLength());
        Key(Qt::Key_Return, Qt::ControlModifier);
        EXPECT_EQ(Text(), row.expected);
        EXPECT_EQ(Selection(), AtEnd());
    }
}

TEST_F(Keystrokes, CtrlEnterClosesTheEnvironmentOnANewLine) {
    InstallKeywords();
    StartNew();
    Type("\\begin{itemize}");
    Key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(Text(), "\\begin{itemize}\n\\end{itemize}") << "\\begin is complete already";
    EXPECT_EQ(Selection(), std::make_pair(17, 17)) << "at the start of the new line";
    EXPECT_EQ(Kinds().section('\n', 1), "KKKKbtttttttb");
}

TEST_F(Keystrokes, DownAfterTypingRestylesTheEditedLineOnce) {
    InstallKeywords();
    StartNew();
    TypeLines("\n\\alpha");
    ClickAt(0);
    Type("\\section");
    ASSERT_NE(StyleAt(1), Style(StyleKind::TexCommand)) << "letters are typed as text";
    Key(Qt::Key_Down);
    EXPECT_EQ(Kinds().left(9), "KKKKKKKK\n");
    EXPECT_NE(StyleAt(10), Style(StyleKind::TexCommand)) << "the line arrived at is left alone";
    Key(Qt::Key_Down);
    EXPECT_NE(StyleAt(10), Style(StyleKind::TexCommand)) << "a second Down re-styles nothing";
    Key(Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(StyleAt(10), Style(StyleKind::TexCommand)) << "Ctrl+R on demand";
}

// The row is kept between changes. It was cached against the document the window started
// with, so in a loaded document it went stale when an edit joined lines without moving the
// caret.
TEST_F(Keystrokes, RowFollowsTypingClicksAndEditsBeforeTheCaret) {
    StartNew();
    TypeLines("a\nb");
    EXPECT_EQ(Panel(0), " Row: 2");
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Panel(0), " Row: 1");
    TypeLines("\n\nc");
    ClickAt(0);
    EXPECT_EQ(Panel(0), " Row: 1");

    Open("rows.tex", "a\nbc");
    Edit()->SetSelection(4, 4); // before "c", on the second line
    Active()->FormActivate();
    ASSERT_EQ(Panel(0), " Row: 2");
    QTextCursor other(Edit()->document());
    other.setPosition(0);
    other.setPosition(3, QTextCursor::KeepAnchor);
    other.insertText("a b");
    ASSERT_EQ(Edit()->textCursor().position(), 3);
    Active()->FormActivate();
    EXPECT_EQ(Panel(0), " Row: 1");
}

// Qt shapes a paragraph anew for every caret move unless its layout is kept: in a file opened
// with a line of two million characters each arrow key took a fifth of a second.
TEST_F(Keystrokes, ALongLineOfAnOpenedFileKeepsItsShapedTextForCaretMoves) {
    StartForm();
    std::string words;
    while (words.size() < 150'000)
        words += "word ";
    Open("long.tex", words + "\nshort\n");
    const QTextBlock longLine = Edit()->document()->firstBlock();
    EXPECT_TRUE(longLine.layout()->cacheEnabled());
    EXPECT_FALSE(longLine.next().layout()->cacheEnabled()) << "a short line";
}

TEST_F(Keystrokes, InsertTogglesOverwrite) {
    StartNew();
    EXPECT_EQ(Panel(3), "INS");
    Type("abc");
    Key(Qt::Key_Home);
    Key(Qt::Key_Insert);
    EXPECT_EQ(Panel(3), "OVR");
    Type("X");
    EXPECT_EQ(Text(), "Xbc");
    Key(Qt::Key_Insert);
    EXPECT_EQ(Panel(3), "INS");
    Type("Y");
    EXPECT_EQ(Text(), "XYbc");
}

TEST_F(Keystrokes, CtrlF1NamesTheCommandAtTheCaret) {
    StartNew();
    Type("\\section{a}");
    Key(Qt::Key_Left);
    Key(Qt::Key_F1, Qt::ControlModifier);
    EXPECT_EQ(Panel(2), "LaTeX help: \\section");
}

// Every key with a character, Ctrl+A included, marked the document modified.
TEST_F(Keystrokes, ShortcutsThatTypeNothingLeaveTheDocumentClean) {
    StartNew();
    Key(Qt::Key_A, Qt::ControlModifier);
    Key(Qt::Key_Escape);
    EXPECT_EQ(Panel(1), "");
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Panel(1), "Modified") << "Backspace counts as editing";
}

} // namespace
} // namespace orvelt::testing
