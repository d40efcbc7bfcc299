#include "MainFormFixture.h"
#include "insert/TableGrid.h"
#include "insert/mtable.h"
#include "insert/qtable.h"
#include "insert/table/TableGenerator.h"
#include "widgets/Numedit.h"

#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QToolButton>
#include <cstring>

namespace orvelt::testing {
namespace {

class TableCommand : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        // Either dialog shown when it should not be fails the test instead of waiting for ever.
        dialogs_.Watch("queryTable");
        dialogs_.Watch("makeTable");
    }
    // The size query: the texts typed into the boxes, then OK or Cancel.
    void AnswerSize(const QString& cols, const QString& rows, const char* button = "Button1") {
        WhenShown("queryTable", [=](QDialog& query) {
            for (auto [name, text] : {std::pair{"EditCols", cols}, std::pair{"EditRows", rows}}) {
                auto* box = query.findChild<TNumEdit*>(name);
                box->selectAll();
                QTest::keyClick(box, Qt::Key_Backspace);
                QTest::keyClicks(box, text);
            }
            QTest::mouseClick(query.findChild<QPushButton*>(button), Qt::LeftButton);
        });
    }
    // The designer, acted on by `act`, which ends with OK or Cancel.
    void Design(std::function<void(TmakeTable&)> act) {
        WhenShown("makeTable", [act](QDialog& dialog) { act(static_cast<TmakeTable&>(dialog)); });
    }

    static QLineEdit* OpenEditor(TmakeTable& designer) {
        for (auto* editor : designer.AGrid->findChildren<QLineEdit*>("CellEditor"))
            if (editor->isVisible())
                return editor;
        return nullptr;
    }
    static void ClickCell(TmakeTable& designer, int col, int row) {
        const QModelIndex index = designer.AGrid->model()->index(row - 1, col - 1);
        QTest::mouseClick(designer.AGrid->viewport(), Qt::LeftButton, {},
                          designer.AGrid->visualRect(index).center());
    }
    // Types into the cell as a person does: click it, type into its open editor.
    static void TypeCell(TmakeTable& designer, int col, int row, const QString& text) {
        ClickCell(designer, col, row);
        QLineEdit* editor = OpenEditor(designer);
        ASSERT_NE(editor, nullptr) << "no editor open in cell " << col << "," << row;
        QTest::keyClicks(editor, text);
    }
    static void Click(TmakeTable& designer, const char* name) {
        auto* widget = designer.findChild<QWidget*>(name);
        ASSERT_NE(widget, nullptr) << name;
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(widget->width() / 2, 2));
    }
    static void EnterSize(TNumEdit* box, const QString& text) {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }

    // What the command inserts for the design the designer holds now.
    QString Generated() const {
        const TmakeTable& designer = form_->MakeTable();
        return QString::fromStdString(GenerateTable(designer.Design(), designer.ExSizes()).Text());
    }
    [[nodiscard]] int PixelsPerEx() const { return form_->MakeTable().PixelsPerEx(); }
};

