#pragma once

#include <QString>
#include <optional>

namespace orvelt {

class OptionHolder;
class SurfaceHighlighter;
class TMyRichEdit;

// Ctrl+Enter on the surface: completes the command at the caret from the keyword list, and
// closes a \begin{name} of the caret line with an \end{name} line.
class CaretCompletion {
public:
    CaretCompletion(TMyRichEdit& surface, const OptionHolder& options,
                    SurfaceHighlighter& highlighter);

    void Complete();
    // The command the caret stands in or after ("\section"), for the LaTeX help.
    [[nodiscard]] std::optional<QString> CommandWord() const;

private:
    TMyRichEdit& surface_;
    const OptionHolder& options_;
    SurfaceHighlighter& highlighter_;
};

} // namespace orvelt
