#include "search/ReformatBlock.h"

#include "editor/Childwin.h"
#include "platform/EscapePoller.h"
#include "search/reformat/BlockJoin.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace orvelt {

void ReformatBlock(TMDIChild& source, const ReformatServices& services) {
    TMyRichEdit* edit = source.MainEdit;
    edit->FinishFormatting();
    QTextDocument* doc = edit->document();
    const QTextCursor selection = edit->textCursor();
    const int start = selection.selectionStart();
    const int end = selection.selectionEnd();
    // From the start of the first line: a comment there may begin before the selection.
    const int lineStart = doc->findBlock(start).position();
    // Read from the raw text: the selection's text costs several times as much (70 ms against
    // 15 for two million characters in 300,000 runs of formats).
    const QString raw = edit->RawText();
    const std::vector<std::size_t> breaks =
        BreaksToJoin({reinterpret_cast<const char16_t*>(raw.utf16()) + lineStart,
                      static_cast<std::size_t>(end - lineStart)},
                     static_cast<std::size_t>(start - lineStart));

    while (services.escape.EscapePressed()) {
    } // a press that closed a menu stops nothing
    services.escape.BeginOperation();
    services.status(QStringLiteral("Reformatting Block...press [ESC] to abort"));
    source.SetModified(true);
    edit->setUpdatesEnabled(false);
    // Sized for the lines left before the edit, while they are still short: narrowed after,
    // the gutter would make Qt lay the joined paragraph out a second time.
    edit->FitGutterFor(doc->blockCount() - static_cast<int>(breaks.size()));
    const int total = end - start;
    bool stopped = false;
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    // Polled once per joined break, not per character: two million polls and progress calls
    // cost more than the joining itself, and Escape can only stop between two joins anyway.
    for (auto next = breaks.rbegin(); next != breaks.rend(); ++next) {
        const int at = lineStart + static_cast<int>(*next);
        services.progress(end - at - 1, total);
        if (services.escape.EscapePressed()) {
            stopped = true;
            break;
        }
        cursor.setPosition(at);
        cursor.setPosition(at + 1, QTextCursor::KeepAnchor);
        cursor.insertText(QStringLiteral(" "));
    }
    if (!stopped)
        services.progress(total, total);
    cursor.endEditBlock();
    edit->FitGutterFor(std::nullopt); // stopped before the first join: the count stands
    edit->setUpdatesEnabled(true);
    services.escape.EndOperation();
    services.status({});
    source.ShowCaretRow();
    edit->ensureCursorVisible();
    edit->setFocus();
}

} // namespace orvelt