TEST_F(TableCommand, TheSizeQueryTakesOnlyDigitsUpTo100) {
    StartNew();
    Type("text");
    WhenShown("queryTable", [](QDialog& query) {
        auto* cols = query.findChild<TNumEdit*>("EditCols");
        EXPECT_EQ(cols->text(), "2");
        EXPECT_EQ(query.findChild<TNumEdit*>("EditRows")->text(), "2");
        EXPECT_EQ(query.focusWidget(), cols);
        cols->selectAll();
        QTest::keyClicks(cols, "1a2.b-");
        EXPECT_EQ(cols->text(), "12") << "letters and signs discarded";
        QTest::keyClicks(cols, "5");
        EXPECT_EQ(cols->text(), "100") << "250-like sizes are held to the grid";
        auto* upDown = query.findChild<TUpDown*>("UpDown1");
        upDown->Up->click();
        EXPECT_EQ(cols->text(), "100") << "no wrap-around";
        cols->setText("1");
        upDown->Down->click();
        EXPECT_EQ(cols->text(), "1");
        QTest::mouseClick(query.findChild<QPushButton*>("Button2"), Qt::LeftButton);
    });
    Trigger("BtnTable");
    AnswerSize("0", "3"); // a zero ends the command
    Trigger("BtnTable");
    AnswerSize("", "3"); // and so does an empty box
    Trigger("BtnTable");
    AnswerSize("250", "1");
    Design([](TmakeTable& designer) {
        EXPECT_EQ(designer.AGrid->model()->columnCount(), 100) << "250 became 100";
        QTest::mouseClick(designer.Button2, Qt::LeftButton);
    });
    Trigger("BtnTable");
    EXPECT_EQ(Text(), "text");
    EXPECT_EQ(Panel(0), " Row: 1");
    EXPECT_FALSE(form_->MakeTable().isVisible());
}

