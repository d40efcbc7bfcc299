#pragma once

#include <QTextCharFormat>
#include <vector>

class QTextDocument;

namespace orvelt {

// The character formats of a loaded text that are still to be applied. Qt formats 400,000 runs
// in about half a second, so a big file is shown at once in one format and the runs of the
// others follow: the first screens before the document is shown, the rest in short slices.
class PendingFormats {
public:
    struct Run {
        int start;
        int length;
        int format; // into the formats given with the runs
    };
    void Start(std::vector<Run> runs, std::vector<QTextCharFormat> formats);
    [[nodiscard]] bool Pending() const { return next_ < runs_.size(); }
    // Where the next run to apply starts; only while Pending().
    [[nodiscard]] int NextStart() const { return runs_[next_].start; }
    // Applies runs in order until one starts at `until` or later (-1: no such end) or
    // `budgetMs` have passed (-1: no limit). Neither an undo step nor a modification; once all
    // are applied the document records undo steps again.
    void Apply(QTextDocument* document, int until, qint64 budgetMs);
    // An edit that did not pass through the surface's own handlers: the runs still to apply
    // follow the text they belong to.
    void Shift(int position, int removed, int added);

private:
    std::vector<Run> runs_;
    std::size_t next_ = 0;
    std::vector<QTextCharFormat> formats_;
};

} // namespace orvelt
