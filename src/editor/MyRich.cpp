#include "editor/MyRich.h"

#include "editor/files/SurfaceCharacters.h"
#include "platform/StyleFormat.h"

#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <functional>
#include <unordered_map>

namespace orvelt {

TMyRichEdit::TMyRichEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName("MainEdit");
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(false);
    formatTimer_ = new QTimer(this);
    formatTimer_->setInterval(0);
    connect(formatTimer_, &QTimer::timeout, this, &TMyRichEdit::FormatSlice);
    ConnectDocument();
}

void TMyRichEdit::ShowLineNumbers(bool on) {
    if (on && !gutter_) {
        gutter_ = new LineGutter(*this);
        connect(this, &QPlainTextEdit::blockCountChanged, this, [this] {
            gutterFor_.reset();
            FitGutter();
        });
        connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
            if (!gutter_)
                return;
            if (dy != 0)
                gutter_->scroll(0, dy);
            else
                gutter_->update(0, rect.y(), gutter_->width(), rect.height());
        });
        connect(this, &QPlainTextEdit::cursorPositionChanged, this, &TMyRichEdit::ShadeCaretLine);
        gutter_->show();
        ShadeCaretLine();
    } else if (!on && gutter_) {
        delete gutter_;
        gutter_ = nullptr;
        setExtraSelections({});
    }
    FitGutter();
}

int TMyRichEdit::GutterWidth() const {
    return GutterWidth(blockCount());
}

int TMyRichEdit::GutterWidth(int blocks) const {
    int digits = 3;
    for (int n = std::max(1, blocks); n >= 1000; n /= 10)
        ++digits;
    return 10 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits;
}

void TMyRichEdit::FitGutter() {
    // A resize of the text area comes back here: it keeps the width set ahead of an edit.
    const int width = gutter_ ? GutterWidth(gutterFor_.value_or(blockCount())) : 0;
    setViewportMargins(width, 0, 0, 0);
    if (gutter_) {
        const QRect area = contentsRect();
        gutter_->setGeometry(area.left(), area.top(), width, area.height());
    }
}

void TMyRichEdit::FitGutterFor(std::optional<int> blocks) {
    gutterFor_ = blocks;
    FitGutter();
}

void TMyRichEdit::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    FitGutter();
}

void TMyRichEdit::ShadeCaretLine() {
    QTextEdit::ExtraSelection line;
    line.format.setBackground(QColor(0xEE, 0xF3, 0xFB));
    line.format.setProperty(QTextFormat::FullWidthSelection, true);
    line.cursor = textCursor();
    line.cursor.clearSelection();
    setExtraSelections({line});
}

void TMyRichEdit::PaintLineNumbers(QWidget& gutter, const QRect& area) {
    QPainter painter(&gutter);
    painter.fillRect(area, QColor(0xF2, 0xF2, 0xF2));
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.setFont(font());
    const int right = gutter.width() - 5;
    const int height = fontMetrics().height();
    QTextBlock block = firstVisibleBlock();
    qreal top = blockBoundingGeometry(block).translated(contentOffset()).top();
    while (block.isValid() && top <= area.bottom()) {
        const qreal bottom = top + blockBoundingRect(block).height();
        if (block.isVisible() && bottom >= area.top()) {
            int first = block.blockNumber() + 1;
            int lines = 1;
            if (screenLines_) {
                EnsureLineCounts(block.blockNumber());
                first = block.firstLineNumber() + 1;
                lines = std::max(1, block.layout()->lineCount());
            }
            for (int i = 0; i < lines; ++i) {
                const qreal y = top + (lines > 1 ? block.layout()->lineAt(i).y() : 0);
                painter.drawText(0, qRound(y), right, height, Qt::AlignRight,
                                 QString::number(first + i));
            }
        }
        top = bottom;
        block = block.next();
    }
}

