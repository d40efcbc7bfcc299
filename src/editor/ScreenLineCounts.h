#pragma once

#include <QtGlobal>

class QPlainTextEdit;
class QTextBlock;
class QTextDocument;

namespace orvelt {

// How many screen lines each block of a word-wrapped surface takes, kept in Qt's per-block line
// counts (a sum Qt keeps in a tree, so a line number is found quickly). They are made right for
// blocks that no view has laid out yet: up to the block asked about, all again after loading or
// a change of width, and the changed blocks after an edit.
class ScreenLineCounts {
public:
    explicit ScreenLineCounts(const QPlainTextEdit& surface);

    // Everything is to be counted again (a new document, another wrap mode).
    void Invalidate();
    void NoteChange(int position, int added);
    // Blocks 0..upToBlock (all when -1) have their counts right afterwards.
    void Ensure(int upToBlock = -1) const;
    // The screen lines of one block, laying it out only when it may wrap.
    [[nodiscard]] int CountLines(const QTextBlock& block) const;

private:
    // False when a block is too short to wrap at the widest character of any format in use,
    // so that most lines of a big file never need a layout to be counted.
    [[nodiscard]] bool MayWrap(const QTextBlock& block) const;
    void MeasureWidestCharacter() const;
    [[nodiscard]] QTextDocument* Document() const;

    const QPlainTextEdit& surface_;
    mutable bool valid_ = false;
    mutable int countedUpTo_ = -1; // blocks 0..countedUpTo_ have their line counts right
    mutable int countedWidth_ = -1;
    mutable int dirtyFirst_ = -1;
    mutable int dirtyLast_ = -1;
    int blockCount_ = 1;
    mutable qreal widestCharacter_ = 0;
};

} // namespace orvelt
