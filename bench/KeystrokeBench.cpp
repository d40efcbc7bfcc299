// One typed character with all its handlers (typing-time highlighting, key-down, key-up,
// caret row) in a 2,000,000-character document, in the middle of it.

#include "BenchSupport.h"
#include "app/Main.h"
#include "editor/Childwin.h"
#include "settings/SettingsStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <string>

namespace orvelt {
namespace {

using bench::SilentPrompter;

std::string GeneratedDocument(std::size_t size) {
    const std::string paragraph =
        "\\section{Results}\\label{sec:results}\n"
        "Let $f\\colon \\mathbb{R}\\to\\mathbb{R}$ be smooth and let 100\\% of the mass lie in "
        "$[0,1]$. % a remark about the mass\n"
        "The classical result~\\cite[Thm.~3.42]{rudin} states that\n"
        "\\begin{equation}\n  \\sum_{n=1}^{\\infty} a_n b_n < \\infty \\quad\\text{if}\\quad "
        "\\lVert b\\rVert_\\infty \\le 1.\n\\end{equation}\n"
        "An \\emph{example} with \\textbf{bold} text and \\myowncommand{x}.\n\n";
    // The surface counts a line break as two characters and takes at most 2,000,000: leave
    // room for the typing.
    const auto breaks =
        static_cast<std::size_t>(std::count(paragraph.begin(), paragraph.end(), '\n'));
    std::string text;
    while (text.size() + paragraph.size() + (text.size() / paragraph.size() + 1) * breaks < size)
        text += paragraph;
    return text;
}

int Run(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString file = dir.path() + "/big.tex";
    {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly))
            return 1;
        const std::string text = GeneratedDocument(1'990'000);
        out.write(text.data(), static_cast<qint64>(text.size()));
    }
    MemorySettingsStore store;
    store.Write("BraceDelay", "0"); // the brace search is measured, not its deliberate pause
    SilentPrompter prompter;
    TMainForm form(bench::Environment(store, prompter));
    bench::Show(form, {900, 700});
    QElapsedTimer timer;
    timer.start();
    form.OpenDocument(file);
    const qint64 openMs = timer.elapsed();
    TMDIChild* child = form.ActiveSourceWindow();
    if (!child)
        return 1;
    TMyRichEdit* edit = child->MainEdit;
    // The tail's formats arrive in slices after the window shows; typing is timed after that.
    while (edit->FormattingPending())
        QApplication::processEvents();
    const int middle = edit->TextLength() / 2;
    edit->SetSelection(middle, middle);
    QApplication::processEvents();

    const int lengthBefore = edit->TextLength();
    const QString typed = QStringLiteral("word \\cmd{x} ");
    constexpr int kRounds = 40;
    timer.restart();
    for (int round = 0; round < kRounds; ++round)
        for (QChar c : typed)
            QTest::keyClick(edit, c.toLatin1());
    const double perChar =
        static_cast<double>(timer.nsecsElapsed()) / 1e6 / (kRounds * typed.size());
    if (edit->TextLength() - lengthBefore != kRounds * typed.size()) {
        std::printf("typing did not arrive: %d characters\n", edit->TextLength() - lengthBefore);
        return 1;
    }
    std::printf("open (import) of %d characters: %lld ms\n", lengthBefore, openMs);
    std::printf("one typed character with its handlers: %.3f ms\n", perChar);
    timer.restart();
    constexpr int kMoves = 200;
    for (int i = 0; i < kMoves; ++i) {
        QTest::keyClick(edit, 'x');
        QTest::keyClick(edit, Qt::Key_Down);
    }
    std::printf("a character and Down (line re-styled): %.3f ms\n",
                static_cast<double>(timer.nsecsElapsed()) / 1e6 / kMoves);
    child->Modified = false; // nothing to ask when the window closes

    // One paragraph as long as the whole document: every caret move asks Qt where the caret is.
    const QString oneLine = dir.path() + "/one-line.tex";
    std::string words;
    while (words.size() < 1'990'000)
        words += "words ";
    if (!bench::WriteFile(oneLine, words + "\n") || !form.OpenDocument(oneLine))
        return 1;
    TMyRichEdit* longEdit = form.ActiveSourceWindow()->MainEdit;
    while (longEdit->FormattingPending())
        QApplication::processEvents();
    QApplication::processEvents();
    timer.restart();
    for (int i = 0; i < kMoves; ++i)
        QTest::keyClick(longEdit, Qt::Key_Right);
    std::printf("a caret move in a line of %d characters: %.3f ms\n", longEdit->TextLength(),
                static_cast<double>(timer.nsecsElapsed()) / 1e6 / kMoves);
    return 0;
}

} // namespace
} // namespace orvelt

int main(int argc, char** argv) {
    return orvelt::Run(argc, argv);
}
