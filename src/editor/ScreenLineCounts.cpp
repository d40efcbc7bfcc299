#include "editor/ScreenLineCounts.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>

namespace orvelt {

ScreenLineCounts::ScreenLineCounts(const QPlainTextEdit& surface) : surface_(surface) {}

QTextDocument* ScreenLineCounts::Document() const {
    return surface_.document();
}

void ScreenLineCounts::Invalidate() {
    valid_ = false;
    blockCount_ = Document()->blockCount();
    widestCharacter_ = 0;
}

void ScreenLineCounts::NoteChange(int position, int added) {
    QTextDocument* doc = Document();
    const int first = doc->findBlock(position).blockNumber();
    const QTextBlock lastBlock = doc->findBlock(position + added);
    const int last = lastBlock.isValid() ? lastBlock.blockNumber() : doc->blockCount() - 1;
    const int shift = doc->blockCount() - blockCount_;
    blockCount_ = doc->blockCount();
    if (dirtyFirst_ < 0) {
        dirtyFirst_ = first;
        dirtyLast_ = last;
    } else {
        dirtyFirst_ = std::min(dirtyFirst_, std::max(0, first));
        dirtyLast_ = std::max(dirtyLast_ + std::max(0, shift), last);
    }
}

int ScreenLineCounts::CountLines(const QTextBlock& block) const {
    QTextLayout* layout = block.layout();
    if (layout && layout->lineCount() > 0)
        return layout->lineCount();
    if (!MayWrap(block))
        return 1;
    Document()->documentLayout()->blockBoundingRect(block);
    return layout && layout->lineCount() > 0 ? layout->lineCount() : 1;
}

void ScreenLineCounts::Ensure(int upToBlock) const {
    QTextDocument* doc = Document();
    auto count = [this](QTextBlock block) {
        const int lines = CountLines(block);
        if (block.lineCount() != lines)
            block.setLineCount(lines);
    };
    const int width = surface_.viewport()->width();
    if (!valid_ || width != countedWidth_) {
        countedWidth_ = width;
        MeasureWidestCharacter(); // formats in use only change between full passes
        countedUpTo_ = -1;
        valid_ = true;
        dirtyFirst_ = dirtyLast_ = -1;
    }
    if (dirtyFirst_ >= 0 && dirtyFirst_ <= countedUpTo_) {
        QTextBlock b = doc->findBlockByNumber(dirtyFirst_);
        for (; b.isValid() && b.blockNumber() <= std::min(dirtyLast_, countedUpTo_); b = b.next())
            count(b);
    }
    dirtyFirst_ = dirtyLast_ = -1;
    countedUpTo_ = std::min(countedUpTo_, doc->blockCount() - 1);
    // Only the blocks before the one asked about matter for its line number; the rest are
    // counted when a later question needs them.
    const int last = upToBlock < 0 ? doc->blockCount() - 1 : upToBlock;
    if (countedUpTo_ >= last)
        return;
    for (QTextBlock b = doc->findBlockByNumber(countedUpTo_ + 1);
         b.isValid() && b.blockNumber() <= last; b = b.next())
        count(b);
    countedUpTo_ = last;
}

void ScreenLineCounts::MeasureWidestCharacter() const {
    widestCharacter_ = QFontMetricsF(Document()->defaultFont()).maxWidth();
    for (const QTextFormat& format : Document()->allFormats())
        if (format.isCharFormat())
            widestCharacter_ =
                std::max(widestCharacter_, QFontMetricsF(format.toCharFormat().font()).maxWidth());
}

bool ScreenLineCounts::MayWrap(const QTextBlock& block) const {
    if (widestCharacter_ <= 0)
        MeasureWidestCharacter();
    const QString text = block.text();
    const qreal room = surface_.viewport()->width() - 2 * Document()->documentMargin() - 2;
    if (text.size() * widestCharacter_ < room && !text.contains('\t'))
        return false;
    qreal width = 0;
    for (QChar c : text)
        width += c == '\t' ? surface_.tabStopDistance() : widestCharacter_;
    return width >= room;
}

} // namespace orvelt
