#include "MainFormFixture.h"
#include "app/ButtonBar.h"
#include "app/TexMenu.h"
#include "project/ProjectSession.h"
#include "toolchain/ProgramRunner.h"

#include <QPushButton>
#include <QStandardPaths>
#include <csignal>
#include <sys/stat.h>

namespace orvelt::testing {
namespace {

// The TeX menu and the button bar run the program list's entries. The defaults: BibTeX F8,
// LaTeX F9, PDFLaTeX F5, View DVI, View PDF F6.
class Runner : public MainFormFixture {
protected:
    QAction* Item(const QString& name) {
        for (QAction* item : form_->TeXMenu().Items())
            if (item->text() == name)
                return item;
        ADD_FAILURE() << "no TeX item " << name.toStdString();
        return nullptr;
    }
    QString Call(int i = -1) {
        if (launcher_.calls.isEmpty())
            return "(nothing started)";
        const auto& call = launcher_.calls.at(i < 0 ? launcher_.calls.size() + i : i);
        return call.program + " " + call.arguments.join('|') + " in " + call.directory;
    }
    void SetRow(int row) {
        Edit()->SetSelection(Edit()->LineStart(row - 1), Edit()->LineStart(row - 1));
        QApplication::processEvents();
    }
    void Programs(std::vector<ProgramEntry> programs) {
        form_->Options().programs = std::move(programs);
        form_->BuildTeXMenu();
        form_->BuildButtonBar();
        form_->UpdateMenuItems();
    }
};

TEST_F(Runner, MenuButtonAndKeyRunOnTheActiveFileInItsFolder) {
    StartForm();
    QDir().mkpath(File("sub"));
    Open("sub/my.paper.tex", "one\ntwo\nthree\n");
    const QString cwd = QDir::currentPath();
    Item("LaTeX")->trigger();
    EXPECT_EQ(Call(), "latex -interaction=nonstopmode|my.paper in " + File("sub"));
    EXPECT_EQ(Panel(2), "'latex -interaction=nonstopmode my.paper' executed.");

    const auto buttons = form_->Buttonbar().Buttons();
    ASSERT_EQ(buttons.size(), 5u);
    QTest::mouseClick(buttons[0], Qt::LeftButton); // BibTeX
    EXPECT_EQ(Call(), "bibtex my.paper in " + File("sub"));
    Key(Qt::Key_F6);
    EXPECT_EQ(Call(), "xdg-open my.paper.pdf in " + File("sub"));

    // %n is the caret's line; a key two entries share runs the first in menu order.
    Programs({{"Another", KeyChord{0, "F5"}, "prog %f.dvi %n", false, true},
              {"PDFLaTeX", KeyChord{0, "F5"}, "pdflatex %f", false, true}});
    SetRow(3);
    Key(Qt::Key_F5);
    EXPECT_EQ(Call(), "prog my.paper.dvi|3 in " + File("sub"));
    EXPECT_EQ(launcher_.calls.size(), 4);
    EXPECT_EQ(QDir::currentPath(), cwd) << "the editor's own folder never changes";
    EXPECT_FALSE(Active()->Modified) << "nothing was modified, nothing saved";

    // A key the View menu holds stays the log's (the first enabled in menu order).
    Programs({{"Late", KeyChord{0, "F11"}, "late %f", false, true}});
    prompter_.ExpectMessage("Error reading " + File("sub/my.paper.log"), Answer::Ok);
    Key(Qt::Key_F11);
    EXPECT_EQ(launcher_.calls.size(), 4);
    // With a log viewer active nothing runs, by key, item or button.
    WriteBytes(File("sub/my.paper.log"), "log\n");
    Key(Qt::Key_F11);
    ASSERT_NE(form_->ActiveChild(), nullptr);
    ASSERT_EQ(form_->ActiveChild()->Kind(), ChildKind::Log);
    Programs({{"Run", KeyChord{0, "F2"}, "run %f", false, true}});
    QTest::keyClick(form_->ActiveChild(), Qt::Key_F2);
    form_->TexMenu1Click(1);
    ASSERT_EQ(form_->Buttonbar().Buttons().size(), 1u);
    EXPECT_FALSE(form_->Buttonbar().Buttons()[0]->isEnabled());
    EXPECT_EQ(launcher_.calls.size(), 4);
}

TEST_F(Runner, AProjectRunsOnItsMainFileAfterSavingItsWindows) {
    StartForm();
    for (const char* name : {"main.tex", "chap.tex", "other.tex"})
        WriteBytes(File(name), "text\n");
    WriteBytes(File("p.orp"),
               "[ProjectFiles]\nFile1=chap.tex\nFile2=main.tex\n[MainFile]\nFileNumber=2\n");
    ASSERT_TRUE(form_->OpenDocument(File("p.orp")));
    for (const char* name : {"main.tex", "other.tex", "chap.tex"}) {
        form_->OpenDocument(File(name));
        Type("x");
    }
    Item("LaTeX")->trigger(); // chap.tex is active
    EXPECT_EQ(Call(), "latex -interaction=nonstopmode|main in " + dir_.path());
    EXPECT_EQ(ReadBytes(File("main.tex")), "xtext\n") << "a project window is saved";
    EXPECT_EQ(ReadBytes(File("chap.tex")), "xtext\n") << "and the active one";
    EXPECT_EQ(ReadBytes(File("other.tex")), "text\n") << "a window outside it is not";
    EXPECT_EQ(Panel(2), "'latex -interaction=nonstopmode main' executed.");

    // Forced on the current file: only the active window is saved, and it is the target.
    Programs({{"Here", {}, "here %f", true, true}});
    ShowTab(1); // other.tex
    ASSERT_EQ(Active()->FileNameOf(), File("other.tex"));
    Type("y");
    Item("Here")->trigger();
    EXPECT_EQ(Call(), "here other in " + dir_.path());
    EXPECT_EQ(ReadBytes(File("other.tex")), "xytext\n");
}

TEST_F(Runner, NothingStartsWhenASaveDoesNotHappen) {
    StartNew();
    Type("\\relax");
    prompter_.ExpectSaveFile(std::nullopt);
    Item("LaTeX")->trigger();
    EXPECT_TRUE(launcher_.calls.isEmpty()) << "a cancelled dialog starts nothing";
    EXPECT_NE(Panel(2), "File(s) saved successfully.");
    prompter_.ExpectSaveFile(File("new.tex"));
    Item("LaTeX")->trigger();
    EXPECT_EQ(Call(), "latex -interaction=nonstopmode|new in " + dir_.path());

    // A save that fails (its folder went away) starts nothing either.
    QDir().mkpath(File("gone"));
    Open("gone/doc.tex", "text\n");
    QDir(File("gone")).removeRecursively();
    Type("x");
    prompter_.ExpectMessageStartingWith("Error writing " + File("gone/doc.tex") + ": ", Answer::Ok);
    Item("LaTeX")->trigger();
    EXPECT_EQ(launcher_.calls.size(), 1);
    EXPECT_NE(Panel(2), "File(s) saved successfully.");
}

TEST_F(Runner, EachFailureSaysWhatWentWrong) {
    StartForm();
    Open("paper.tex", "text\n");
    launcher_.answers.push_back({LaunchResult::Outcome::NotFound, 0, {}});
    Programs({{"Run", {}, "nosuchtex \"a b\" %f", false, true}});
    prompter_.ExpectMessage(
        "Error executing \"nosuchtex \"a b\" paper\": File 'nosuchtex' not found.", Answer::Ok);
    Item("Run")->trigger();
    EXPECT_NE(Panel(2), "'nosuchtex \"a b\" paper' executed.") << "said only once it started";
    launcher_.answers.push_back({LaunchResult::Outcome::Failed, 0, "Permission denied"});
    prompter_.ExpectMessage("Error executing \"nosuchtex \"a b\" paper\": Permission denied.",
                            Answer::Ok);
    Item("Run")->trigger();

    // A file base holding "%f" starts nothing.
    Open("odd%file.tex", "text\n");
    prompter_.ExpectMessage("Invalid filename! No '%f' allowed.", Answer::Ok);
    Item("Run")->trigger();
    // A folder that cannot be used (the main file's, gone) stops the run before it starts.
    WriteBytes(File("p.orp"), "[ProjectFiles]\nFile1=" + File("lost/main.tex").toStdString() +
                                  "\n[MainFile]\nFileNumber=1\n");
    ASSERT_TRUE(form_->OpenDocument(File("p.orp")));
    prompter_.ExpectMessage("Cannot change to directory \"" + File("lost") +
                                "\": No such file or directory",
                            Answer::Ok);
    Item("Run")->trigger();
    EXPECT_EQ(launcher_.calls.size(), 2);
}

// Waits for a started process to end. It may stay a zombie of the system's first process
// when that does not reap, never of the editor: the editor is not its parent.
bool Ended(qint64 pid) {
    for (int i = 0; i < 1200; ++i) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            return true;
        const QByteArray line = stat.readAll();
        const int close = line.lastIndexOf(')');
        const QList<QByteArray> after = line.mid(close + 2).split(' ');
        if (after.size() > 1 && after[0] == "Z") {
            EXPECT_NE(after[1].toLongLong(), QCoreApplication::applicationPid())
                << "a zombie of the editor";
            return true;
        }
        QTest::qWait(100);
    }
    return false;
}

class RealRuns : public Runner {
protected:
    void SetUp() override {
        Runner::SetUp();
        realPrograms_ = true;
    }
    // Runs an entry through the real window and launcher and waits for the program to end.
    void RunAndWait(const std::string& command) {
        Programs({{"Run", {}, command, false, true}});
        const qint64 before = form_->Runner().LastProcessId();
        Item("Run")->trigger();
        ASSERT_TRUE(Panel(2).endsWith("' executed.")) << Panel(2).toStdString();
        const qint64 pid = form_->Runner().LastProcessId();
        ASSERT_NE(pid, before);
        ASSERT_TRUE(Ended(pid)) << command;
    }
};

TEST_F(RealRuns, TeXAndBibTeXLeaveTheirFilesBesideTheDocument) {
    if (QStandardPaths::findExecutable("pdflatex").isEmpty())
        GTEST_SKIP() << "pdflatex not installed";
    StartForm();
    Open("my paper.tex", "\\documentclass{article}\\begin{document}Hi~\\cite{k}."
                         "\\bibliographystyle{plain}\\bibliography{refs}\\end{document}\n");
    WriteBytes(File("refs.bib"), "@misc{k, title={T}, author={A. B}, year=2020}\n");
    RunAndWait("pdflatex -interaction=nonstopmode %f");
    EXPECT_TRUE(QFile::exists(File("my paper.pdf")));
    EXPECT_TRUE(QFile::exists(File("my paper.log")));
    RunAndWait("bibtex %f");
    EXPECT_TRUE(QFile::exists(File("my paper.bbl")));
    EXPECT_TRUE(QFile::exists(File("my paper.blg")));

    // Plain pdflatex on a faulty document ends by itself: its input is the null device.
    Open("bad.tex", "\\documentclass{article}\\begin{document}\\undefinedthing\\end{document}\n");
    RunAndWait("pdflatex %f");
    const std::string log = ReadBytes(File("bad.log"));
    EXPECT_NE(log.find("Undefined control sequence"), std::string::npos);
}

TEST_F(RealRuns, ArgumentsPassWholeWithoutAShell) {
    StartForm();
    Open("a;b $(x) *.tex", "text\n");
    RunAndWait("touch \"%f.ran\"");
    EXPECT_TRUE(QFile::exists(File("a;b $(x) *.ran")));
    EXPECT_EQ(QDir(dir_.path()).entryList({"*.ran"}).size(), 1) << "exactly that one file";

    WriteBytes(File("stdin.sh"), "#!/bin/sh\nreadlink /proc/self/fd/0 > stdin.txt\n");
    ::chmod(QFile::encodeName(File("stdin.sh")).constData(), 0755);
    RunAndWait("./stdin.sh");
    EXPECT_EQ(ReadBytes(File("stdin.txt")), "/dev/null\n");

    // A missing program and a script that may not run.
    Programs({{"Run", {}, "no-such-program-here %f", false, true}});
    prompter_.ExpectMessage(
        "Error executing \"no-such-program-here a;b $(x) *\": File 'no-such-program-here' not "
        "found.",
        Answer::Ok);
    Item("Run")->trigger();
    WriteBytes(File("plain.sh"), "#!/bin/sh\n");
    Programs({{"Run", {}, "./plain.sh", false, true}});
    prompter_.ExpectMessage("Error executing \"./plain.sh\": Permission denied.", Answer::Ok);
    Item("Run")->trigger();
}

} // namespace
} // namespace orvelt::testing
