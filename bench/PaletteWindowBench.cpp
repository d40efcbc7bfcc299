// Start-up with a one-line file until idle, the palettes and the command list created hidden,
// against the floor: a bare QPlainTextEdit that only shows the same file. Then the first and a
// later opening of each palette.

#include "BenchSupport.h"
#include "app/Main.h"
#include "settings/SettingsStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

namespace orvelt {
namespace {

using bench::Median;
using bench::SilentPrompter;

void UntilIdle() {
    QApplication::processEvents();
    QApplication::sendPostedEvents();
    QApplication::processEvents();
}

int Run(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString file = dir.path() + "/one.tex";
    {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly))
            return 1;
        out.write("\\documentclass{article}\n");
    }
    SilentPrompter prompter;
    const QString data = QStringLiteral(ORVELT_DATA_DIR);
    std::vector<double> floor, program;
    for (int round = 0; round < 9; ++round) {
        {
            QElapsedTimer timer;
            timer.start();
            QPlainTextEdit bare;
            QFile in(file);
            if (!in.open(QIODevice::ReadOnly))
                return 1;
            bare.setPlainText(QString::fromUtf8(in.readAll()));
            bare.resize(900, 700);
            bare.show();
            UntilIdle();
            floor.push_back(timer.nsecsElapsed() / 1e6);
        }
        {
            MemorySettingsStore store;
            QElapsedTimer timer;
            timer.start();
            TMainForm form({store, prompter, {file}, data});
            form.resize(900, 700);
            form.show();
            form.FirstActivate();
            UntilIdle();
            program.push_back(timer.nsecsElapsed() / 1e6);
        }
    }
    std::printf("start-up with a one-line file until idle: %.1f ms, floor %.1f ms, ratio %.2f "
                "(budget 1.5), medians of 9\n",
                Median(program), Median(floor), Median(program) / Median(floor));

    MemorySettingsStore store;
    TMainForm form({store, prompter, {file}, data});
    form.resize(900, 700);
    form.show();
    form.FirstActivate();
    UntilIdle();
    using Handler = void (TMainForm::*)();
    const std::pair<const char*, Handler> opens[] = {
        {"Greek letters", &TMainForm::BtnGreekClick}, {"Bin Ops", &TMainForm::BtnBinOpsClick},
        {"Rel Ops", &TMainForm::BtnRelOpsClick},      {"Arrows", &TMainForm::BtnArrowsClick},
        {"Misc", &TMainForm::BtnMiscClick},           {"Font", &TMainForm::BtnFontsClick},
        {"TeX-commands", &TMainForm::BtnTeXCmdClick}};
    for (const auto& [name, open] : opens) {
        double first = 0;
        std::vector<double> later;
        for (int round = 0; round < 5; ++round) {
            QElapsedTimer timer;
            timer.start();
            (form.*open)();
            UntilIdle();
            const double ms = timer.nsecsElapsed() / 1e6;
            if (round == 0)
                first = ms;
            else
                later.push_back(ms);
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top != &form && top->isVisible())
                    top->close();
            UntilIdle();
        }
        std::printf("%-14s first opening %.1f ms, later %.1f ms (median of 4)\n", name, first,
                    Median(later));
    }
    return 0;
}

} // namespace
} // namespace orvelt

int main(int argc, char** argv) {
    return orvelt::Run(argc, argv);
}