TEST_F(TableCommand, ADesignedTableGoesInWithItsStylesAsOneUndoStep) {
    StartNew();
    Type("keep SEL keep");
    Edit()->SetSelection(9, 9);
    Active()->DropBookmark(1); // before the last "keep"
    Edit()->SetSelection(5, 8);
    AnswerSize("3", "2");
    int ppe = 0;
    Design([&](TmakeTable& designer) {
        ppe = designer.PixelsPerEx();
        EXPECT_EQ(ppe, std::max(1, QFontMetrics(designer.AGrid->font()).xHeight()));
        EXPECT_EQ(designer.AGrid->columnWidth(0), 64);
        EXPECT_EQ(designer.AGrid->rowHeight(0), 18);
        EXPECT_EQ(designer.AGrid->verticalHeader()->width(), 20);
        EXPECT_EQ(designer.EditColWidth->text(), QString::number(64 / ppe));

        TypeCell(designer, 1, 1, "A");
        TypeCell(designer, 2, 1, "$x^2$");
        TypeCell(designer, 3, 2, "a rather long cell text");
        const int needed =
            QFontMetrics(designer.AGrid->font()).horizontalAdvance("a rather long cell text") + 6;
        EXPECT_EQ(designer.AGrid->columnWidth(2), needed) << "widened as it was typed";

        // One cell's left rule is the whole column's, and its neighbour's right rule.
        ClickCell(designer, 2, 2);
        EXPECT_FALSE(designer.LineLeft->isHidden());
        Click(designer, "Panel7");
        EXPECT_TRUE(designer.LineLeft->isHidden());
        ClickCell(designer, 1, 1);
        EXPECT_TRUE(designer.LineRight->isHidden()) << "column 1's right went with it";
        ClickCell(designer, 2, 1);
        EXPECT_TRUE(designer.LineLeft->isHidden());
        Click(designer, "LineTop"); // the shape itself
        EXPECT_TRUE(designer.LineTop->isHidden());

        ClickCell(designer, 1, 1);
        EXPECT_TRUE(designer.BtnCenter->isChecked());
        EXPECT_TRUE(designer.BtnBot->isChecked());
        designer.BtnLeft->click();
        designer.BtnTop->click();
        ClickCell(designer, 2, 1);
        EXPECT_TRUE(designer.BtnCenter->isChecked()) << "only the selection changed";
        ClickCell(designer, 1, 1);
        EXPECT_TRUE(designer.BtnLeft->isChecked());

        // Either decimal point; Enter applies and keeps the designer open.
        ClickCell(designer, 2, 2);
        EnterSize(designer.EditColWidth, "2,5");
        EXPECT_EQ(designer.AGrid->columnWidth(1), PixelsOfEx(2.5, ppe));
        EXPECT_TRUE(designer.isVisible());
        EnterSize(designer.EditColWidth, "12");
        EXPECT_EQ(designer.AGrid->columnWidth(1), 12 * ppe);
        EnterSize(designer.EditColWidth, "2.5");
        EXPECT_EQ(designer.AGrid->columnWidth(1), PixelsOfEx(2.5, ppe));
        EnterSize(designer.EditColWidth, ",");
        EXPECT_EQ(designer.AGrid->columnWidth(1), PixelsOfEx(2.5, ppe)) << "no number, no change";
        EXPECT_EQ(designer.EditColWidth->text(), QString::number(PixelsOfEx(2.5, ppe) / ppe));
        designer.UpDown1->Up->click();
        EXPECT_EQ(designer.AGrid->columnWidth(1), 3 * ppe) << "the up-down applies at once";
        EnterSize(designer.EditRowHeight, "4");
        EXPECT_EQ(designer.AGrid->rowHeight(1), 4 * ppe);

        // A text left in the open editor at OK is kept.
        TypeCell(designer, 3, 1, "\\textbf{b}");
        QTest::mouseClick(designer.Button1, Qt::LeftButton);
    });
    Trigger("BtnTable");

    const QString table = Generated();
    for (const char* part : {"\\begin{tabular}{|ll|l|}", "%Row: 1\n\\cline{1-1}\\cline{3-3}\n",
                             "{\\hfil $x^2$\\hfil}}", "{\\hfil \\textbf{b}\\hfil}} \\\\\n"})
        EXPECT_TRUE(table.contains(part)) << part << "\n" << table.toStdString();
    const QString first = QString("{\\vspace{1pt}\\hbox to%1ex{A\\hfil}\\vfil} & \n");
    EXPECT_TRUE(table.contains(first.arg(64.0 / ppe, 0, 'f', 2))) << "left and top";
    EXPECT_TRUE(table.contains("\\hbox to3.00ex{\\hfil $x^2$")) << "3 ex wide";
    EXPECT_EQ(Text(), "keep " + table + " keep");
    // The table's own styles: \vbox a user command, \cline a TeX command, braces.
    const QString kinds = Kinds();
    const struct {
        const char* token;
        char kind;
    } styled[] = {
        {"\\vbox", 'u'}, {"\\cline", 'K'}, {"\\hfil", 'u'}, {"\\begin", 'K'}, {"%Row: 2", 'c'}};
    for (const auto& [token, kind] : styled) {
        const qsizetype at = Text().indexOf(token);
        const auto length = static_cast<qsizetype>(std::strlen(token));
        EXPECT_EQ(kinds.mid(at, length), QString(length, QChar(kind))) << token;
    }
    EXPECT_EQ(kinds.at(Text().indexOf("{table}")), 'b');
    EXPECT_EQ(kinds.at(Text().indexOf("{table}") + 1), 't');
    EXPECT_TRUE(Active()->IsModified());
    EXPECT_EQ(Panel(1), "Modified");
    EXPECT_EQ(Edit()->textCursor().position(), 5 + table.size()) << "after \\end{table}";
    EXPECT_EQ(Panel(0), QString(" Row: %1").arg(table.count('\n') + 1));
    EXPECT_EQ(Panel(2), "");

    EXPECT_EQ(Active()->Bookmarks[1].position(), 9 - 3 + table.size()) << "moved with the text";

    Trigger("EditUndoItem");
    EXPECT_EQ(Text(), "keep SEL keep") << "one undo step, the selection back";
    EXPECT_EQ(Active()->Bookmarks[1].position(), 9);
}

