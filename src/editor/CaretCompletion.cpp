#include "editor/CaretCompletion.h"

#include "editor/MyRich.h"
#include "editor/SurfaceHighlighter.h"
#include "editor/keys/CommandCompletion.h"
#include "options/OptionHolder.h"
#include "platform/StyleFormat.h"
#include "platform/TextView.h"

#include <QTextBlock>

namespace orvelt {

CaretCompletion::CaretCompletion(TMyRichEdit& surface, const OptionHolder& options,
                                 SurfaceHighlighter& highlighter)
    : surface_(surface), options_(options), highlighter_(highlighter) {}

void CaretCompletion::Complete() {
    QTextCursor cursor = surface_.textCursor();
    if (cursor.hasSelection()) {
        // The completion goes after the command, the \end line after the caret: a selection
        // would only be lost text.
        cursor.setPosition(cursor.selectionEnd());
        surface_.setTextCursor(cursor);
    }
    TMyRichEdit::CaretLineInfo line = surface_.CaretLine();
    std::optional<CaretCommand> command =
        CommandAtCaret(View(line.text), static_cast<std::size_t>(line.column));
    if (!command)
        return;
    // Completing a command the caret has already left would write into the text after it.
    if (static_cast<std::size_t>(line.column) <= command->end) {
        std::optional<std::string> rest =
            CompletionOf(command->word, options_.Keywords().Keywords());
        const QString added = rest ? QString::fromStdString(*rest) : QString();
        if (!added.isEmpty()) {
            QTextCursor at(surface_.document());
            at.setPosition(line.start + static_cast<int>(command->end));
            surface_.Insert(at, added, at.charFormat());
            surface_.setTextCursor(at);
            highlighter_.RehighlightLine(); // the completed command takes its own colour
        }
    }

    line = surface_.CaretLine();
    std::optional<std::u16string> name = EnvironmentToClose(View(line.text));
    if (!name)
        return;
    const QString environment = QString::fromStdU16String(*name);
    auto format = [&](StyleKind kind) { return FormatOfStyle(highlighter_.Style(kind)); };
    QTextCursor at = surface_.textCursor();
    at.beginEditBlock();
    surface_.Insert(at, {{QStringLiteral("\n"), at.charFormat()},
                         {QStringLiteral("\\end"), format(StyleKind::TexCommand)},
                         {QStringLiteral("{"), format(StyleKind::Brace)},
                         {environment, format(StyleKind::Text)},
                         {QStringLiteral("}"), format(StyleKind::Brace)}});
    at.endEditBlock();
    at.setPosition(at.block().position());
    surface_.setTextCursor(at);
    highlighter_.ApplyStyle(StyleKind::Text);
}

std::optional<QString> CaretCompletion::CommandWord() const {
    const QTextCursor cursor = surface_.textCursor();
    const TMyRichEdit::CaretLineInfo line = surface_.CaretLine();
    const int column =
        std::clamp(cursor.selectionEnd() - line.start, 0, static_cast<int>(line.text.size()));
    std::optional<CaretCommand> command =
        CommandAtCaret(View(line.text), static_cast<std::size_t>(column));
    if (!command)
        return std::nullopt;
    return QString::fromStdU16String(command->word);
}

} // namespace orvelt
