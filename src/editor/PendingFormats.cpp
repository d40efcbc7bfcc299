#include "editor/PendingFormats.h"

#include <QElapsedTimer>
#include <QTextCursor>
#include <QTextDocument>

namespace orvelt {

void PendingFormats::Start(std::vector<Run> runs, std::vector<QTextCharFormat> formats) {
    runs_ = std::move(runs);
    next_ = 0;
    formats_ = std::move(formats);
}

void PendingFormats::Apply(QTextDocument* doc, int until, qint64 budgetMs) {
    QElapsedTimer clock;
    clock.start();
    const bool wasModified = doc->isModified();
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    const int end = doc->characterCount() - 1;
    for (std::size_t done = 0; Pending(); ++done) {
        const Run& run = runs_[next_];
        if ((until >= 0 && run.start >= until) ||
            (budgetMs >= 0 && done % 64 == 63 && clock.elapsed() >= budgetMs))
            break;
        const int start = std::min(run.start, end);
        const int stop = std::min(run.start + run.length, end);
        if (stop > start) {
            cursor.setPosition(start);
            cursor.setPosition(stop, QTextCursor::KeepAnchor);
            cursor.setCharFormat(formats_[static_cast<std::size_t>(run.format)]);
        }
        ++next_;
    }
    cursor.endEditBlock();
    doc->setModified(wasModified);
    if (!Pending()) {
        runs_.clear();
        next_ = 0;
        formats_.clear();
        doc->setUndoRedoEnabled(true); // nothing to undo was recorded while formatting
    }
}

void PendingFormats::Shift(int position, int removed, int added) {
    auto moved = [&](int at) {
        if (at >= position + removed)
            return at + added - removed;
        return at <= position ? at : position + added;
    };
    for (std::size_t i = next_; i < runs_.size(); ++i) {
        Run& run = runs_[i];
        const int start = moved(run.start);
        const int stop = std::max(start, moved(run.start + run.length));
        run.start = start;
        run.length = stop - start;
    }
}

} // namespace orvelt
