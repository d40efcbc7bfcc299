#include "MainFormFixture.h"
#include "insert/PaletteWindow.h"
#include "insert/SymbolButton.h"
#include "insert/SymbolPalette.h"
#include "insert/font.h"
#include "insert/palettes/PaletteTables.h"
#include "insert/texcmds.h"
#include "widgets/Numedit.h"

#include <QComboBox>
#include <QEnterEvent>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QToolButton>

namespace orvelt::testing {
namespace {

// The symbol palettes: tool-bar button, window.
const std::pair<const char*, const char*> kSymbolPalettes[] = {{"BtnGreek", "GreekLetters"},
                                                               {"BtnBinOps", "BinOps"},
                                                               {"BtnRelOps", "relops"},
                                                               {"BtnArrows", "arrows"},
                                                               {"BtnMisc", "misc"}};

class Palettes : public MainFormFixture {
protected:
    template <class Window = TPaletteWindow> Window* Palette(const char* name) const {
        auto* window = form_->findChild<Window*>(name);
        EXPECT_NE(window, nullptr) << name;
        return window;
    }
    TSymbolPalette* Greek() const { return Palette<TSymbolPalette>("GreekLetters"); }
    Tfonts* Fonts() const { return Palette<Tfonts>("fonts"); }
    TtexCmd* Commands() const { return Palette<TtexCmd>("texCmd"); }

