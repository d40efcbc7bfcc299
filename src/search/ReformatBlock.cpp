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
    QTextCursor range(doc);
    range.setPosition(lineStart);
    range.setPosition(end, QTextCursor::KeepAnchor);
    const QString text = range.selectedText();
    const std::vector<std::size_t> breaks = BreaksToJoin(
        {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())},
        static_cast<std::size_t>(start - lineStart));

    while (services.escape.EscapePressed()) {
    } // a press that closed a menu stops nothing
    services.escape.BeginOperation();
    services.status(QStringLiteral("Reformatting Block...press [ESC] to abort"));
    source.SetModified(true);
    edit->setUpdatesEnabled(false);
    const int total = end - start;
    auto next = breaks.rbegin();
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    for (int at = end - 1; at >= start; --at) {
        if (services.escape.EscapePressed())
            break;
        if (next != breaks.rend() && lineStart + static_cast<int>(*next) == at) {
            ++next;
            cursor.setPosition(at);
            cursor.setPosition(at + 1, QTextCursor::KeepAnchor);
            cursor.insertText(QStringLiteral(" "));
        }
        services.progress(end - at, total);
    }
    cursor.endEditBlock();
    edit->setUpdatesEnabled(true);
    services.escape.EndOperation();
    services.status({});
    source.ShowCaretRow();
    edit->ensureCursorVisible();
    edit->setFocus();
}

} // namespace orvelt