void TMyRichEdit::SetWrapMode(WrapMode mode) {
    setLineWrapMode(mode == WrapMode::Off ? NoWrap : WidgetWidth);
    screenLines_ = mode == WrapMode::SavedBreaks;
    lineCounts_.Invalidate();
}

void TMyRichEdit::ConnectDocument() {
    lineCounts_.Invalidate();
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int position, int removed, int added) {
                KeepLongLayouts(position, added);
                lineCounts_.NoteChange(position, added);
                if (!restyling_ && FormattingPending())
                    pending_.Shift(position, removed, added);
                if (!restyling_ && (removed != 0 || added != 0))
                    emit Edited();
            });
}

void TMyRichEdit::KeepLongLayouts(int position, int added) {
    // Qt drops a paragraph's shaped text once it is laid out, and shapes all of it again for
    // every paint and every caret query: 0.25 s each for a paragraph of two million characters.
    // Kept, it holds what one such query holds anyway (some 50 bytes a character), so only
    // paragraphs long enough for a query to be felt keep it: over 10 ms from here on.
    constexpr int kLongBlock = 100'000;
    const QTextBlock last = document()->findBlock(position + added);
    for (QTextBlock b = document()->findBlock(position); b.isValid(); b = b.next()) {
        if (b.length() >= kLongBlock)
            b.layout()->setCacheEnabled(true);
        if (b == last)
            break;
    }
}

void TMyRichEdit::EnsureLineCounts(int upToBlock) const {
    if (screenLines_)
        lineCounts_.Ensure(upToBlock);
}

QTextDocument* TMyRichEdit::NewDocument(QObject* parent) {
    auto* doc = new QTextDocument(parent);
    doc->setDocumentLayout(new QPlainTextDocumentLayout(doc));
    doc->setUndoRedoEnabled(false);
    return doc;
}

void TMyRichEdit::AdoptDocument(QTextDocument* doc) {
    doc->setDefaultFont(document()->defaultFont());
    doc->setUndoRedoEnabled(!FormattingPending());
    // Owned by the surface, so that the next replacement deletes it (and this one the old).
    doc->setParent(this);
    setDocument(doc);
    ConnectDocument();
    KeepLongLayouts(0, doc->characterCount() - 1); // filled before it was connected
}

void TMyRichEdit::LoadStyledText(const QString& text, const std::vector<FormatRun>& runs,
                                 std::vector<QTextCharFormat> formats, int base,
                                 const std::vector<LineEnd>& lineEnds) {
    formatTimer_->stop();
    QTextDocument* doc = NewDocument(this);
    {
        QTextCursor cursor(doc);
        cursor.beginEditBlock();
        cursor.insertText(text, formats[static_cast<std::size_t>(base)]);
        cursor.endEditBlock();
    }
    // A block's user state is the end its line had in the file (-1: none of its own yet).
    std::size_t line = 0;
    for (QTextBlock b = doc->begin(); b.isValid() && line < lineEnds.size(); b = b.next())
        b.setUserState(static_cast<int>(lineEnds[line++]));
    std::vector<PendingFormats::Run> pending;
    int position = 0;
    for (const FormatRun& run : runs) {
        if (run.format != base && run.length > 0)
            pending.push_back({position, run.length, run.format});
        position += run.length;
    }
    pending_.Start(std::move(pending), std::move(formats));
    // The first screens are formatted before the document is shown, which is cheapest.
    constexpr int kFirstScreens = 20'000;
    FormatPending(doc, kFirstScreens, -1);
    AdoptDocument(doc);
    if (FormattingPending())
        formatTimer_->start();
}

void TMyRichEdit::LoadStyledRuns(const StyledText& styled, const HighlightStyle& fallback,
                                 const std::vector<LineEnd>& lineEnds) {
    FlatStyledText flat;
    for (const StyledRun& run : styled) {
        auto it = std::find(flat.styles.begin(), flat.styles.end(), run.style);
        if (it == flat.styles.end())
            it = flat.styles.insert(it, run.style);
        flat.runs.push_back({run.text.size(), static_cast<std::size_t>(it - flat.styles.begin())});
        flat.text += run.text;
    }
    LoadStyledRuns(flat, fallback, lineEnds);
}

