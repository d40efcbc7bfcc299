#pragma once

#include "app/Main.h"
#include "platform/Prompter.h"
#include "settings/SettingsStore.h"

#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace orvelt::bench {

// What the window benchmarks share: a prompter that asks nobody, the main window as at
// start-up, the median of runs, and writing their sample files.

// Answers every question with No and every dialog with Cancel; a message is printed, as a
// benchmark that meets one measures something else.
class SilentPrompter : public Prompter {
public:
    Answer Message(MessageKind, MessageButtons, const QString& text) override {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
        return Answer::No;
    }
    std::optional<QString> OpenFileName(const FileDialogRequest&) override { return {}; }
    std::optional<QString> SaveFileName(const FileDialogRequest&) override { return {}; }
    std::optional<HighlightStyle> ChooseFont(const HighlightStyle&) override { return {}; }
    std::optional<std::uint32_t> ChooseColor(std::uint32_t) override { return {}; }
    std::optional<QString> InputBox(const QString&, const QString&, const QString&) override {
        return {};
    }
    std::optional<int> ChooseFromList(const QString&, const QString&, const QStringList&,
                                      int) override {
        return {};
    }
};

// The main window over settings held in memory, with the data files of the source tree.
inline TMainForm::Environment Environment(SettingsStore& store, Prompter& prompter) {
    return {store, prompter, {}, QStringLiteral(ORVELT_DATA_DIR)};
}

// Sized, shown and activated, as at start-up.
inline void Show(TMainForm& form, QSize size = {1000, 700}) {
    form.resize(size);
    form.show();
    form.FirstActivate();
}

inline bool WriteFile(const QString& name, const std::string& bytes) {
    QFile out(name);
    return out.open(QIODevice::WriteOnly) &&
           out.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
               static_cast<qint64>(bytes.size());
}

inline double Milliseconds(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

inline double Median(std::vector<double> figures) {
    std::sort(figures.begin(), figures.end());
    return figures[figures.size() / 2];
}

} // namespace orvelt::bench