TEST_F(TableCommand, EscapeAtTheFifthCellLeavesTheDocumentAsItWas) {
    StartForm();
    Open("paper.tex", "one\ntwo\n");
    Edit()->SetSelection(5, 8); // "two": a line break counts two
    int reached = 0;
    QObject::connect(Active(), &ChildWindow::Progress, form_.get(),
                     [this, &reached](int done, int) {
                         reached = done;
                         if (done == 5)
                             form_->Escape().NoteEscape();
                     });
    AnswerSize("3", "3");
    Design([](TmakeTable& designer) { QTest::mouseClick(designer.Button1, Qt::LeftButton); });
    form_->Escape().NoteEscape(); // pressed before: it stops nothing that follows
    Trigger("BtnTable");
    EXPECT_EQ(reached, 5);
    EXPECT_EQ(Text(), "one\ntwo\n");
    EXPECT_FALSE(Active()->IsModified());
    EXPECT_EQ(Panel(1), "");
    EXPECT_EQ(Edit()->GetSelection(), std::make_pair(5, 8)) << "the selection is back";
    EXPECT_FALSE(Edit()->document()->isRedoAvailable()) << "no half table to redo";
    EXPECT_EQ(Panel(2), "");
    EXPECT_EQ(Panel(0), "");
    EXPECT_TRUE(Edit()->updatesEnabled());
}

TEST_F(TableCommand, TheNextUseResetsRulesAndAlignmentsAndKeepsTexts) {
    StartNew();
    AnswerSize("2", "2");
    Design([](TmakeTable& designer) {
        TypeCell(designer, 2, 2, "kept");
        Click(designer, "Panel8");
        designer.BtnRight->click();
        EnterSize(designer.EditRowHeight, "5");
        QTest::mouseClick(designer.Button2, Qt::LeftButton);
    });
    Trigger("BtnTable");
    EXPECT_EQ(Text(), "") << "Cancel in the designer inserts nothing";
    AnswerSize("2", "3");
    Design([this](TmakeTable& designer) {
        EXPECT_EQ(designer.AGrid->model()->index(1, 1).data().toString(), "kept");
        EXPECT_EQ(designer.AGrid->rowHeight(1), 5 * PixelsPerEx()) << "sizes stay too";
        ClickCell(designer, 2, 2);
        EXPECT_FALSE(designer.LineRight->isHidden()) << "every rule on again";
        EXPECT_TRUE(designer.BtnCenter->isChecked());
        EXPECT_TRUE(designer.BtnBot->isChecked());
        QTest::mouseClick(designer.Button1, Qt::LeftButton);
    });
    Trigger("BtnTable");
    EXPECT_EQ(Text(), Generated());
    EXPECT_TRUE(Text().startsWith("% Table created by Orvelt 95: 2 Columns x 3 Rows.\n"));
}

TEST_F(TableCommand, MultiselectSetsRulesAndAlignmentsOfARange) {
    StartNew();
    AnswerSize("3", "3");
    Design([](TmakeTable& designer) {
        designer.BtnMulti->click();
        EXPECT_EQ(OpenEditor(designer), nullptr) << "no editing while selecting";
        ClickCell(designer, 1, 2);
        QTest::mouseClick(
            designer.AGrid->viewport(), Qt::LeftButton, Qt::ShiftModifier,
            designer.AGrid->visualRect(designer.AGrid->model()->index(2, 2)).center());
        designer.BtnRight->click();
        Click(designer, "Panel5"); // top of rows 2 and 3 (and bottom of row 1)
        designer.BtnMulti->click();
        EXPECT_NE(OpenEditor(designer), nullptr);
        EXPECT_EQ(designer.AGrid->selectionModel()->selectedIndexes().size(), 1);
        QTest::mouseClick(designer.Button1, Qt::LeftButton);
    });
    Trigger("BtnTable");
    const QString text = Text();
    EXPECT_TRUE(text.contains("%Row: 2\n\n")) << "row 2 without top rules";
    EXPECT_TRUE(text.contains("%Row: 3\n\n"));
    EXPECT_EQ(text.count("{\\hfil }"), 6) << "six cells right-aligned";
}

