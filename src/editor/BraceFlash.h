#pragma once

#include "core/HighlightStyle.h"

namespace orvelt {

class EscapePoller;
class TMyRichEdit;

// A closing brace just typed: the caret jumps to the brace that opens its group, shows it
// underlined for a moment and comes back.
class BraceFlash {
public:
    BraceFlash(TMyRichEdit& surface, EscapePoller& escape);

    enum class Outcome {
        Escaped, // the brace before the caret is escaped: ask again at the next key release
        Done,    // shown, or nothing to show
    };
    // `brace` is the braces' style; `delayMs` how long the opening brace stays marked.
    Outcome Show(const HighlightStyle& brace, int delayMs);

private:
    TMyRichEdit& surface_;
    EscapePoller& escape_;
};

} // namespace orvelt