void TMyRichEdit::LoadStyledRuns(const FlatStyledText& styled, const HighlightStyle& fallback,
                                 const std::vector<LineEnd>& lineEnds) {
    std::vector<QTextCharFormat> formats;
    formats.reserve(styled.styles.size() + 1);
    for (const HighlightStyle& style : styled.styles)
        formats.push_back(FormatOfStyle(style));
    if (formats.empty())
        formats.push_back(FormatOfStyle(fallback));
    // The whole text goes in in the commonest format first.
    std::vector<std::size_t> characters(formats.size(), 0);
    std::vector<FormatRun> runs;
    runs.reserve(styled.runs.size());
    for (const FlatStyledText::Run& run : styled.runs) {
        characters[run.style] += run.length;
        runs.push_back({static_cast<int>(run.length), static_cast<int>(run.style)});
    }
    const int base = static_cast<int>(std::max_element(characters.begin(), characters.end()) -
                                      characters.begin());
    LoadStyledText(QString::fromStdU16String(styled.text), runs, std::move(formats), base,
                   lineEnds);
}

namespace {

std::u16string_view Piece(const QString& raw, int position, int length) {
    return std::u16string_view(reinterpret_cast<const char16_t*>(raw.utf16()) + position,
                               static_cast<std::size_t>(std::max(0, length)));
}

} // namespace

FlatStyledText TMyRichEdit::StyledRuns(const QString& raw) const {
    FlatStyledText styled;
    styled.text.reserve(static_cast<std::size_t>(raw.size()));
    // Formats are shared by index: convert each once, not once per fragment.
    std::unordered_map<int, std::size_t> styleOfFormat;
    auto styleOf = [&](int index, const QTextCharFormat& format) {
        auto it = styleOfFormat.find(index);
        if (it != styleOfFormat.end())
            return it->second;
        const HighlightStyle style = StyleOfFormat(format);
        auto same = std::find(styled.styles.begin(), styled.styles.end(), style);
        if (same == styled.styles.end())
            same = styled.styles.insert(same, style);
        const auto entry = static_cast<std::size_t>(same - styled.styles.begin());
        styleOfFormat.emplace(index, entry);
        return entry;
    };
    auto append = [&](std::u16string_view piece, std::size_t style) {
        if (styled.runs.empty() || styled.runs.back().style != style)
            styled.runs.push_back({0, style});
        styled.runs.back().length += piece.size();
        styled.text.append(piece);
    };
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            append(Piece(raw, f.position(), f.length()),
                   styleOf(f.charFormatIndex(), f.charFormat()));
        }
        if (b.next().isValid()) {
            // The line break takes the style of the text before it, or the block's own.
            const std::size_t style = styled.runs.empty()
                                          ? styleOf(b.charFormatIndex(), b.charFormat())
                                          : styled.runs.back().style;
            append(u"\n", style);
        }
    }
    return styled;
}

std::vector<SurfaceLine> TMyRichEdit::Lines(const QString& raw) const {
    const bool wrapped = screenLines_;
    EnsureLayout();
    std::vector<SurfaceLine> lines;
    lines.reserve(static_cast<std::size_t>(document()->blockCount()));
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        std::u16string_view text = Piece(raw, b.position(), b.length() - 1);
        const bool last = !b.next().isValid();
        QTextLayout* layout = b.layout();
        const int count = wrapped && layout ? layout->lineCount() : 0;
        const std::optional<LineEnd> end =
            b.userState() >= 0 && b.userState() <= static_cast<int>(LineEnd::Cr)
                ? std::optional(static_cast<LineEnd>(b.userState()))
                : std::nullopt;
        if (count <= 1) {
            lines.push_back({text, !last, end});
            continue;
        }
        for (int i = 0; i < count; ++i) {
            const int start = layout->lineAt(i).textStart();
            const int length = i + 1 < count ? layout->lineAt(i + 1).textStart() - start
                                             : static_cast<int>(text.size()) - start;
            lines.push_back(
                {text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length)),
                 i + 1 == count && !last, i + 1 == count ? end : std::nullopt});
        }
    }
    return lines;
}

