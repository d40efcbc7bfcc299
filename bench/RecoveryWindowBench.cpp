// What keeping a 2,000,000-character document safe costs: the recovery copy's share of the
// typing thread, a whole copy on disk, typing while copies are written, and an autosave tick
// that saves in place with source specials on.

#include "BenchSupport.h"
#include "app/Main.h"
#include "app/RecoveryKeeper.h"
#include "editor/Childwin.h"
#include "settings/SettingsStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <string>
#include <vector>

namespace orvelt {
namespace {

std::string Thesis() {
    const std::string chapter = "\\section{Results}\n"
                                "The measured values agree with the model within the errors, "
                                "as Table~\\ref{t:1} shows.\n"
                                "\\begin{tabular}{ll}\na & b \\\\\n\\end{tabular}\n"
                                "% a remark for the author only\n\n";
    std::string text;
    while (text.size() < 2'000'000)
        text += chapter;
    return text;
}

int Run(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    qputenv("XDG_STATE_HOME", QFile::encodeName(dir.path() + "/state"));
    const QString tex = dir.path() + "/thesis.tex";
    if (!bench::WriteFile(tex, Thesis()))
        return 1;
    bench::SilentPrompter prompter;
    MemorySettingsStore store;
    TMainForm form(bench::Environment(store, prompter));
    bench::Show(form);
    if (!form.OpenDocument(tex))
        return 1;
    TMDIChild* source = form.ActiveSourceWindow();
    source->MainEdit->FinishFormatting();
    auto* keeper = source->findChild<RecoveryKeeper*>();
    QWidget* edit = source->MainEdit;
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A);
    QApplication::processEvents();

    std::vector<double> handOver;
    std::vector<double> written;
    for (int run = 0; run < 9; ++run) {
        QElapsedTimer timer;
        timer.start();
        keeper->KeepNow();
        handOver.push_back(bench::Milliseconds(timer));
        form.FlushRecoveryCopies();
        written.push_back(bench::Milliseconds(timer));
    }
    std::printf("recovery copy of 2,000,000 characters: %.2f ms on the typing thread (budget 5), "
                "%.1f ms until on disk (budget 100), medians of 9\n",
                bench::Median(handOver), bench::Median(written));

    // Keys as a person types them, a copy handed over every 20 keys, written meanwhile.
    for (const bool copies : {false, true}) {
        std::vector<double> keys;
        for (int k = 0; k < 400; ++k) {
            QElapsedTimer timer;
            timer.start();
            QTest::keyClick(edit, Qt::Key_B);
            QApplication::processEvents();
            keys.push_back(bench::Milliseconds(timer));
            if (copies && k % 20 == 0)
                keeper->KeepNow();
        }
        form.FlushRecoveryCopies();
        std::printf("typing in 2,000,000 characters %s: %.2f ms a key (median), %.2f ms at "
                    "worst\n",
                    copies ? "while copies are written" : "without copies", bench::Median(keys),
                    *std::max_element(keys.begin(), keys.end()));
    }

    // An autosave tick saves a named document in place, with specials when they are asked for.
    form.Options().autoSave = true;
    for (const bool specials : {false, true}) {
        form.Options().specials = specials;
        form.Options().specialsInterval = 1;
        std::vector<double> saves;
        for (int run = 0; run < 5; ++run) {
            QTest::keyClick(edit, Qt::Key_C);
            QElapsedTimer timer;
            timer.start();
            source->AutoSaveTimer.start(0);
            QApplication::processEvents();
            saves.push_back(bench::Milliseconds(timer));
            if (source->Modified)
                return 1;
        }
        std::printf("autosave tick saving 2,000,000 characters %s: %.0f ms (budget 300), "
                    "median of 5\n",
                    specials ? "with source specials on every line" : "without specials",
                    bench::Median(saves));
    }
    source->SetModified(false);
    return 0;
}

} // namespace
} // namespace orvelt

int main(int argc, char** argv) {
    return orvelt::Run(argc, argv);
}
