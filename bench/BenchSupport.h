#pragma once

#include "platform/Prompter.h"

#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace orvelt::bench {

// What the window benchmarks share: a prompter that asks nobody, the median of runs, and
// writing their sample files.

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