    QToolButton* Tool(const char* name) const {
        return form_->findChild<QToolButton*>(QLatin1String(name));
    }
    void Click(QWidget* widget) {
        ASSERT_NE(widget, nullptr);
        QTest::mouseClick(widget, Qt::LeftButton);
        QApplication::processEvents();
    }
    void Open(const char* button) { Click(Tool(button)); }
    static SymbolButton* Symbol(const TSymbolPalette* palette, const QString& command) {
        for (SymbolButton* button : palette->Buttons())
            if (button->toolTip() == command)
                return button;
        ADD_FAILURE() << "no button " << command.toStdString();
        return nullptr;
    }
    QString Selected() const { return Commands()->ListBox1->currentIndex().data().toString(); }
    [[nodiscard]] int Caret() const { return Edit()->textCursor().position(); }
};

TEST_F(Palettes, ASymbolReplacesTheSelectionAsATexCommand) {
    struct Row {
        const char* name;
        const char* command;
        bool stick;
        const char* expected;
        const char* kinds;
    };
    const Row rows[] = {
        {"nominal: alpha over a selected x, then the palette closes", "\\alpha", false,
         "a \\alpha b", "ttKKKKKKtt"},
        {"nominal: with the stick button down the palette stays open", "\\omega", true,
         "a \\omega b", "ttKKKKKKtt"},
        {"nominal: omicron is the Latin letter", "o", false, "a o b", "ttKtt"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        StartNew();
        Type("a x b");
        Edit()->SetSelection(4, 4);
        Active()->DropBookmark(1); // before "b"
        Edit()->SetSelection(2, 3);
        Open("BtnGreek");
        ASSERT_TRUE(Greek()->isVisible());
        Greek()->BtnStick->setChecked(row.stick);
        SymbolButton* symbol = Symbol(Greek(), row.command);
        Click(symbol);
        EXPECT_EQ(Text(), row.expected);
        EXPECT_EQ(Kinds(), row.kinds) << "in the TeX-commands style, nothing around it";
        EXPECT_EQ(Caret(), 2 + QString(row.command).size());
        EXPECT_TRUE(Active()->IsModified());
        EXPECT_EQ(Panel(1), "Modified");
        EXPECT_EQ(Greek()->isVisible(), row.stick);
        EXPECT_EQ(QApplication::focusWidget(), Edit()) << "the caret stays in the text";
        EXPECT_EQ(Active()->Bookmarks[1].position(), 2 + QString(row.command).size() + 1)
            << "the bookmark moved with its text";
        Trigger("EditUndoItem");
        EXPECT_EQ(Text(), "a x b") << "one undo step";
        Greek()->close();
    }
}

TEST_F(Palettes, ASymbolsHintIsItsCommandInTheStatusBar) {
    StartNew();
    Open("BtnRelOps");
    auto* relations = Palette<TSymbolPalette>("relops");
    SymbolButton* join = Symbol(relations, "\\Join");
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), join->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(join, &enter);
    EXPECT_EQ(Panel(2), "\\Join");
    EXPECT_EQ(relations->Buttons().size(), 40u);
    SymbolButton* blank = relations->Buttons().back();
    Click(blank);
    EXPECT_EQ(Text(), "") << "a slot after the last symbol is inert";
    EXPECT_TRUE(relations->isVisible());
}

TEST_F(Palettes, EveryGlyphIsInTheFaceThatDrawsIt) {
    StartNew();
    for (const auto& [tool, name] : kSymbolPalettes) {
        Open(tool);
        for (SymbolButton* button : Palette<TSymbolPalette>(name)->Buttons()) {
            if (button->CodePoint() == 0)
                continue;
            EXPECT_TRUE(QFontMetricsF(button->GlyphFont()).inFontUcs4(button->CodePoint()))
                << button->toolTip().toStdString() << " would show a missing-glyph box in "
                << button->GlyphFont().family().toStdString();
        }
    }
}

TEST_F(Palettes, APaletteOpensBelowItsButtonAndMovesByItsTitleBar) {
    StartNew();
    const struct {
        const char* button;
        const char* window;
        int width;
        int height;
    } rows[] = {{"BtnGreek", "GreekLetters", 153, 198},
                {"BtnBinOps", "BinOps", 103, 183},
                {"BtnArrows", "arrows", 103, 163},
                {"BtnFonts", "fonts", 151, 90},
                {"BtnTeXCmd", "texCmd", 180, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.window);
        Open(row.button);
        TPaletteWindow* palette = Palette(row.window);
        QToolButton* button = Tool(row.button);
        EXPECT_EQ(palette->pos(), button->mapToGlobal(QPoint(0, button->height())));
        EXPECT_EQ(palette->width(), row.width);
        if (row.height > 0) {
            EXPECT_EQ(palette->height(), row.height);
        }
        palette->close();
    }

    Open("BtnGreek");
    TPaletteWindow* greek = Greek();
    const QPoint before = greek->pos();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 5),
                      greek->Panel1->mapToGlobal(QPointF(10, 5)), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(greek->Panel1, &press);
    QMouseEvent move(QEvent::MouseMove, QPointF(40, 25),
                     greek->Panel1->mapToGlobal(QPointF(40, 25)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(greek->Panel1, &move);
    QApplication::processEvents();
    EXPECT_EQ(greek->pos(), before + QPoint(30, 20));
}

TEST_F(Palettes, ACollapsedPaletteOpensExpandedAndUnstuck) {
    StartNew();
    Open("BtnGreek");
    TPaletteWindow* greek = Greek();
    Click(greek->BtnUpDown);
    EXPECT_EQ(greek->height(), TPaletteWindow::kTitleHeight + 4);
    EXPECT_EQ(greek->BtnUpDown->icon().cacheKey(), greek->Image2.cacheKey());
    greek->BtnStick->setChecked(true);
    Click(greek->BtnClose);
    EXPECT_FALSE(greek->isVisible());
    Open("BtnGreek");
    EXPECT_EQ(greek->height(), 198);
    EXPECT_EQ(greek->BtnUpDown->icon().cacheKey(), greek->Image1.cacheKey());
    EXPECT_FALSE(greek->BtnStick->isChecked());
    Click(greek->BtnUpDown);
    Click(greek->BtnUpDown);
    EXPECT_EQ(greek->height(), 198) << "expanded again by the button";
}

TEST_F(Palettes, TheFontRowsArrowsAndListShowOneChoice) {
    StartNew();
    Open("BtnFonts");
    Tfonts* fonts = Fonts();
    EXPECT_EQ(fonts->BtnFont->text(), "roman");
    EXPECT_EQ(fonts->BtnSize->text(), "normalsize");
    EXPECT_EQ(fonts->BtnSize->font().pointSize(), 9);
    for (const char* expected : {"emphasize", "slanted", "bold"}) {
        Click(fonts->SpinFont->Down);
        EXPECT_EQ(fonts->BtnFont->text(), expected);
    }
    EXPECT_EQ(fonts->BtnFont->toolTip(), "\\bf");
    EXPECT_TRUE(fonts->BtnFont->font().bold());
    EXPECT_EQ(fonts->ListFont->currentText(), "bold");

    fonts->close();
    Open("BtnFonts");
    EXPECT_EQ(fonts->BtnFont->text(), "roman") << "reset when shown";
    Click(fonts->SpinFont->Up);
    EXPECT_EQ(fonts->BtnFont->text(), "typewriter");
    Click(fonts->SpinFont->Down);
    EXPECT_EQ(fonts->BtnFont->text(), "roman") << "wrapped forward";

    // The arrows stepped on from their own last position after a choice in the list.
    for (int i = 0; i < 3; ++i)
        KeyInto(fonts->ListFont, Qt::Key_Down);
    EXPECT_EQ(fonts->BtnFont->text(), "bold");
    Click(fonts->SpinFont->Down);
    EXPECT_EQ(fonts->BtnFont->text(), "italic");
    EXPECT_EQ(fonts->ListFont->currentText(), "italic");
    KeyInto(fonts->ListSize, Qt::Key_Down);
    EXPECT_EQ(fonts->BtnSize->text(), "large");
    Click(fonts->SpinSize->Up);
    EXPECT_EQ(fonts->BtnSize->text(), "normalsize");

    fonts->BtnStick->setChecked(true);
    Click(fonts->BtnFont);
    Click(fonts->BtnSize);
    EXPECT_EQ(Text(), "\\it\\normalsize");
    EXPECT_TRUE(fonts->isVisible());
    Click(fonts->BtnClose);
    EXPECT_FALSE(fonts->isVisible());
}

class CommandList : public Palettes {
protected:
    void SetUp() override {
        Palettes::SetUp();
        WriteBytes(File("prog/KEYWORDS.TXT"),
                   "\\Section\n\\alpha\n\\search\n\\section\n\\secx\n\\setminus\n");
    }
    void Search(const QString& text) { TypeInto(Commands()->Edit1, text); }
};

TEST_F(CommandList, TypingSearchesAndEnterInserts) {
    StartNew();
    Open("BtnTeXCmd");
    TtexCmd* list = Commands();
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), list->Edit1);
    EXPECT_EQ(Selected(), "\\alpha") << "the first entry when shown";
    Search("\\se");
    EXPECT_EQ(Selected(), "\\search");
    Search("c");
    EXPECT_EQ(Selected(), "\\section") << "lower case, past \\Section";
    KeyInto(list->Edit1, Qt::Key_Backspace);
    EXPECT_EQ(Selected(), "\\search") << "again from the top";
    Search("x");
    EXPECT_EQ(Selected(), "\\search") << "no match keeps the selection";
    KeyInto(list->Edit1, Qt::Key_Left);
    EXPECT_EQ(list->Edit1->cursorPosition(), 4) << "Left is swallowed";
    KeyInto(list->Edit1, Qt::Key_Backspace);
    Search("c");
    KeyInto(list->Edit1, Qt::Key_Return);
    EXPECT_EQ(Text(), "\\section");
    EXPECT_EQ(Kinds(), "KKKKKKKK");
    EXPECT_FALSE(list->isVisible());

