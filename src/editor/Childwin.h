#pragma once

#include "core/CodePage.h"
#include "core/LineEnd.h"
#include "editor/MyRich.h"
#include "editor/files/RtfCodec.h"

#include <QMenu>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>

namespace orvelt {

class TMainForm;

// A source window: one TeX (or other text) file on the editor surface, with its sidecar.
class TMDIChild : public QWidget {
    Q_OBJECT
public:
    explicit TMDIChild(TMainForm& main, QWidget* parent = nullptr);

    // Loads FileToOpen; false when the window closed during creation (nothing to show).
    bool FormCreate(const QString& fileToOpen);

    TMyRichEdit* MainEdit = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QMenu* Scuts1 = nullptr;
    QTimer AutoSaveTimer;
    std::array<int, 10> Bookmarks{};
    QString InsertMode = "INS";
    int LastTextLength = 0;
    bool Loading = true;
    QString FileName;
    bool Modified = false;
    bool NeedsRehighlight = false;
    int CurrentRow = 1;
    std::uint16_t LastKeyDown = 0;
    char32_t LastCharTyped = U' ';

    void SetModified(bool value);
    void ShowRow(int row);
    void ShowInsertMode();
    void FormActivate();
    void FormDeactivate();
    // Re-styles the caret line token by token.
    void RehighlightLine();
    void ApplyStyle(StyleKind kind);

    void DropBookmark(int digit);
    void GotoBookmark(int digit);
    // Ctrl+Enter: completes the command at the caret from the keyword list and closes a
    // \begin{name} of the caret line with an \end{name} line.
    void CompleteCommand();
    // Ctrl+F1: the command at the caret, looked up in the LaTeX help.
    void ContextHelp();
    // Also run by activation, with no key (null).
    void MainEditKeyUp(QKeyEvent* event);

    // Saves under FileName (asking for one when untitled); false when nothing was saved.
    bool SaveDocument();
    bool SaveDocumentAs();
    // Save as template or snippet: a copy of the window under a name chosen in `directory`;
    // the window edits that file from then on, without touching LastDir or the recent files.
    bool SaveAsCopyIn(const QString& directory);
    // Replaces the selection with styled text (a snippet), as one undo step.
    void InsertStyledText(const std::vector<StyledRun>& runs);
    // "Save %s ?": true when the window may go (saved, or No).
    bool AskToSave();

    // Whether the sidecar belongs to the source: their packed DOS times differ by < 161.
    [[nodiscard]] static bool SidecarIsCurrent(const QString& fileName);
    [[nodiscard]] TextEncoding Encoding() const { return encoding_; }
    [[nodiscard]] orvelt::LineEnd LineEnding() const { return lineEnd_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool MainEditKeyPress(QKeyEvent* event);
    bool MainEditKeyDown(QKeyEvent* event);
    void MainEditMouseDown(QMouseEvent* event);
    [[nodiscard]] std::optional<char32_t> TypedCharacter(const QKeyEvent& event) const;
    void ShowMatchingBrace();
    // Line of the selection start, 1-based. Counting wrapped lines walks the document, so the
    // answer is kept until the text, the caret or the width changes: a typed character moves
    // the caret and is then released, and both show the row.
    [[nodiscard]] int CaretRow();
    void MarkBrace();
    void BusyWait(int ms);
    // Restyles the token before the caret and types c with its format, as one undo step;
    // false when the surface is to insert c itself.
    bool HighlightTyped(char32_t c, const QString& typed);
    enum class ImportOutcome { Done, Aborted, OpenError };
    ImportOutcome ImportSource();
    bool LoadSidecar();
    void TakeSourceConventions();
    // Both read the document's raw text (blocks end in U+2029) by Qt positions, which spares
    // a copy of every block's text.
    bool WriteSidecar(const QString& fileName, const QString& raw);
    bool WriteSourceFile(const QString& fileName, const QString& raw);
    bool SaveTo(const QString& fileName);
    [[nodiscard]] QString ChooseSaveName(const QString& directory);
    [[nodiscard]] bool SoftBreakMarkerActive(const QString& fileName) const;
    void ReportOpenError();
    void FillSnippetMenu();

    TMainForm& main_;
    struct RowAt {
        bool known = false; // cleared by every change of the text or its formats
        int position = -1;
        int width = -1;
        int row = 1;
    } rowAt_;
    TextEncoding encoding_ = TextEncoding::Utf8;
    orvelt::LineEnd lineEnd_ = LineEnd::Lf;
};

} // namespace orvelt
