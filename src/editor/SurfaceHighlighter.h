#pragma once

#include "core/HighlightStyle.h"

#include <QString>

class QTextBlock;

namespace orvelt {

class OptionHolder;
class TMyRichEdit;

// Styles the text on a surface by the token scanner's rules, in the options' current styles:
// the caret line, or the token a typed character ends. Never an undo step of its own.
class SurfaceHighlighter {
public:
    SurfaceHighlighter(TMyRichEdit& surface, const OptionHolder& options);

    [[nodiscard]] const HighlightStyle& Style(StyleKind kind) const;
    // The selection's style, or the next insertion's when nothing is selected.
    void ApplyStyle(StyleKind kind);
    // Re-styles the caret line token by token; a selection collapses to its start.
    void RehighlightLine();
    // Re-styles every line of the text between two Qt positions, joined to the last edit.
    void RestyleLines(int from, int to);
    // Re-styles one line (a block) of the text, wherever the caret is.
    void RestyleBlock(const QTextBlock& block);
    // Restyles the token before the caret and types c with its format, as one undo step;
    // false when the surface is to insert c itself.
    bool HighlightTyped(char32_t c, const QString& typed);
    // With key conversion on, an umlaut as TeX spells it ("a) in a document kept in an 8-bit
    // code page; false when the character is to go in as it is.
    bool TypeConverted(char32_t c, bool convertKeys);

private:
    TMyRichEdit& surface_;
    const OptionHolder& options_;
};

} // namespace orvelt
