// The input-file list and Reformat Block through the real windows: a scan of a 2,000,000-
// character document with 1,000 \input lines from the tool button, and Reformat Block on a
// 2,000,000-character selection of 50,000 lines, one undo step with the status bar counting.

#include "BenchSupport.h"
#include "app/Main.h"
#include "editor/Childwin.h"
#include "project/InputFiles.h"
#include "settings/SettingsStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace orvelt {
namespace {

using bench::Median;
using bench::Milliseconds;

// 2,000,000 characters of LaTeX; every `every`-th line an \input of its own name.
std::string Document(int lines, int inputs) {
    const std::size_t lineLength = 2'000'000 / static_cast<std::size_t>(lines);
    std::string text;
    text.reserve(2'000'100);
    for (int i = 0; i < lines; ++i) {
        std::string line = i % (lines / inputs) == 0
                               ? "\\input{chapters/part" + std::to_string(i) + "} "
                               : "We show that $x^2 + y^2 = z^2$ holds for \\emph{every} case. ";
        while (line.size() + 1 < lineLength)
            line += "filler words ";
        line.resize(lineLength - 1);
        text += line + "\n";
    }
    return text;
}

int Run(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString scanned = dir.path() + "/inputs.tex";
    const QString joined = dir.path() + "/lines.tex";
    if (!bench::WriteFile(scanned, Document(20'000, 1'000)) ||
        !bench::WriteFile(joined, Document(50'000, 1)))
        return 1;
    bench::SilentPrompter prompter;
    MemorySettingsStore store;
    TMainForm form(bench::Environment(store, prompter));
    bench::Show(form);

    std::vector<double> scan;
    int names = 0;
    if (!form.OpenDocument(scanned))
        return 1;
    form.ActiveSourceWindow()->MainEdit->FinishFormatting();
    QApplication::processEvents();
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        form.BtnInputsClick();
        QApplication::processEvents();
        scan.push_back(Milliseconds(timer));
        names = form.InputFiles().ListFiles->count();
    }
    form.ActiveSourceWindow()->parentWidget()->close();

    std::vector<double> reformat;
    int blocks = 0;
    std::unique_ptr<QTextDocument> joinedCopy;
    QSize editSize;
    for (int run = 0; run < 5; ++run) {
        if (!form.OpenDocument(joined))
            return 1;
        TMDIChild* source = form.ActiveSourceWindow();
        source->MainEdit->FinishFormatting();
        QApplication::processEvents();
        source->MainEdit->selectAll();
        QElapsedTimer timer;
        timer.start();
        form.ReformatBlockClick();
        QApplication::processEvents();
        reformat.push_back(Milliseconds(timer));
        blocks = source->MainEdit->document()->blockCount();
        if (!joinedCopy) {
            joinedCopy.reset(source->MainEdit->document()->clone());
            editSize = source->MainEdit->size();
        }
        source->SetModified(false);
        source->parentWidget()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The floor: Qt laying the joined paragraph out once, formats and all, in a bare editor of
    // the same size, with nothing else to do.
    std::vector<double> layout;
    {
        joinedCopy->setDocumentLayout(new QPlainTextDocumentLayout(joinedCopy.get()));
        QPlainTextEdit bare;
        bare.setDocument(joinedCopy.get());
        bare.resize(editSize);
        bare.show();
        QApplication::processEvents();
        for (int run = 0; run < 5; ++run) {
            QElapsedTimer timer;
            timer.start();
            joinedCopy->markContentsDirty(0, 1);
            layout.push_back(Milliseconds(timer));
        }
        bare.setDocument(nullptr);
    }

    std::printf("Input-file scan of 2,000,000 characters, %d names: %.1f ms (budget 100)\n", names,
                Median(scan));
    std::printf("Reformat Block of 2,000,000 characters in 50,000 lines, %d blocks left: %.0f ms "
                "(budget 500); medians of 5\n",
                blocks, Median(reformat));
    std::printf("One layout of the joined paragraph in a bare editor: %.0f ms (Reformat Block is "
                "%.2fx that)\n",
                Median(layout), Median(reformat) / Median(layout));
    return 0;
}

} // namespace
} // namespace orvelt

int main(int argc, char** argv) {
    return orvelt::Run(argc, argv);
}