TEST_F(TableCommand, ACellThatCannotTypesetIsAskedAbout) {
    StartNew();
    AnswerSize("2", "1");
    const QString question =
        "The text of column 2, row 1 cannot be typeset: its braces do not pair up, or it holds "
        "an \"&\" outside an environment of its own. Insert the table as typed?";
    prompter_.ExpectMessage(question, Answer::No);
    prompter_.ExpectMessage(question, Answer::Yes);
    Design([](TmakeTable& designer) {
        TypeCell(designer, 1, 1, "\\begin{tabular}{ll}a&b\\end{tabular}");
        TypeCell(designer, 2, 1, "a & b");
        QTest::mouseClick(designer.Button1, Qt::LeftButton);
        EXPECT_TRUE(designer.isVisible()) << "No keeps the designer open";
        QTest::mouseClick(designer.Button1, Qt::LeftButton);
    });
    Trigger("BtnTable");
    EXPECT_TRUE(Text().contains("{\\hfil a & b\\hfil}")) << "Yes inserts it as typed";
}

TEST_F(TableCommand, AWindows1252DocumentGetsWhatItCanHold) {
    StartForm();
    Open("old.tex", "caf\xe9 \n");
    Edit()->moveCursor(QTextCursor::End);
    AnswerSize("1", "1");
    Design([](TmakeTable& designer) {
        ClickCell(designer, 1, 1);
        for (QChar c : QString::fromUtf8("\xc3\xa9\xce\xa9")) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(OpenEditor(designer), &press);
        }
        QTest::mouseClick(designer.Button1, Qt::LeftButton);
    });
    Trigger("BtnTable");
    EXPECT_TRUE(Text().contains(QString::fromUtf8("{\\hfil \xc3\xa9?\\hfil}")))
        << "Omega is no byte of it";
}

TEST_F(TableCommand, TheSavedDocumentTypesets) {
    if (QStandardPaths::findExecutable("pdflatex").isEmpty())
        GTEST_SKIP() << "pdflatex not installed";
    StartForm();
    Open("tables.tex", "\\documentclass{article}\n\\begin{document}\n\n\\end{document}\n");
    Edit()->setTextCursor(QTextCursor(Edit()->document()->findBlockByNumber(2)));
    AnswerSize("3", "3");
    Design([](TmakeTable& designer) {
        const char* const cells[] = {"$x^2$",
                                     "\\textbf{b}",
                                     "50\\%",
                                     "\\&",
                                     "a % note",
                                     "end\\",
                                     "\\begin{tabular}{ll}a&b\\end{tabular}",
                                     "",
                                     "x"};
        for (int i = 0; i < 9; ++i)
            TypeCell(designer, i % 3 + 1, i / 3 + 1, cells[i]);
        ClickCell(designer, 2, 2);
        Click(designer, "Panel7");
        designer.BtnLeft->click();
        QTest::mouseClick(designer.Button1, Qt::LeftButton);
    });
    Trigger("BtnTable");
    Trigger("FileSaveItem");
    ASSERT_FALSE(Active()->IsModified());
    QProcess tex;
    tex.setWorkingDirectory(dir_.path());
    tex.start("timeout",
              {"120", "pdflatex", "-interaction=nonstopmode", "-halt-on-error", "tables.tex"});
    ASSERT_TRUE(tex.waitForFinished(150000));
    const QString log = QString::fromUtf8(ReadBytes(File("tables.log")));
    EXPECT_EQ(tex.exitCode(), 0) << log.toStdString();
    for (const QString& line : log.split('\n'))
        EXPECT_FALSE(line.startsWith('!') || line.startsWith("Overfull")) << line.toStdString();
}

TEST_F(TableCommand, OnlyASourceWindowTakesATable) {
    StartForm();
    EXPECT_FALSE(form_->Action("BtnTable")->isEnabled());
    EXPECT_FALSE(form_->findChild<QToolButton*>("BtnTable")->isEnabled());
    Trigger("FileNewItem");
    EXPECT_TRUE(form_->findChild<QToolButton*>("BtnTable")->isEnabled());
    EXPECT_FALSE(form_->QueryTable().isVisible()) << "made hidden at start";
}

} // namespace
} // namespace orvelt::testing