void TMyRichEdit::FormatPending(QTextDocument* doc, int until, qint64 budgetMs) {
    restyling_ = true;
    pending_.Apply(doc, until, budgetMs);
    restyling_ = false;
}

void TMyRichEdit::FormatSlice() {
    // Qt repaints the whole text area for a format change anywhere; a slice that starts below
    // the last line on screen changes nothing there.
    const int shownEnd =
        cursorForPosition(QPoint(viewport()->width(), viewport()->height())).position();
    const bool belowScreen = FormattingPending() && pending_.NextStart() > shownEnd;
    const QSignalBlocker quiet(belowScreen ? document()->documentLayout() : nullptr);
    FormatPending(document(), -1, 8);
    if (!FormattingPending())
        formatTimer_->stop();
}

void TMyRichEdit::FinishFormatting() {
    if (!FormattingPending())
        return;
    formatTimer_->stop();
    FormatPending(document(), -1, -1);
}

int TMyRichEdit::DocPos(int qtPos) const {
    QTextBlock block = document()->findBlock(qtPos);
    return qtPos + (block.isValid() ? block.blockNumber() : document()->blockCount() - 1);
}

int TMyRichEdit::QtPos(int docPos) const {
    // Block b starts at its Qt position + b; find the last block starting at or before docPos.
    int lo = 0;
    int hi = document()->blockCount() - 1;
    while (lo < hi) {
        int mid = (lo + hi + 1) / 2;
        if (document()->findBlockByNumber(mid).position() + mid <= docPos)
            lo = mid;
        else
            hi = mid - 1;
    }
    QTextBlock block = document()->findBlockByNumber(lo);
    int offset = docPos - (block.position() + lo);
    return block.position() + std::clamp(offset, 0, block.length() - 1);
}

int TMyRichEdit::TextLength() const {
    return document()->characterCount() - 1 + document()->blockCount() - 1;
}

int TMyRichEdit::BlockLineCount(const QTextBlock& block) const {
    return !screenLines_ ? 1 : lineCounts_.CountLines(block);
}

void TMyRichEdit::EnsureLayout(int upTo) const {
    if (!screenLines_)
        return;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        (void)BlockLineCount(b);
        if (upTo >= 0 && b.blockNumber() >= upTo)
            break;
    }
}

int TMyRichEdit::LineCount() const {
    if (!screenLines_)
        return document()->blockCount();
    EnsureLineCounts();
    const QTextBlock last = document()->lastBlock();
    return last.firstLineNumber() + last.lineCount();
}

int TMyRichEdit::LineFromPosition(int docPos) const {
    int qtPos = QtPos(docPos);
    QTextBlock block = document()->findBlock(qtPos);
    if (!screenLines_)
        return block.blockNumber();
    EnsureLineCounts(block.blockNumber());
    (void)BlockLineCount(block);
    QTextLine inBlock = block.layout()->lineForTextPosition(qtPos - block.position());
    return block.firstLineNumber() + (inBlock.isValid() ? inBlock.lineNumber() : 0);
}

TMyRichEdit::LineLocation TMyRichEdit::LocateLine(int line) const {
    QTextDocument* doc = document();
    if (!screenLines_)
        return {doc->findBlockByNumber(std::clamp(line, 0, doc->blockCount() - 1)), 0};
    EnsureLineCounts();
    QTextBlock block = doc->findBlockByLineNumber(std::max(0, line));
    if (!block.isValid())
        block = doc->lastBlock();
    const int lines = BlockLineCount(block); // also lays the block out
    return {block, std::clamp(line - block.firstLineNumber(), 0, lines - 1)};
}

