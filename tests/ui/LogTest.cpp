#include "MainFormFixture.h"
#include "project/ProjectSession.h"
#include "toolchain/errors.h"
#include "toolchain/logmdi.h"

#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTabWidget>

namespace orvelt::testing {
namespace {

const std::string kLog = "This is pdfTeX\n"
                         "! Undefined control sequence.\n"
                         "l.3 \\foo\n"
                         "\n"
                         "LaTeX Warning: Reference `x' on page 1 undefined on input line 5.\n"
                         "Overfull \\hbox (2.0pt too wide) in paragraph at lines 7--8\n";

// F11 opens a log viewer, F12 the error list of the current file's log.
class Logs : public MainFormFixture {
protected:
    TErrorView& View() { return form_->ErrorView(); }
    // What a page shows: its entries, or the label that stands for none.
    QStringList Shown(QListView* list) {
        auto* page = static_cast<QStackedWidget*>(list->parentWidget());
        if (page->currentWidget() != list)
            return {static_cast<QLabel*>(page->currentWidget())->text()};
        QStringList rows;
        for (int i = 0; i < list->model()->rowCount(); ++i)
            rows << list->model()->index(i, 0).data().toString();
        return rows;
    }
    TLogChild* Viewer() { return qobject_cast<TLogChild*>(form_->ActiveChild()); }
    // Enter on an entry, with the focus in the list, as a person picks it.
    void Pick(QListView* list, int row) {
        list->setFocus();
        list->setCurrentIndex(list->model()->index(row, 0));
        QTest::keyClick(list, Qt::Key_Return);
    }
};

TEST_F(Logs, EachF11OpensAViewerWithATabOfItsOwn) {
    StartForm();
    Open("Paper.TEX", "text\n");
    WriteBytes(File("Paper.log"), "Gr\xC3\xB6\xC3\n\x9F"
                                  "e\n"); // a wrap inside the sharp s
    Key(Qt::Key_F11);
    ASSERT_NE(Viewer(), nullptr);
    EXPECT_EQ(Viewer()->windowTitle(), File("Paper.log")) << "lower case, as TeX writes it";
    EXPECT_EQ(Viewer()->MainEdit->toPlainText(), QString::fromUtf8("Gr\xC3\xB6\xC3\x9F\ne\n"))
        << "a character split by the wrap stays one";
    EXPECT_EQ(Panel(0), "");
    EXPECT_EQ(Panel(1), "");
    EXPECT_FALSE(form_->Action("ViewLogFileItem")->isEnabled()) << "not on a log viewer";
    ShowTab(0);
    Key(Qt::Key_F11);
    ASSERT_EQ(form_->TabControl()->count(), 3);
    TLogChild* second = Viewer();
    ShowTab(1);
    EXPECT_NE(Viewer(), second) << "one caption, two windows: each tab its own";
    ShowTab(2);
    EXPECT_EQ(Viewer(), second);
    ShowTab(1);
    Viewer()->parentWidget()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(form_->TabControl()->count(), 2);
    ShowTab(1);
    EXPECT_EQ(Viewer(), second) << "the closed viewer took its own tab";
    // A viewer is never asked about, saved or recorded at exit.
    ASSERT_TRUE(CloseForm());
    EXPECT_EQ(store_.Read("OpenFile2"), "");
}

TEST_F(Logs, AMissingLogIsSaidAndOpensNothing) {
    StartForm();
    Open("none.tex", "text\n");
    prompter_.ExpectMessage("Error reading " + File("none.log"), Answer::Ok);
    Key(Qt::Key_F11);
    EXPECT_EQ(form_->TabControl()->count(), 1);
    prompter_.ExpectMessage("Error reading " + File("none.log"), Answer::Ok);
    Key(Qt::Key_F12);
    EXPECT_FALSE(View().isVisible());
    // A window without a file has no log: none is looked for in the editor's own folder.
    Trigger("FileNewItem");
    prompter_.ExpectMessage("Error reading .log", Answer::Ok);
    Key(Qt::Key_F12);
}

TEST_F(Logs, TheListFollowsEachRunAndJumpsToTheLine) {
    StartForm();
    Open("doc.tex", "a\nb\nc\nd\ne\nf\ng\nh\n");
    WriteBytes(File("doc.log"),
               "This is pdfTeX\nLaTeX Warning: There were undefined references.\n");
    Key(Qt::Key_F12);
    ASSERT_TRUE(View().isVisible());
    EXPECT_EQ(Shown(View().Errors), QStringList{"No errors."});
    EXPECT_EQ(Shown(View().Warnings), QStringList{"No warnings."});

    WriteBytes(File("doc.log"), kLog); // after a recompile, the window still open
    Key(Qt::Key_F12);
    EXPECT_EQ(Shown(View().Errors), QStringList{"! Undefined control sequence."});
    EXPECT_EQ(Shown(View().Warnings),
              (QStringList{"LaTeX Warning: Reference `x' on page 1 undefined on input line 5.",
                           "Overfull \\hbox (2.0pt too wide) in paragraph at lines 7--8"}));
    Pick(View().Errors, 0);
    EXPECT_EQ(Edit()->textCursor().selectedText(), "c" + QString(QChar::ParagraphSeparator));
    EXPECT_EQ(Panel(0), " Row: 3");
    Pick(View().Warnings, 1);
    EXPECT_EQ(Panel(0), " Row: 7");

    // No digits: nothing moves; 0 is the first line; past the end, the last.
    WriteBytes(File("doc.log"), "! A.\nl.\n! B.\nl.0 x\n! C.\nl.99999999999999 y\n");
    Key(Qt::Key_F12);
    Pick(View().Errors, 0);
    EXPECT_EQ(Panel(0), " Row: 7");
    Pick(View().Errors, 1);
    EXPECT_EQ(Panel(0), " Row: 1");
    Pick(View().Errors, 2);
    EXPECT_EQ(Panel(0), " Row: 9");

    // With a log viewer active nothing moves, and the list stays.
    Key(Qt::Key_F11);
    Pick(View().Errors, 1);
    EXPECT_TRUE(View().isVisible());
    ShowTab(0);
    EXPECT_EQ(Panel(0), " Row: 9");
}

TEST_F(Logs, AProjectsMainFileOwnsTheLog) {
    StartForm();
    WriteBytes(File("main.tex"), "x\n");
    WriteBytes(File("main.log"), kLog);
    WriteBytes(File("p.orp"), "[ProjectFiles]\nFile1=main.tex\n[MainFile]\nFileNumber=1\n");
    ASSERT_TRUE(form_->OpenDocument(File("p.orp")));
    Open("chapter.tex", "x\n");
    Key(Qt::Key_F12);
    EXPECT_EQ(View().ErrorLines, QStringList{"3"});
    Key(Qt::Key_F11);
    EXPECT_EQ(Viewer()->windowTitle(), File("main.log"));
}

// Real logs: the compilers' own output for small faulty documents.
class RealLogs : public Logs {
protected:
    void Compile(const char* tex, const QString& name, const std::string& source) {
        WriteBytes(File(name + ".tex"), source);
        QProcess run;
        run.setWorkingDirectory(dir_.path());
        run.setStandardInputFile(QProcess::nullDevice());
        run.start(tex, {"-interaction=nonstopmode", name + ".tex"});
        ASSERT_TRUE(run.waitForFinished(120000));
    }
};

TEST_F(RealLogs, TheListShowsWhatTeXReported) {
    if (QStandardPaths::findExecutable("pdflatex").isEmpty())
        GTEST_SKIP() << "pdflatex not installed";
    WriteBytes(File("part.tex"), "In a part \\badmacro.\n");
    // Keys whose length puts TeX's 79-byte wrap inside the number, just after "line" and
    // inside it; then a UTF-8 key split by the wrap.
    Compile("pdflatex", "faulty",
            "\\documentclass{article}\n\\begin{document}\n"
            "\\undefinedcs\n"   // 3: undefined control sequence
            "x^2\n"             // 4: missing $
            "\\textbf{a\n\n}\n" // 5-7: runaway argument
            "}\n"               // 8: extra }
            "%\n"
            "\\ref{" +
                std::string(16, 'a') + "} \\ref{" + std::string(18, 'b') +
                "}\n" // 10
                "\\ref{" +
                std::string(20, 'c') + "} \\ref{" + std::string(52, 'd') +
                "\xC3\xB6\xC3\xB6}\n"        // 11
                "\\hbox to 1pt{wide text}\n" // 12: overfull
                "\\input{part}\n"            // its line 1: undefined control sequence
                "\\end{document}\n");
    StartForm();
    form_->OpenDocument(File("faulty.tex"));
    Key(Qt::Key_F12);
    // The runaway \textbf gives three errors at its closing brace; the input file's error has
    // that file's own line.
    EXPECT_EQ(View().ErrorLines, (QStringList{"3", "4", "7", "7", "7", "8", "1"}));
    QStringList refs;
    for (int i = 0; i < View().WarnLines.size(); ++i)
        if (View().Warnings->model()->index(i, 0).data().toString().contains("Reference"))
            refs << View().WarnLines[i];
    EXPECT_EQ(refs, (QStringList{"10", "10", "11", "11"})) << "whatever the wrap cut";
    bool umlaut = false;
    for (int i = 0; i < View().Warnings->model()->rowCount(); ++i)
        umlaut |= View().Warnings->model()->index(i, 0).data().toString().contains(
            QString::fromUtf8("d\xC3\xB6\xC3\xB6'"));
    EXPECT_TRUE(umlaut) << "a key split by the wrap reads as itself";
    bool overfull = false;
    for (int i = 0; i < View().Warnings->model()->rowCount(); ++i)
        overfull |= View().Warnings->model()->index(i, 0).data().toString().startsWith("Overfull");
    EXPECT_TRUE(overfull);

    // A fatal missing file, and a default-mode run ended at its first error by end of input.
    Compile("pdflatex", "missing", "\\documentclass{article}\n\\input{nosuchfile}\n");
    Open("missing.tex", ReadBytes(File("missing.tex")));
    Key(Qt::Key_F12);
    EXPECT_EQ(View().ErrorLines.value(0), "2");
    Compile("latex", "plain",
            "\\documentclass{article}\n\\begin{document}\n\\oops\n\\end{document}\n");
    Open("plain.tex", ReadBytes(File("plain.tex")));
    Key(Qt::Key_F12);
    EXPECT_EQ(View().ErrorLines.value(0), "3");
}

} // namespace
} // namespace orvelt::testing
