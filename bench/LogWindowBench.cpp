// A 10 MB TeX log with about 100,000 warnings: F12 until the error list shows, and F11 until
// the viewer shows it; then a 10 MB log of one line.

#include "BenchSupport.h"
#include "app/Main.h"
#include "settings/SettingsStore.h"
#include "toolchain/errors.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <string>

namespace orvelt {
namespace {

using bench::SilentPrompter;
using bench::WriteFile;

double Timed(TMainForm& form, void (TMainForm::*command)()) {
    QElapsedTimer timer;
    timer.start();
    (form.*command)();
    QApplication::processEvents();
    return timer.nsecsElapsed() / 1e6;
}

int Run(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    std::string log;
    for (int i = 0; log.size() < 10'000'000; ++i) {
        log += "LaTeX Warning: Reference `fig:" + std::to_string(i) +
               "' on page 3 undefined on input line " + std::to_string(i % 5000 + 1) + ".\n";
        if (i % 50 == 0)
            log += "! Undefined control sequence.\nl." + std::to_string(i % 900 + 1) +
                   " \\foo\n(./chapter.tex [12]) <figure.pdf>\n";
    }
    if (!WriteFile(dir.path() + "/thesis.tex", "\\documentclass{article}\n") ||
        !WriteFile(dir.path() + "/thesis.log", log) ||
        !WriteFile(dir.path() + "/flat.tex", "x\n") ||
        !WriteFile(dir.path() + "/flat.log", std::string(10'000'000, 'x')))
        return 1;
    SilentPrompter prompter;
    MemorySettingsStore store;
    TMainForm form(bench::Environment(store, prompter));
    bench::Show(form);
    form.OpenDocument(dir.path() + "/thesis.tex");
    const double errors = Timed(form, &TMainForm::ErrorsWarnings1Click);
    const double viewer = Timed(form, &TMainForm::LogDatei1Click);
    form.OpenDocument(dir.path() + "/flat.tex");
    const double flat = Timed(form, &TMainForm::LogDatei1Click);
    std::printf("10 MB log, %lld warnings: F12 until the list shows %.0f ms (budget 300), F11 "
                "until the viewer shows %.0f ms (budget 1500); a 10 MB log of one line %.0f ms\n",
                static_cast<long long>(form.ErrorView().WarnLines.size()), errors, viewer, flat);
    return 0;
}

} // namespace
} // namespace orvelt

int main(int argc, char** argv) {
    return orvelt::Run(argc, argv);
}
