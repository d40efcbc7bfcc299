#include "project/InputFiles.h"

#include "MainFormFixture.h"

#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

namespace orvelt::testing {
namespace {

const std::string kPaper = "\\documentclass{article}\n"
                           "\\begin{document}\n"
                           "\\input{chap1}\\input{chap2}\n"
                           "\\include{parts/intro}\n"
                           "% \\input{old}\n"
                           "\\input plain \\textbf{x}\n"
                           "\\end{document}\n";

class InputFiles : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        QDir(dir_.path()).mkpath("doc/parts");
        for (const char* name : {"doc/chap1.tex", "doc/chap2.tex", "doc/parts/intro.tex"})
            WriteBytes(File(name), "x\n");
        WriteBytes(File("doc/plain"), "x\n");
    }
    [[nodiscard]] TinputFiles& Inputs() const { return form_->InputFiles(); }
    [[nodiscard]] QToolButton* Button() const {
        return form_->findChild<QToolButton*>(QStringLiteral("BtnInputs"));
    }
    [[nodiscard]] QStringList Shown() const {
        QStringList shown;
        for (int i = 0; i < Inputs().ListFiles->count(); ++i)
            shown.append(Inputs().ListFiles->item(i)->text());
        return shown;
    }
    void OpenPaper() {
        StartForm();
        Open("doc/paper.tex", kPaper);
    }
    void Click(QAbstractButton* button) {
        ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
        QApplication::processEvents();
    }
    // A double-click on the entry shown as `name`.
    void DoubleClick(const QString& name) {
        const QList<QListWidgetItem*> items = Inputs().ListFiles->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << name.toStdString();
        QWidget* view = Inputs().ListFiles->viewport();
        const QPoint at = Inputs().ListFiles->visualItemRect(items.front()).center();
        QTest::mouseClick(view, Qt::LeftButton, {}, at);
        QTest::mouseDClick(view, Qt::LeftButton, {}, at);
        QApplication::processEvents();
    }
};

TEST_F(InputFiles, TheToolButtonListsTheNamesBelowItself) {
    OpenPaper();
    Click(Button());
    ASSERT_TRUE(Inputs().isVisible());
    EXPECT_EQ(Inputs().pos(), Button()->mapToGlobal(QPoint(0, Button()->height())));
    EXPECT_EQ(Shown(), QStringList({"chap1", "chap2", "intro", "old", "plain"}));
    EXPECT_EQ(Inputs().ListPaths, QStringList({"chap1", "chap2", "parts/intro", "old", "plain"}));
    EXPECT_EQ(Inputs().Button1->text(), "Refresh");
    EXPECT_EQ(Panel(0), " Row: 1") << "the caret's row again after the percentage";

    // Rolled up to the caption bar and down again.
    const int full = Inputs().height();
    EXPECT_EQ(full, 50 + Inputs().ListFiles->height() + Inputs().Button1->height());
    Click(Inputs().BtnUpDown);
    EXPECT_EQ(Inputs().height(), TPaletteWindow::kTitleHeight + 4);
    Click(Inputs().BtnUpDown);
    EXPECT_EQ(Inputs().height(), full);
    Click(Inputs().BtnClose);
    EXPECT_FALSE(Inputs().isVisible());
}

TEST_F(InputFiles, ADoubleClickOpensWhatTeXWouldRead) {
    OpenPaper();
    TMDIChild* paper = Active();
    Click(Button());
    DoubleClick("intro");
    ASSERT_NE(Active(), paper);
    EXPECT_EQ(Active()->FileName, File("doc/parts/intro.tex"));
    EXPECT_FALSE(Inputs().isVisible()) << "closes unless stuck";

    // Names are taken against the scanned document's directory, whichever window is active.
    ShowTab(0);
    Click(Button());
    Click(Inputs().BtnStick);
    ShowTab(1);
    DoubleClick("plain");
    EXPECT_EQ(Active()->FileName, File("doc/plain")) << "no plain.tex: the name as written";
    EXPECT_TRUE(Inputs().isVisible()) << "stuck";
    const int open = form_->ChildCount();
    DoubleClick("intro");
    EXPECT_EQ(Active()->FileName, File("doc/parts/intro.tex"));
    EXPECT_EQ(form_->ChildCount(), open) << "an open file's window is raised";

    prompter_.ExpectMessage("File not found: " + File("doc/old.tex") + ".", Answer::Ok);
    DoubleClick("old");
    EXPECT_EQ(form_->ChildCount(), open);
    EXPECT_TRUE(prompter_.Exhausted());
}

TEST_F(InputFiles, AnUntitledDocumentsNamesHaveNoDirectory) {
    StartNew();
    Type("\\input{chap1}");
    Click(Button());
    prompter_.ExpectMessage("Save the document first: its input files are found from its "
                            "directory.",
                            Answer::Ok);
    DoubleClick("chap1");
    EXPECT_EQ(form_->ChildCount(), 1);
    EXPECT_TRUE(prompter_.Exhausted());
}

TEST_F(InputFiles, RefreshOverABibliographyKeepsTheList) {
    OpenPaper();
    Click(Button());
    Trigger("FileNewBibItem");
    ASSERT_NE(Bib(), nullptr);
    Click(Inputs().Button1);
    EXPECT_EQ(Shown().size(), 5);
    EXPECT_EQ(Inputs().Button1->text(), "Refresh");
}

TEST_F(InputFiles, StopEndsTheScanAndTurnsIntoRefreshWithoutAScan) {
    StartForm();
    std::string lines;
    for (int i = 0; i < 20; ++i)
        lines += "\\input{part" + std::to_string(i) + "}\n";
    Open("doc/long.tex", lines);
    QPushButton* button = Inputs().Button1;
    // Stop pressed while the third line is due: the press is the scan's, not a click.
    form_->Escape().AtPoll(3, [button] {
        QTest::mousePress(button, Qt::LeftButton);
        QTest::mouseRelease(button, Qt::LeftButton);
    });
    Click(Button());
    EXPECT_EQ(Shown(), QStringList({"part0", "part1"}));
    EXPECT_EQ(button->text(), "Stop");
    Click(button);
    EXPECT_EQ(button->text(), "Refresh");
    EXPECT_EQ(Shown().size(), 2) << "no scan on the way back to Refresh";
    Click(button);
    EXPECT_EQ(Shown().size(), 20);
    EXPECT_EQ(button->text(), "Refresh");
}

TEST_F(InputFiles, ANameBrokenByTheWrapIsOneName) {
    store_.Write("WordWrap", "1"); // saved breaks: every screen line is a line
    StartForm();
    std::string line;
    QStringList expected;
    for (int i = 0; i < 30; ++i) {
        line += "\\input{chapter number " + std::to_string(i) + "} ";
        expected.append(QStringLiteral("chapter number %1").arg(i));
    }
    Open("doc/wrapped.tex", line + "\n");
    Active()->parentWidget()->resize(300, 300);
    QApplication::processEvents();
    ASSERT_GT(Edit()->LineCount(), 5) << "the line must wrap";
    Click(Button());
    EXPECT_EQ(Inputs().ListPaths, expected);
}

} // namespace
} // namespace orvelt::testing
