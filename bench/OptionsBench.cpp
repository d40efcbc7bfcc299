// Start-up to the main window with a 100,000-word dictionary chosen, and the button bar's
// rebuild with 50 programs (it runs on every resize of the main window).

#include "BenchSupport.h"
#include "app/ButtonBar.h"
#include "app/Main.h"
#include "options/values/ProgramList.h"
#include "settings/SettingsStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace orvelt {
namespace {

using bench::SilentPrompter;

using bench::Median;

int Run(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QString words = "/usr/share/dict/american-english";
    if (!QFile::exists(words)) {
        words = dir.path() + "/words";
        QFile out(words);
        if (!out.open(QIODevice::WriteOnly))
            return 1;
        for (int i = 0; i < 100000; ++i)
            out.write(("word" + std::to_string(i) + "\n").c_str());
    }
    SilentPrompter prompter;
    const QString data = QStringLiteral(ORVELT_DATA_DIR);

    std::vector<double> startWith, startWithout;
    for (int round = 0; round < 7; ++round) {
        for (bool withWords : {true, false}) {
            MemorySettingsStore store;
            if (withWords)
                store.Write("Dictionary", words.toStdString());
            QElapsedTimer timer;
            timer.start();
            TMainForm form({store, prompter, {}, data});
            form.show();
            form.FirstActivate();
            QApplication::processEvents();
            (withWords ? startWith : startWithout).push_back(timer.nsecsElapsed() / 1e6);
        }
    }
    std::printf("start-up with %s: %.1f ms (without a dictionary: %.1f ms), median of 7\n",
                qPrintable(words), Median(startWith), Median(startWithout));
    // For reference: the German list is three and a half times as long.
    if (const QString german = "/usr/share/dict/ngerman"; QFile::exists(german)) {
        std::vector<double> startGerman;
        for (int round = 0; round < 7; ++round) {
            MemorySettingsStore store;
            store.Write("Dictionary", german.toStdString());
            QElapsedTimer timer;
            timer.start();
            TMainForm form({store, prompter, {}, data});
            form.show();
            form.FirstActivate();
            QApplication::processEvents();
            startGerman.push_back(timer.nsecsElapsed() / 1e6);
        }
        std::printf("start-up with %s: %.1f ms, median of 7\n", qPrintable(german),
                    Median(startGerman));
    }

    MemorySettingsStore store;
    TMainForm form({store, prompter, {}, data});
    OptionValues& options = form.Options();
    options.programs.clear();
    for (std::size_t i = 0; i < kMaxPrograms; ++i)
        options.programs.push_back({"Program " + std::to_string(i), {}, "run %f", false, true});
    form.resize(1000, 700);
    form.show();
    form.FirstActivate();
    form.BuildTeXMenu();
    std::vector<double> builds;
    for (int round = 0; round < 50; ++round) {
        QElapsedTimer timer;
        timer.start();
        form.BuildButtonBar();
        builds.push_back(timer.nsecsElapsed() / 1e6);
        QApplication::processEvents(); // the old buttons go
    }
    std::printf("BuildButtonBar with %zu programs: %.2f ms median of 50 (%zu buttons, bar %d px)\n",
                kMaxPrograms, Median(builds), form.Buttonbar().Buttons().size(),
                form.Buttonbar().height());
    return 0;
}

} // namespace
} // namespace orvelt

int main(int argc, char** argv) {
    return orvelt::Run(argc, argv);
}