int TMyRichEdit::LineStart(int line) const {
    LineLocation at = LocateLine(line);
    int offset = 0;
    if (screenLines_ && at.block.layout()->lineCount() > 0)
        offset = at.block.layout()->lineAt(at.indexInBlock).textStart();
    return DocPos(at.block.position() + offset);
}

QString TMyRichEdit::LineText(int line) const {
    LineLocation at = LocateLine(line);
    if (!screenLines_ || at.block.layout()->lineCount() == 0)
        return at.block.text();
    QTextLine l = at.block.layout()->lineAt(at.indexInBlock);
    return at.block.text().mid(l.textStart(), l.textLength());
}

bool TMyRichEdit::LineEndsWithHardBreak(int line) const {
    LineLocation at = LocateLine(line);
    bool lastInBlock = !screenLines_ || at.indexInBlock == at.block.layout()->lineCount() - 1 ||
                       at.block.layout()->lineCount() == 0;
    return lastInBlock && at.block.next().isValid();
}

void TMyRichEdit::SelectLine(int line) {
    int start = LineStart(line);
    int end = line + 1 < LineCount() ? LineStart(line + 1) : TextLength();
    SetSelection(start, end);
}

void TMyRichEdit::SetSelection(int start, int end) {
    QTextCursor cursor = textCursor();
    cursor.setPosition(QtPos(start));
    cursor.setPosition(QtPos(end), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

std::pair<int, int> TMyRichEdit::GetSelection() const {
    QTextCursor cursor = textCursor();
    return {DocPos(cursor.selectionStart()), DocPos(cursor.selectionEnd())};
}

void TMyRichEdit::ApplyStyle(const HighlightStyle& style) {
    QTextCursor cursor = textCursor();
    if (!cursor.hasSelection()) {
        setCurrentCharFormat(FormatOfStyle(style)); // the next insertion's: no change to the text
        return;
    }
    ApplyStyleTo(cursor, style);
}

bool TMyRichEdit::HasStyle(const QTextCursor& range, const HighlightStyle& style) const {
    const int start = range.selectionStart();
    const int end = range.selectionEnd();
    for (QTextBlock b = document()->findBlock(start); b.isValid() && b.position() < end;
         b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.position() + f.length() <= start || f.position() >= end)
                continue;
            if (StyleOfFormat(f.charFormat()) != style)
                return false;
        }
    }
    return true;
}

void TMyRichEdit::BeginRestyle() {
    QTextDocument* doc = document();
    batch_ = RestyleBatch{QTextCursor(doc), doc->isModified(),
                          doc->isUndoAvailable() || !doc->isUndoRedoEnabled()};
    restyling_ = true;
    if (!batch_->recorded)
        doc->setUndoRedoEnabled(false);
    batch_->cursor.joinPreviousEditBlock();
}

void TMyRichEdit::EndRestyle() {
    if (!batch_)
        return;
    batch_->cursor.endEditBlock();
    if (!batch_->recorded)
        document()->setUndoRedoEnabled(true);
    document()->setModified(batch_->wasModified);
    batch_.reset();
    restyling_ = false;
}

void TMyRichEdit::ApplyStyleTo(const QTextCursor& range, const HighlightStyle& style) {
    if (HasStyle(range, style))
        return;
    // One joined change for a whole pass: toggling the undo stack per token took seconds.
    if (batch_) {
        batch_->cursor.setPosition(range.selectionStart());
        batch_->cursor.setPosition(range.selectionEnd(), QTextCursor::KeepAnchor);
        batch_->cursor.setCharFormat(FormatOfStyle(style));
        return;
    }
    QTextCursor cursor = range;
    restyling_ = true;
    const bool wasModified = document()->isModified();
    // With nothing typed yet there is no step to join: colours alone must never become one
    // (Ctrl+Z would then change only colours, and mark the document modified).
    const bool record = document()->isUndoAvailable() || !document()->isUndoRedoEnabled();
    if (!record)
        document()->setUndoRedoEnabled(false);
    cursor.joinPreviousEditBlock();
    cursor.setCharFormat(FormatOfStyle(style));
    cursor.endEditBlock();
    if (!record)
        document()->setUndoRedoEnabled(true);
    document()->setModified(wasModified);
    restyling_ = false;
}

