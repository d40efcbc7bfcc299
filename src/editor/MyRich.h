#pragma once

#include "core/CodePage.h"
#include "core/HighlightStyle.h"
#include "editor/LineGutter.h"
#include "editor/PendingFormats.h"
#include "editor/ScreenLineCounts.h"
#include "editor/files/RtfCodec.h"
#include "editor/files/SourceWriter.h"
#include "options/values/OptionValues.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTimer>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace orvelt {

// TMyRichEdit: the editor surface of a source window. Positions count a line break as two
// characters (CR, LF), whatever the file holds; a line is a line of the file, except in the
// saved-breaks wrap mode, where each wrapped screen line is a line of its own.
class TMyRichEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TMyRichEdit(QWidget* parent = nullptr);

    // Position translation between the surface's counting and Qt's (one per paragraph break).
    [[nodiscard]] int DocPos(int qtPos) const;
    [[nodiscard]] int QtPos(int docPos) const;
    [[nodiscard]] int TextLength() const;

    [[nodiscard]] int LineCount() const;
    [[nodiscard]] int LineFromPosition(int docPos) const; // 0-based
    [[nodiscard]] int LineStart(int line) const;          // document position
    [[nodiscard]] QString LineText(int line) const;       // without its break
    [[nodiscard]] bool LineEndsWithHardBreak(int line) const;

    void SelectLine(int line);
    void SetSelection(int start, int end);
    [[nodiscard]] std::pair<int, int> GetSelection() const;

    // Sets the selection's format unless it already has it throughout; with an empty
    // selection, the format of the next insertion. Joined to the previous edit, so styling
    // is never an undo step of its own.
    void ApplyStyle(const HighlightStyle& style);
    // Whether the range has the style throughout.
    [[nodiscard]] bool HasStyle(const QTextCursor& range, const HighlightStyle& style) const;
    // The same for a range of the text, leaving the caret and the selection alone.
    void ApplyStyleTo(const QTextCursor& range, const HighlightStyle& style);
    // Between these, every ApplyStyleTo is one change: joined to the last edit, or no undo step
    // at all when there is none, and the modified flag stays (a whole text restyled at once).
    void BeginRestyle();
    void EndRestyle();

    // The line-number gutter on the left, and the caret line shaded lightly.
    void ShowLineNumbers(bool on);
    [[nodiscard]] int GutterWidth() const;
    // Sizes the gutter for `blocks` lines ahead of an edit that leaves that many (resized after,
    // it would lay out again what the edit just laid out), until the count changes or this is
    // called with none.
    void FitGutterFor(std::optional<int> blocks);
    void PaintLineNumbers(QWidget& gutter, const QRect& area);
    // Wraps long lines on screen or not; in SavedBreaks mode the screen lines are the lines.
    void SetWrapMode(WrapMode mode);
    [[nodiscard]] bool ScreenLinesAreLines() const { return screenLines_; }
    // A document kept in an 8-bit code page takes only characters that the code page holds.
    void SetEncoding(TextEncoding encoding) { encoding_ = encoding; }
    [[nodiscard]] TextEncoding Encoding() const { return encoding_; }
    // Text as the document can hold it: unencodable characters become "?".
    [[nodiscard]] QString Storable(const QString& text) const;
    // Text as it may go in place of the selection: what the document can store.
    [[nodiscard]] QString Admit(const QString& text) const;
    // Every insertion of text passes here: the pending formats are finished first (an edit must
    // find them in place), and the text is admitted. Replaces `at`'s selection. Callers that
    // join several steps into one undo step open the edit block.
    using TextPiece = std::pair<QString, QTextCharFormat>;
    void Insert(QTextCursor& at, const std::vector<TextPiece>& pieces);
    void Insert(QTextCursor& at, const QString& text, const QTextCharFormat& format) {
        Insert(at, {{text, format}});
    }
    // Replaces the selection with styled runs ('\n' ends a line) as one undo step.
    void InsertRuns(const StyledText& runs);
    // The surface line that holds the caret: its text, its first Qt position and the caret's
    // column in it. Found from the caret's own block, so it costs the same in any document.
    struct CaretLineInfo {
        QString text;
        int start = 0;
        int column = 0;
    };
    [[nodiscard]] CaretLineInfo CaretLine() const;
    // Handlers of the window run before the surface's own; true means the key is consumed.
    std::function<bool(QKeyEvent*)> keyPressHook;
    // Run after the surface has handled the release or the press.
    std::function<void(QKeyEvent*)> keyReleaseHook;
    std::function<void(QMouseEvent*)> mousePressHook;
    // Text committed by an input method; true means the window typed it itself.
    std::function<bool(QInputMethodEvent*)> inputMethodHook;
    // Types text as the keyboard would (overwrite mode, undo merging), without the hooks.
    void TypeText(const QString& text);

    // Puts a document built away from the widget in place of the current one: filling a
    // document that no view lays out is several times faster.
    void AdoptDocument(QTextDocument* document);
    [[nodiscard]] static QTextDocument* NewDocument(QObject* parent);

    // Shows text whose runs carry formats: the whole text goes into a new document at once in
    // `formats[base]`, and the runs of other formats are applied after, the first screens at
    // once and the rest in short slices while the window is already usable, so that a big file
    // is on screen at once and never freezes the window (Qt formats 400,000 runs in about half
    // a second). Any edit, paste or save finishes the formatting first.
    struct FormatRun {
        int length;
        int format;
    };
    // `lineEnds` are the file's own ends of the lines, block by block, for the save.
    void LoadStyledText(const QString& text, const std::vector<FormatRun>& runs,
                        std::vector<QTextCharFormat> formats, int base,
                        const std::vector<LineEnd>& lineEnds = {});
    void FinishFormatting();
    // Shows styled runs (a sidecar's content), filling with the commonest style first.
    void LoadStyledRuns(const StyledText& runs, const HighlightStyle& fallback,
                        const std::vector<LineEnd>& lineEnds);
    void LoadStyledRuns(const FlatStyledText& styled, const HighlightStyle& fallback,
                        const std::vector<LineEnd>& lineEnds);

    // The text as Qt holds it (blocks end in U+2029), which the two below take apart by position
    // rather than copying every block's text.
    [[nodiscard]] QString RawText() const { return document()->toRawText(); }
    // The whole text as styled runs, '\n' between lines: the sidecar's content.
    [[nodiscard]] FlatStyledText StyledRuns(const QString& raw) const;
    // The lines as the surface breaks them: in saved-breaks mode, each wrapped screen line; the
    // last piece of each line carries the end the file gave it.
    [[nodiscard]] std::vector<SurfaceLine> Lines(const QString& raw) const;
    [[nodiscard]] bool FormattingPending() const { return pending_.Pending(); }

    // Lays out every block up to `block` (all when -1), so that wrapped lines are known.
    void EnsureLayout(int block = -1) const;

