// Find and replace through the real dialog: one Search in a 2,000,000-character document whose
// only match is near its end, Replace all of 10,000 matches in it (restyling and the undo step
// included), and a Search through a 5 MB bibliography that finds nothing.

#include "BenchSupport.h"
#include "BibSample.h"
#include "app/Main.h"
#include "bib/fbibchild.h"
#include "editor/Childwin.h"
#include "search/replace.h"
#include "settings/SettingsStore.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>
#include <string>
#include <vector>

namespace orvelt {
namespace {

using bench::Median;

// The end question is answered No; anything else is reported.
class EndAnswerer : public bench::SilentPrompter {
public:
    Answer Message(MessageKind kind, MessageButtons buttons, const QString& text) override {
        if (text == "End of file reached. Continue at the beginning?") {
            ++questions;
            return Answer::No;
        }
        return SilentPrompter::Message(kind, buttons, text);
    }
    int questions = 0;
};

// 2,000,000 characters of LaTeX with "foo" as a word 10,000 times and one "Zanzibar" at the end.
std::string Document() {
    const std::string paragraph = "\\section{Results}\nWe show that $x^2 + y^2 = z^2$ holds for "
                                  "\\emph{every} caf\xC3\xA9 (see \\cite{knuth84}). foo\n";
    std::string text;
    int foos = 0;
    while (foos < 10'000) {
        text += paragraph;
        ++foos;
    }
    while (text.size() < 1'999'000)
        text += "% filler without the word\n";
    text += "The end: Zanzibar.\n";
    return text;
}

int Run(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString tex = dir.path() + "/big.tex";
    const QString bib = dir.path() + "/big.bib";
    if (!bench::WriteFile(tex, Document()) || !bench::WriteFile(bib, bench::FiveMegabyteBib()))
        return 1;
    EndAnswerer prompter;
    MemorySettingsStore store;
    TMainForm form(bench::Environment(store, prompter));
    bench::Show(form);
    TReplaceDlg& dialog = form.ReplaceDlg();

    std::vector<double> search;
    std::vector<double> replaceAll;
    int replaced = 0;
    for (int run = 0; run < 5; ++run) {
        if (!form.OpenDocument(tex))
            return 1;
        TMDIChild* source = form.ActiveSourceWindow();
        source->MainEdit->FinishFormatting();
        QApplication::processEvents();
        form.Find1Click();
        dialog.Find->setEditText("Zanzibar");
        QElapsedTimer timer;
        timer.start();
        dialog.Button1->click();
        search.push_back(bench::Milliseconds(timer));

        dialog.Find->setEditText("foo");
        dialog.Replace->setEditText("\\alpha");
        source->MainEdit->SetSelection(0, 0);
        dialog.Button1->click(); // replacing is on once a search succeeded
        source->MainEdit->SetSelection(0, 0);
        const int before = source->MainEdit->TextLength();
        timer.start();
        dialog.Button4->click();
        QApplication::processEvents();
        replaceAll.push_back(bench::Milliseconds(timer));
        replaced = (source->MainEdit->TextLength() - before) / 3;
        source->SetModified(false);
        source->parentWidget()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    std::vector<double> bibSearch;
    if (!form.OpenDocument(bib))
        return 1;
    QApplication::processEvents();
    form.Find1Click();
    dialog.Find->setEditText("Zanzibar");
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        dialog.Button1->click();
        bibSearch.push_back(bench::Milliseconds(timer));
    }

    std::printf("Search to a match near the end of 2,000,000 characters: %.1f ms (budget 20)\n",
                Median(search));
    std::printf("Replace all of %d matches, restyling and undo step included: %.0f ms "
                "(budget 500)\n",
                replaced, Median(replaceAll));
    std::printf("Search through a 5 MB bibliography without a match: %.1f ms (budget 50), "
                "%d end questions in all; medians of 5\n",
                Median(bibSearch), prompter.questions);
    return 0;
}

} // namespace
} // namespace orvelt

int main(int argc, char** argv) {
    return orvelt::Run(argc, argv);
}