QString TMyRichEdit::Storable(const QString& text) const {
    if (encoding_ == TextEncoding::Utf8 || encoding_ == TextEncoding::Utf8Bom)
        return text;
    QString out;
    out.reserve(text.size());
    for (char32_t c : text.toUcs4())
        out += CanEncode(c, encoding_) ? QString::fromUcs4(&c, 1) : QStringLiteral("?");
    return out;
}

QString TMyRichEdit::Admit(const QString& text) const {
    QString storable = Storable(text);
    storable.replace("\r\n", "\n");
    ToSurfaceCharacters(reinterpret_cast<char16_t*>(storable.data()),
                        static_cast<std::size_t>(storable.size()));
    return storable;
}

void TMyRichEdit::Insert(QTextCursor& at, const std::vector<TextPiece>& pieces) {
    FinishFormatting();
    at.removeSelectedText();
    for (const auto& [text, format] : pieces)
        at.insertText(Admit(text), format);
}

void TMyRichEdit::InsertRuns(const StyledText& runs) {
    std::vector<TextPiece> pieces;
    pieces.reserve(runs.size());
    for (const StyledRun& run : runs)
        pieces.emplace_back(QString::fromStdU16String(run.text), FormatOfStyle(run.style));
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    const int from = cursor.selectionStart();
    Insert(cursor, pieces);
    cursor.endEditBlock();
    setTextCursor(cursor);
    emit Inserted(from, cursor.position());
}

void TMyRichEdit::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText())
        return;
    QTextCursor cursor = textCursor();
    const int from = cursor.selectionStart();
    Insert(cursor, source->text(), cursor.charFormat());
    emit Inserted(from, cursor.position());
}

TMyRichEdit::CaretLineInfo TMyRichEdit::CaretLine() const {
    QTextCursor cursor = textCursor();
    QTextBlock block = cursor.block();
    int inBlock = cursor.position() - block.position();
    CaretLineInfo info{block.text(), block.position(), inBlock};
    if (!screenLines_)
        return info;
    (void)BlockLineCount(block);
    QTextLine line = block.layout()->lineForTextPosition(inBlock);
    if (!line.isValid())
        return info;
    info.text = block.text().mid(line.textStart(), line.textLength());
    info.start = block.position() + line.textStart();
    info.column = inBlock - line.textStart();
    return info;
}

void TMyRichEdit::inputMethodEvent(QInputMethodEvent* event) {
    FinishFormatting();
    if (inputMethodHook && inputMethodHook(event)) {
        event->accept();
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

void TMyRichEdit::keyPressEvent(QKeyEvent* event) {
    FinishFormatting(); // an edit must find the formats in place and the undo stack on
    QString text = event->text();
    bool printable = !text.isEmpty() && (text.at(0).isPrint() || text == "\t");
    if (printable && !isReadOnly() && Admit(text) != text)
        return; // the document's code page cannot hold it
    if (keyPressHook && keyPressHook(event))
        return;
    QPlainTextEdit::keyPressEvent(event);
}

void TMyRichEdit::TypeText(const QString& text) {
    if (Admit(text) != text)
        return;
    FinishFormatting();
    QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QPlainTextEdit::keyPressEvent(&typed);
}

void TMyRichEdit::keyReleaseEvent(QKeyEvent* event) {
    QPlainTextEdit::keyReleaseEvent(event);
    if (keyReleaseHook)
        keyReleaseHook(event);
}

void TMyRichEdit::mousePressEvent(QMouseEvent* event) {
    QPlainTextEdit::mousePressEvent(event);
    if (mousePressHook)
        mousePressHook(event);
}

} // namespace orvelt
