// Whole-window timings of the big cases: open a 2,000,000-character TeX file without sidecar
// (scan and style every token), save it (sidecar and source), reopen it from the sidecar.
// Prints figures; never fails because the machine was slow.
#include "BenchSupport.h"
#include "app/Main.h"
#include "editor/Childwin.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <cstdio>

namespace {

using orvelt::bench::SilentPrompter;

QByteArray ThesisText(qsizetype size) {
    QByteArray text;
    int n = 0;
    while (text.size() < size) {
        text += "\\section{Results " + QByteArray::number(n++) +
                "}\nWe measured $x^2 + y_i$ in \\cite{key} and [brackets] with \\emph{emphasis}; "
                "see \\ref{fig:one}.\n% a remark on the method\n\\begin{itemize}\n\\item one "
                "\\alpha\n\\end{itemize}\n\n";
    }
    text.truncate(size);
    return text;
}

// The window is usable at once; the formats of the tail follow in slices between events.
qint64 WhenFormatted(orvelt::TMDIChild& child, const QElapsedTimer& since) {
    while (child.MainEdit->FormattingPending())
        QApplication::processEvents();
    return since.nsecsElapsed();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    orvelt::MemorySettingsStore store;
    store.Write("Path", ORVELT_DATA_DIR);
    SilentPrompter prompter;
    orvelt::TMainForm form(orvelt::bench::Environment(store, prompter));
    orvelt::bench::Show(form, {1000, 800});

    const QString file = dir.path() + "/thesis.tex";
    {
        QFile out(file);
        out.open(QIODevice::WriteOnly);
        out.write(ThesisText(2'000'000));
    }
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 3;
    for (int round = 0; round < rounds; ++round) {
        QFile::remove(file + ".orv");
        QElapsedTimer timer;
        timer.start();
        form.OpenDocument(file);
        double import = timer.nsecsElapsed() / 1e6;
        orvelt::TMDIChild* child = form.ActiveSourceWindow();
        double importFormatted = WhenFormatted(*child, timer) / 1e6;

        timer.restart();
        child->SaveDocument();
        double save = timer.nsecsElapsed() / 1e6;
        child->parentWidget()->close();

        timer.restart();
        form.OpenDocument(file);
        double reopen = timer.nsecsElapsed() / 1e6;
        double reopenFormatted = WhenFormatted(*form.ActiveSourceWindow(), timer) / 1e6;

        // Refresh layout after a colour change: a named file is read again, an untitled
        // text is styled in place.
        auto& comments = form.Options().styles[static_cast<int>(orvelt::StyleKind::Comment)];
        comments.color ^= 0x000040;
        timer.restart();
        form.ViewRefreshClick();
        double refreshShown = timer.nsecsElapsed() / 1e6;
        double refreshNamed = WhenFormatted(*form.ActiveSourceWindow(), timer) / 1e6;
        form.ActiveSourceWindow()->parentWidget()->close();
        form.OpenDocument(file, true);
        WhenFormatted(*form.ActiveSourceWindow(), timer);
        comments.color ^= 0x000040;
        timer.restart();
        form.ViewRefreshClick();
        double refreshUntitled = timer.nsecsElapsed() / 1e6;
        form.ActiveSourceWindow()->parentWidget()->close();
        QApplication::processEvents();
        std::printf(
            "round %d: import %.0f ms (budget 500; every format in place after %.0f ms), "
            "save %.0f ms (budget 300), reopen from sidecar %.0f ms (budget 300; every "
            "format after %.0f ms), Refresh layout named %.0f ms (every format after %.0f ms), "
            "untitled in place %.0f ms (budget 500 each)\n",
            round + 1, import, importFormatted, save, reopen, reopenFormatted, refreshShown,
            refreshNamed, refreshUntitled);
    }
    return 0;
}
