#include "MainFormFixture.h"

#include <QApplication>
#include <QFile>
#include <QInputMethodEvent>
#include <QTest>
#include <QTextBlock>
#include <vector>

namespace orvelt::testing {
namespace {

class Keystrokes : public MainFormFixture {
protected:
    // The shipped keyword list, as installed beside the program.
    void InstallKeywords() {
        ASSERT_TRUE(QFile::copy(QStringLiteral(ORVELT_DATA_DIR "/KEYWORDS.TXT"),
                                dir_.path() + "/prog/KEYWORDS.TXT"));
    }
    void StartWithNewDocument() {
        store_.Write("BraceDelay", "5");
        StartForm();
        Trigger("FileNewItem");
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
    TMyRichEdit* Edit() const { return Active()->MainEdit; }
    [[nodiscard]] std::pair<int, int> Selection() const { return Edit()->GetSelection(); }
    // The style of the character at Qt position p.
    [[nodiscard]] HighlightStyle StyleAt(int p) const {
        QTextCursor cursor(Edit()->document());
        cursor.setPosition(p + 1);
        return StyleOfFormat(cursor.charFormat());
    }
    [[nodiscard]] HighlightStyle Style(StyleKind kind) const {
        return StyleFor(form_->Options().styles, kind);
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
    struct Shown {
        int start;
        int end;
        bool underlined;
    };
    std::vector<Shown> shown;
    std::vector<int> carets;

    [[nodiscard]] bool Showed(int start, int end, bool underlined) const {
        for (const Shown& s : shown)
            if (s.start == start && s.end == end && s.underlined == underlined)
                return true;
        return false;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            QTextCursor cursor = edit_->textCursor();
            bool underlined = cursor.hasSelection() && cursor.charFormat().fontUnderline();
            shown.push_back({cursor.selectionStart(), cursor.selectionEnd(), underlined});
        }
        return QObject::eventFilter(watched, event);
    }

private:
    TMyRichEdit* edit_;
};

// Key conversion is for documents kept in an 8-bit code page: "Gr\u00F6\u00DFe" typed into a
// UTF-8 document became Gr"o"se, which prints quotation marks under xelatex.
TEST_F(Keystrokes, UmlautsAreTypedAsQuoteAndLetterOnlyIn8BitDocuments) {
    store_.Write("BraceDelay", "5");
    StartForm();
    WriteBytes(File("old.tex"), "\xE9\n"); // not UTF-8: Windows-1252
    form_->OpenDocument(File("old.tex"));
    Edit()->moveCursor(QTextCursor::End);
    Type(QString::fromUtf8("\xC3\xA4"));
    EXPECT_EQ(Text(), QString::fromUtf8("\xC3\xA9\n\"a"));
    Type("xyz");
    Edit()->SetSelection(5, 8);
    Type(QString::fromUtf8("\xC3\x9C"));
    EXPECT_EQ(Text(), QString::fromUtf8("\xC3\xA9\n\"a\"U")) << "the selection is replaced";
    // Composed with a dead key or an input method, it converts all the same.
    QInputMethodEvent composed;
    composed.setCommitString(QString::fromUtf8("\xC3\x9F"));
    QApplication::sendEvent(Edit(), &composed);
    EXPECT_EQ(Text(), QString::fromUtf8("\xC3\xA9\n\"a\"U\"s"));

    Trigger("FileNewItem"); // UTF-8
    Type(QString::fromUtf8("Gr\xC3\xB6\xC3\x9F"
                           "e"));
    QApplication::sendEvent(Edit(), &composed);
    EXPECT_EQ(Text(), QString::fromUtf8("Gr\xC3\xB6\xC3\x9F"
                                        "e\xC3\x9F"));
}

TEST_F(Keystrokes, ClosingBraceShowsTheOpeningBraceUnderlinedThenReturns) {
    StartWithNewDocument();
    Type("{a{b}c");
    PaintWatch watch(Edit());
    Type("}");
    EXPECT_TRUE(watch.Showed(0, 1, true)) << "the first brace, selected and underlined, painted";
    EXPECT_EQ(Selection(), std::make_pair(7, 7)) << "the caret came back";
    EXPECT_EQ(StyleAt(0), Style(StyleKind::Brace)) << "the underline is gone again";
    EXPECT_EQ(StyleAt(6), Style(StyleKind::Brace));
    EXPECT_EQ(Text(), "{a{b}c}");
}

TEST_F(Keystrokes, EscapedClosingBraceShowsNothing) {
    StartWithNewDocument();
    Type("{a\\");
    PaintWatch watch(Edit());
    Type("}");
    Key(Qt::Key_Left);
    Key(Qt::Key_Right);
    for (const auto& shown : watch.shown) {
        SCOPED_TRACE(shown.start);
        EXPECT_EQ(shown.start, shown.end) << "no brace was ever selected";
    }
    EXPECT_EQ(Selection(), std::make_pair(4, 4));
}

TEST_F(Keystrokes, BraceAfterALineBreakCommandIsAGroup) {
    // Regression: a brace after "\\" counted as escaped, so "\\{x}" showed nothing.
    StartWithNewDocument();
    Type("a\\\\{x");
    PaintWatch watch(Edit());
    Type("}");
    EXPECT_TRUE(watch.Showed(3, 4, true));
}

TEST_F(Keystrokes, ClosingBraceFindsAGroupOpenedThreeLinesEarlier) {
    StartWithNewDocument();
    TypeLines("\\textbf{\none\ntwo\n");
    PaintWatch watch(Edit());
    Type("}");
    EXPECT_TRUE(watch.Showed(7, 8, true)) << "the brace of the first line";
    EXPECT_EQ(Selection(), std::make_pair(21, 21));
}

TEST_F(Keystrokes, BraceDisplayOffShowsNothing) {
    store_.Write("Braces", "0");
    StartWithNewDocument();
    Type("{a");
    PaintWatch watch(Edit());
    Type("}");
    EXPECT_FALSE(watch.Showed(0, 1, true));
}

TEST_F(Keystrokes, BookmarkFollowsTextTypedBeforeIt) {
    StartWithNewDocument();
    Type("abcdef");
    Edit()->SetSelection(3, 3);
    // Shift+3 arrives as "#" on a US keyboard; the bookmark is still number 3.
    Key(Qt::Key_NumberSign, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Panel(2), "Bookmark 3 dropped.");
    Key(Qt::Key_Home);
    Type("12345");
    Key(Qt::Key_End);
    Key(Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(Selection(), std::make_pair(8, 8)) << "moved by the five characters";
    EXPECT_EQ(Text(), "12345abcdef");
    Key(Qt::Key_4, Qt::ControlModifier);
    EXPECT_EQ(Panel(2), "Bookmark 4 not defined.");
    EXPECT_EQ(Selection(), std::make_pair(8, 8)) << "the caret stays";
}

TEST_F(Keystrokes, CtrlEnterClosesTheEnvironmentOnANewLine) {
    InstallKeywords();
    StartWithNewDocument();
    Type("\\begin{itemize}");
    Key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(Text(), "\\begin{itemize}\n\\end{itemize}") << "\\begin is complete already";
    EXPECT_EQ(Selection(), std::make_pair(17, 17)) << "at the start of the new line";
    const int line = 16; // Qt position of the \end line
    for (int p = 0; p < 4; ++p)
        EXPECT_EQ(StyleAt(line + p), Style(StyleKind::TexCommand)) << p;
    EXPECT_EQ(StyleAt(line + 4), Style(StyleKind::Brace));
    for (int p = 5; p < 12; ++p)
        EXPECT_EQ(StyleAt(line + p), Style(StyleKind::Text)) << p;
    EXPECT_EQ(StyleAt(line + 12), Style(StyleKind::Brace));
}

TEST_F(Keystrokes, CtrlEnterCompletesACommand) {
    WriteBytes(dir_.path() + "/prog/KEYWORDS.TXT", "\\sb\n\\section\n\\sectionmark\n\\sf\n");
    StartWithNewDocument();
    Type("x \\sec");
    Key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(Text(), "x \\section") << "and no line break";
    EXPECT_EQ(Selection(), std::make_pair(10, 10));
}

TEST_F(Keystrokes, CtrlEnterWithTheShippedListStopsAtTheFirstMatch) {
    InstallKeywords();
    StartWithNewDocument();
    Type("\\sect");
    Key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(Text(), "\\section");
    Type(" \\sec");
    Key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(Text(), "\\section \\sec") << "\\sec (secant) is a command of its own";
}

TEST_F(Keystrokes, CtrlEnterNeverWritesIntoTextAfterTheCommand) {
    // Regression: with the caret past "\te{x}", the completion of \te landed at the caret.
    WriteBytes(dir_.path() + "/prog/KEYWORDS.TXT", "\\texttt\n");
    StartWithNewDocument();
    Type("\\te{x} y");
    Key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(Text(), "\\te{x} y");
}

TEST_F(Keystrokes, CtrlEnterKeepsSelectedText) {
    // Regression: the completion replaced the selection, so "\\s[ec]" became "\\stion".
    WriteBytes(dir_.path() + "/prog/KEYWORDS.TXT", "\\section\n");
    StartWithNewDocument();
    Type("\\sec");
    Edit()->SetSelection(2, 4);
    Key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(Text(), "\\section");
}

TEST_F(Keystrokes, DownAfterTypingRestylesTheEditedLineOnce) {
    InstallKeywords();
    StartWithNewDocument();
    TypeLines("\n\\alpha");
    ClickAt(0);
    Type("\\section");
    ASSERT_NE(StyleAt(1), Style(StyleKind::TexCommand)) << "letters are typed as text";
    Key(Qt::Key_Down);
    for (int p = 0; p < 8; ++p)
        EXPECT_EQ(StyleAt(p), Style(StyleKind::TexCommand)) << p;
    EXPECT_NE(StyleAt(10), Style(StyleKind::TexCommand)) << "the line arrived at is left alone";
    Key(Qt::Key_Down);
    EXPECT_NE(StyleAt(10), Style(StyleKind::TexCommand)) << "a second Down re-styles nothing";
    Key(Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(StyleAt(10), Style(StyleKind::TexCommand)) << "Ctrl+R on demand";
}

TEST_F(Keystrokes, RowFollowsTypingAndClicks) {
    // The row is kept between changes; a line break or a click must still show the new one.
    StartWithNewDocument();
    TypeLines("a\nb");
    EXPECT_EQ(Panel(0), " Row: 2");
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Panel(0), " Row: 1");
    TypeLines("\n\nc");
    ClickAt(0);
    EXPECT_EQ(Panel(0), " Row: 1");
}

TEST_F(Keystrokes, InsertTogglesOverwrite) {
    StartWithNewDocument();
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
    StartWithNewDocument();
    Type("\\section{a}");
    Key(Qt::Key_Left);
    Key(Qt::Key_F1, Qt::ControlModifier);
    EXPECT_EQ(Panel(2), "LaTeX help: \\section");
}

TEST_F(Keystrokes, ShortcutsThatTypeNothingLeaveTheDocumentClean) {
    // Regression: every key with a character, Ctrl+A included, marked the document modified.
    StartWithNewDocument();
    ASSERT_EQ(Panel(1), "");
    Key(Qt::Key_A, Qt::ControlModifier);
    Key(Qt::Key_Escape);
    EXPECT_EQ(Panel(1), "");
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Panel(1), "Modified") << "Backspace counts as editing";
}

} // namespace
} // namespace orvelt::testing