    Open("BtnTeXCmd");
    EXPECT_EQ(list->Edit1->text(), "") << "emptied when shown";
    EXPECT_EQ(Selected(), "\\alpha");
    list->BtnStick->setChecked(true);
    const QModelIndex last = list->ListBox1->model()->index(5, 0);
    list->ListBox1->setCurrentIndex(last);
    emit list->ListBox1->doubleClicked(last);
    EXPECT_EQ(Text(), "\\section\\setminus");
    EXPECT_TRUE(list->isVisible()) << "stuck";
}

// The search text was the box's text plus the typed character, so typing anywhere but at the
// end, over a selection or by a paste searched for the wrong text.
TEST_F(CommandList, TheSearchFollowsTheBoxsRealText) {
    StartNew();
    Open("BtnTeXCmd");
    TtexCmd* list = Commands();
    Search("sec");
    EXPECT_EQ(Selected(), "\\alpha");
    KeyInto(list->Edit1, Qt::Key_Home);
    Search("\\");
    EXPECT_EQ(list->Edit1->text(), "\\sec");
    EXPECT_EQ(Selected(), "\\section");
    list->Edit1->selectAll();
    Search("\\a");
    EXPECT_EQ(Selected(), "\\alpha") << "a retyped selection searches from the top";
    list->Edit1->selectAll();
    list->Edit1->insert("\\setm"); // as a paste does
    EXPECT_EQ(Selected(), "\\setminus");
}

// Inserting read the selected entry, which does not exist in an empty list or when nothing is
// selected.
TEST_F(CommandList, NothingSelectedInsertsNothingAndStaysOpen) {
    WriteBytes(File("prog/KEYWORDS.TXT"), {});
    StartNew();
    Open("BtnTeXCmd");
    TtexCmd* list = Commands();
    Search("\\a");
    Click(list->Button1);
    KeyInto(list->Edit1, Qt::Key_Return);
    EXPECT_EQ(Text(), "");
    EXPECT_FALSE(Active()->IsModified());
    EXPECT_TRUE(list->isVisible());
}

TEST_F(CommandList, NothingSelectedInAFullListInsertsNothing) {
    StartNew();
    Open("BtnTeXCmd");
    TtexCmd* list = Commands();
    list->ListBox1->clearSelection();
    Click(list->Button1);
    EXPECT_EQ(Text(), "");
    EXPECT_TRUE(list->isVisible());
}

TEST_F(Palettes, WithoutASourceWindowAClickInsertsNothing) {
    StartNew();
    Open("BtnGreek");
    Open("BtnFonts");
    Greek()->BtnStick->setChecked(true);
    Fonts()->BtnStick->setChecked(true);
    TMDIChild* source = Active();
    Trigger("FileNewBibItem");
    ASSERT_NE(Bib(), nullptr);
    for (const auto& [button, window] : kSymbolPalettes)
        EXPECT_FALSE(Tool(button)->isEnabled()) << button;
    Click(Symbol(Greek(), "\\beta"));
    Click(Fonts()->BtnFont);
    EXPECT_EQ(source->MainEdit->toPlainText(), "");
    EXPECT_FALSE(source->IsModified());
    EXPECT_FALSE(Bib()->IsModified());

    Bib()->parentWidget()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    source->parentWidget()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(form_->ChildCount(), 0);
    Click(Symbol(Greek(), "\\beta"));
    EXPECT_TRUE(Greek()->isVisible());
}

// Every command the palettes insert typesets in a new document of each shipped template: eleven
// of them (\lhd, \Join, \Box, ...) are not in the LaTeX kernel, and the letter template did not
// load amssymb, which defines them.
TEST_F(Palettes, EveryInsertionTypesetsInEveryShippedTemplate) {
    if (QStandardPaths::findExecutable("pdflatex").isEmpty())
        GTEST_SKIP() << "pdflatex not installed";
    const QString shipped = QStringLiteral(ORVELT_DATA_DIR);
    WriteBytes(File("prog/KEYWORDS.TXT"), ReadBytes(shipped + "/KEYWORDS.TXT"));
    StartForm();
    for (const QString name : {"article.tex", "letter.tex", "beamer.tex"}) {
        SCOPED_TRACE(name.toStdString());
        for (const QString& file : {name, name + ".orv"})
            QFile::copy(shipped + "/Template/" + file, File("prog/Template/" + file));
        prompter_.ExpectOpenFile(File("prog/Template/" + name));
        Trigger("FileNewTemplateItem");
        const qsizetype end = Text().indexOf("\\end{document}");
        ASSERT_GE(end, 0);
        Edit()->setTextCursor([&] {
            QTextCursor at(Edit()->document());
            at.setPosition(static_cast<int>(end));
            return at;
        }());
        const bool slides = name.startsWith("beamer");
        if (slides) {
            Type("\\begin{frame}");
            Key(Qt::Key_Return);
        }
        for (const auto& [button, window] : kSymbolPalettes) {
            Open(button);
            auto* palette = Palette<TSymbolPalette>(window);
            ASSERT_TRUE(palette->isVisible()) << button;
            palette->BtnStick->setChecked(true);
            for (SymbolButton* symbol : palette->Buttons()) {
                if (!symbol->isEnabled())
                    continue;
                Type("$");
                Click(symbol);
                Type("$ ");
            }
            palette->close();
            Key(Qt::Key_Return);
        }
        Open("BtnFonts");
        Tfonts* fonts = Fonts();
        fonts->BtnStick->setChecked(true);
        for (std::size_t i = 0; i < FontChoices().size(); ++i) {
            Type("{");
            Click(fonts->BtnFont);
            Type(" x}");
            Click(fonts->SpinFont->Down);
        }
        for (std::size_t i = 0; i < SizeChoices().size(); ++i) {
            Type("{");
            Click(fonts->BtnSize);
            Type(" x}");
            Click(fonts->SpinSize->Down);
        }
        fonts->close();
        Key(Qt::Key_Return);
        if (slides) {
            Type("\\end{frame}");
            Key(Qt::Key_Return);
        }
        SaveAs(name);

        QProcess tex;
        tex.setWorkingDirectory(dir_.path());
        tex.start("timeout",
                  {"300", "pdflatex", "-interaction=nonstopmode", "-halt-on-error", name});
        ASSERT_TRUE(tex.waitForFinished(310000));
        const QString log =
            QString::fromStdString(ReadBytes(File(QString(name).replace(".tex", ".log"))));
        EXPECT_EQ(tex.exitCode(), 0) << log.right(2000).toStdString();
        QStringList errors;
        for (const QString& line : log.split('\n'))
            if (line.startsWith('!'))
                errors << line;
        EXPECT_EQ(errors.join('\n'), "");
        CloseActive();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace
} // namespace orvelt::testing
