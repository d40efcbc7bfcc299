#include "editor/BraceFlash.h"

#include "editor/MyRich.h"
#include "editor/keys/BraceSearch.h"
#include "platform/EscapePoller.h"
#include "platform/TextView.h"

#include <QElapsedTimer>
#include <QTextBlock>

namespace orvelt {

namespace {

void BusyWait(int ms) {
    // No event is processed, so keys typed meanwhile stay queued and are typed afterwards.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < ms) {
    }
}

} // namespace

BraceFlash::BraceFlash(TMyRichEdit& surface, EscapePoller& escape)
    : surface_(surface), escape_(escape) {}

BraceFlash::Outcome BraceFlash::Show(const HighlightStyle& brace, int delayMs) {
    QTextDocument* doc = surface_.document();
    const int caret = surface_.textCursor().selectionStart();
    const QTextBlock block = doc->findBlock(caret);
    const QString text = block.text();
    const int offset = caret - block.position();
    if (offset > 0 && IsEscaped(View(text), static_cast<std::size_t>(offset - 1)))
        return Outcome::Escaped;
    // Only a brace right before the caret: after a caret move, an unrelated position would
    // make the caret jump to some brace and back.
    if (offset == 0 || text.at(offset - 1) != u'}')
        return Outcome::Done;

    escape_.BeginOperation();
    while (escape_.EscapePressed()) {
        // an Escape pressed before the search does not cancel it
    }
    QTextBlock reading = block;
    QString line;
    std::optional<LinePoint> open = FindOpenBrace(
        {static_cast<std::size_t>(block.blockNumber()), static_cast<std::size_t>(offset - 1)},
        [&](std::size_t number) {
            while (static_cast<std::size_t>(reading.blockNumber()) > number)
                reading = reading.previous();
            line = reading.text();
            return View(line);
        },
        [&] { return escape_.EscapePressed(); });
    escape_.EndOperation();
    if (!open)
        return Outcome::Done;

    QTextCursor at(doc);
    at.setPosition(reading.position() + static_cast<int>(open->offset));
    at.setPosition(at.position() + 1, QTextCursor::KeepAnchor);
    surface_.setTextCursor(at);
    HighlightStyle marked = brace;
    marked.styles |= kUnderline;
    surface_.ApplyStyle(marked);
    surface_.viewport()->repaint(); // the pause lets nothing paint
    BusyWait(delayMs);
    surface_.ApplyStyle(brace);
    QTextCursor back(doc);
    back.setPosition(caret);
    surface_.setTextCursor(back);
    surface_.ApplyStyle(brace);
    return Outcome::Done;
}

} // namespace orvelt