signals:
    // The text changed (typing, deleting, pasting, inserting); re-styling does not count.
    void Edited();
    // Text from elsewhere (a paste, a snippet) went in between these Qt positions: it is to be
    // styled as typed text is.
    void Inserted(int from, int to);

protected:
    void insertFromMimeData(const QMimeData* source) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    [[nodiscard]] int BlockLineCount(const QTextBlock& block) const;
    struct LineLocation {
        QTextBlock block;
        int indexInBlock = 0;
    };
    [[nodiscard]] LineLocation LocateLine(int line) const;
    void ConnectDocument();
    // Long paragraphs changed between `position` and `position + added` keep their shaped text.
    void KeepLongLayouts(int position, int added);
    // Counted for the saved-breaks mode only, where the screen lines are the lines.
    void EnsureLineCounts(int upToBlock = -1) const;
    ScreenLineCounts lineCounts_{*this};

    // Formats the pending runs until `until` (a position) is reached or time runs out.
    void FormatPending(QTextDocument* document, int until, qint64 budgetMs);
    void FormatSlice();
    PendingFormats pending_;
    QTimer* formatTimer_ = nullptr;
    bool screenLines_ = false;
    LineGutter* gutter_ = nullptr;
    void FitGutter();
    [[nodiscard]] int GutterWidth(int blocks) const;
    std::optional<int> gutterFor_; // the lines an edit under way leaves
    void ShadeCaretLine();
    bool restyling_ = false;
    struct RestyleBatch {
        QTextCursor cursor;
        bool wasModified = false;
        bool recorded = false;
    };
    std::optional<RestyleBatch> batch_;
    TextEncoding encoding_ = TextEncoding::Utf8;
};

} // namespace orvelt
