#include "editor/SurfaceHighlighter.h"

#include "editor/MyRich.h"
#include "editor/highlight/TokenScanner.h"
#include "editor/highlight/TokenStyle.h"
#include "editor/highlight/TypingHighlight.h"
#include "editor/keys/KeyConversion.h"
#include "options/OptionHolder.h"
#include "platform/StyleFormat.h"
#include "platform/TextView.h"

#include <QTextBlock>
#include <algorithm>
#include <utility>
#include <vector>

namespace orvelt {

SurfaceHighlighter::SurfaceHighlighter(TMyRichEdit& surface, const OptionHolder& options)
    : surface_(surface), options_(options) {}

const HighlightStyle& SurfaceHighlighter::Style(StyleKind kind) const {
    return StyleFor(options_.Values().styles, kind);
}

void SurfaceHighlighter::ApplyStyle(StyleKind kind) {
    surface_.ApplyStyle(Style(kind));
}

void SurfaceHighlighter::RehighlightLine() {
    surface_.setReadOnly(true);
    const TMyRichEdit::CaretLineInfo line = surface_.CaretLine();
    const QTextCursor saved = surface_.textCursor();
    const int caret = std::min(saved.position(), saved.anchor());
    if (!line.text.isEmpty()) {
        for (const auto& token : ScanLine(View(line.text))) {
            QTextCursor select(surface_.document());
            select.setPosition(line.start + static_cast<int>(token.offset));
            select.setPosition(line.start + static_cast<int>(token.offset + token.text.size()),
                               QTextCursor::KeepAnchor);
            surface_.ApplyStyleTo(select, Style(TokenStyle(token, options_.Keywords())));
        }
    }
    if (saved.hasSelection()) {
        QTextCursor back(surface_.document());
        back.setPosition(caret);
        surface_.setTextCursor(back);
    }
    surface_.setReadOnly(false);
}

void SurfaceHighlighter::RestyleLines(int from, int to) {
    QTextDocument* doc = surface_.document();
    for (QTextBlock b = doc->findBlock(from); b.isValid() && b.position() <= to; b = b.next())
        RestyleBlock(b);
}

void SurfaceHighlighter::RestyleBlock(const QTextBlock& block) {
    // The line's runs of one format and their styles, read once: asking the document for the
    // fragments under each token made restyling a line quadratic in its length (Replace all
    // restyles thousands of lines).
    struct Run {
        int end;
        std::size_t style;
    };
    std::vector<Run> runs;
    std::vector<std::pair<int, HighlightStyle>> styles; // by format index
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        const int index = f.charFormatIndex();
        auto known = std::find_if(styles.begin(), styles.end(),
                                  [index](const auto& entry) { return entry.first == index; });
        if (known == styles.end())
            known = styles.insert(known, {index, StyleOfFormat(f.charFormat())});
        runs.push_back({f.position() + f.length() - block.position(),
                        static_cast<std::size_t>(known - styles.begin())});
    }
    const QString text = block.text();
    std::size_t run = 0;
    for (const auto& token : ScanLine(View(text))) {
        const int start = static_cast<int>(token.offset);
        const int end = static_cast<int>(token.offset + token.text.size());
        const HighlightStyle& style = Style(TokenStyle(token, options_.Keywords()));
        while (run < runs.size() && runs[run].end <= start)
            ++run;
        bool styled = true;
        for (std::size_t r = run; styled && r < runs.size(); ++r) {
            styled = styles[runs[r].style].second == style;
            if (runs[r].end >= end)
                break;
        }
        if (styled)
            continue;
        QTextCursor select(surface_.document());
        select.setPosition(block.position() + start);
        select.setPosition(block.position() + end, QTextCursor::KeepAnchor);
        surface_.ApplyStyleTo(select, style);
    }
}

bool SurfaceHighlighter::HighlightTyped(char32_t c, const QString& typed) {
    QTextCursor cursor = surface_.textCursor();
    // Typing over a selection replaces it, whatever the character and what stands before it
    // (a digit after "x[" used to go in before the selected text, which stayed).
    const bool replacing = cursor.hasSelection() && c != U'\b';
    if (replacing) {
        surface_.FinishFormatting();
        cursor.beginEditBlock();
        cursor.removeSelectedText();
        surface_.setTextCursor(cursor);
    }
    const TMyRichEdit::CaretLineInfo line = surface_.CaretLine();
    const TypingHighlight h = HighlightTypedCharacter(
        View(line.text), static_cast<std::size_t>(line.column), c, options_.Keywords());
    if (h.count == 0 && !replacing) {
        if (h.typedStyle)
            ApplyStyle(*h.typedStyle);
        return false;
    }
    if (!replacing)
        cursor.beginEditBlock();
    if (h.count > 0) {
        QTextCursor token(surface_.document());
        token.setPosition(line.start + static_cast<int>(h.start));
        token.setPosition(line.start + static_cast<int>(h.start + h.count),
                          QTextCursor::KeepAnchor);
        if (!surface_.HasStyle(token, Style(h.tokenStyle)))
            token.setCharFormat(FormatOfStyle(Style(h.tokenStyle)));
    }
    const QTextCharFormat format =
        h.typedStyle ? FormatOfStyle(Style(*h.typedStyle)) : cursor.charFormat();
    if (surface_.overwriteMode() && !replacing && !cursor.atBlockEnd() && typed != "\n")
        cursor.deleteChar();
    surface_.Insert(cursor, typed, format);
    cursor.endEditBlock();
    surface_.setTextCursor(cursor);
    surface_.ensureCursorVisible();
    return true;
}

bool SurfaceHighlighter::TypeConverted(char32_t c, bool convertKeys) {
    // TeX reads UTF-8 input as it is: in a UTF-8 document "\u00E4" stays (as "a it would print
    // quotation marks under xelatex or without German shorthands). Documents kept in an 8-bit
    // code page get TeX's own spelling.
    const bool eightBit = surface_.Encoding() == TextEncoding::Windows1252 ||
                          surface_.Encoding() == TextEncoding::Dos437;
    const std::optional<char> letter = UmlautLetter(c);
    if (!convertKeys || !eightBit || !letter)
        return false;
    surface_.TypeText(QStringLiteral("\""));
    if (!HighlightTyped(static_cast<char32_t>(*letter), QString(QChar(*letter))))
        surface_.TypeText(QString(QChar(*letter)));
    return true;
}

} // namespace orvelt
