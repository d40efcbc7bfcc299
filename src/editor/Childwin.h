#pragma once

#include "core/CodePage.h"
#include "core/LineEnd.h"
#include "editor/BraceFlash.h"
#include "editor/CaretCompletion.h"
#include "editor/MyRich.h"
#include "editor/SourceContextMenu.h"
#include "editor/SourceFile.h"
#include "editor/SurfaceHighlighter.h"
#include "platform/Prompter.h"
#include "search/find/TextSearch.h"
#include "widgets/ChildWindow.h"

#include <QMenu>
#include <QTimer>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace orvelt {

class EscapePoller;
class OptionHolder;
struct GeneratedTable;

// TMDIChild: a source window. One TeX (or other text) file on the editor surface, with its
// sidecar. It reads its options from the holder and tells the main window what it shows by
// signals.
class TMDIChild : public ChildWindow {
    Q_OBJECT
public:
    struct Services {
        OptionHolder& options;
        Prompter& prompter;
        EscapePoller& escape;
        const QString& lastDir;          // where Save as starts
        const QString& programDirectory; // where the installed snippets are
    };
    explicit TMDIChild(Services services, QWidget* parent = nullptr);

    // Loads the file; with `untitledName`, as an untitled copy of it (New from template).
    // False when the window closed during creation (nothing to show).
    bool FormCreate(const QString& fileToOpen, const QString& untitledName = {});
    // An empty untitled document.
    void FormCreateUntitled(const QString& caption);
    // Text kept from an earlier run, as a modified document of that file (untitled when none).
    void FormCreateRecovered(const RecoveryCopy& copy, const QString& caption);

    TMyRichEdit* MainEdit;
    QMenu* PopupMenu1 = nullptr;
    QMenu* Scuts1 = nullptr;
    QTimer AutoSaveTimer;
    std::array<QTextCursor, 10> Bookmarks{}; // null when not dropped
    QString InsertMode = "INS";
    bool Loading = true;
    QString FileName;
    bool Modified = false;
    bool NeedsRehighlight = false;
    int CurrentRow = 1;
    [[nodiscard]] int CaretLine() const override { return CurrentRow; }
    std::uint16_t LastKeyDown = 0;
    char32_t LastCharTyped = U' ';

    [[nodiscard]] ChildKind Kind() const override { return ChildKind::Source; }
    [[nodiscard]] QString FileNameOf() const override { return FileName; }
    [[nodiscard]] bool IsModified() const override { return Modified; }
    [[nodiscard]] TextSnapshot Snapshot() override;

    // While a question or a long operation holds the autosave tick back.
    static constexpr int kAutoSaveRetry = 5'000;

    void SetModified(bool value);
    // The autosave period anew, from the options.
    void RestartAutoSave();
    // A modified named document is saved in place; any other keeps a recovery copy.
    void AutoSaveTimerTimer();
    void ShowRow(int row);
    // The caret's row in the status bar again, after a long operation's percentage.
    void ShowCaretRow() { ShowRow(CaretRow()); }
    // Selects line n (from 1) and shows it: 0 is the first line, past the end the last.
    void JumpToLine(int n);
    void ShowInsertMode();
    void FormActivate() override;
    void FormDeactivate() override;
    // Asks whether to reload a file another program changed since it was read or saved here.
    void CheckFileOnDisk() override;
    // Re-styles the caret line token by token.
    void RehighlightLine();
    // Refresh layout of a window without a file: every line styled anew in place, as the caret
    // line is; text, modified flag and undo history stay. Escape stops it.
    void RestyleAll();
    // Whether the file can be read again as opening reads it; says why not when it cannot.
    [[nodiscard]] bool CanReimport();
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

    bool SaveDocument() override;
    bool SaveDocumentAs() override;
    // Save as template or snippet: a copy of the window under a name chosen in `directory`;
    // the window edits that file from then on, without touching LastDir or the recent files.
    bool SaveAsCopyIn(const QString& directory);
    bool AskToSave() override;
    [[nodiscard]] QString SaveNote() const override { return saveNote_; }
    // Pastes a snippet file's highlighted text (its sidecar) at the caret, through the clipboard.
    void InsertSnippet(const QString& snippetFile);
    // Replaces the selection with a generated table, piece by piece in its styles, as one undo
    // step; Escape between two cells takes it all back. False when stopped.
    bool InsertTable(const GeneratedTable& table);
    // Replaces the selection with a palette's command in the TeX-commands style, as one undo
    // step, the caret after it and the keyboard back in the text.
    void InsertPaletteText(const QString& text);

    // Find and replace, in the text as the surface holds it (a line break one unit).
    // Selects the first match after the selection and shows it; false when there is none
    // before the end.
    bool FindNext(const TextSearch& search);
    // Whether the selection is a match of the search where it stands.
    [[nodiscard]] bool SelectionIsMatch(const TextSearch& search) const;
    // The selection's text replaced by `replacement` as the document can store it, its line
    // restyled; the caret after it.
    void ReplaceSelection(const QString& replacement);
    struct ReplaceAllPass {
        int began = 0; // the Qt position the pass started from
        int replaced = 0;
        bool stopped = false; // by Escape, keeping what was replaced
    };
    // One pass of Replace all, from the selection (its start when it is a match, else its end)
    // to the end of the text, as one undo step.
    ReplaceAllPass ReplaceAll(const TextSearch& search, const QString& replacement);
    // The pass after the end of the text: from its start to `until`, where the first pass
    // began, joined to the first pass's undo step when that replaced anything.
    ReplaceAllPass ReplaceAllBefore(const TextSearch& search, const QString& replacement, int until,
                                    bool joinPrevious);

    void EditUndo() override;
    void EditRedo() override;
    void EditCut() override;
    void EditCopy() override;
    void EditPaste() override;

    [[nodiscard]] TextEncoding Encoding() const { return encoding_; }
    [[nodiscard]] orvelt::LineEnd LineEnding() const { return lineEnd_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool MainEditKeyPress(QKeyEvent* event);
    bool MainEditKeyDown(QKeyEvent* event);
    // Line of the selection start, 1-based. Counting wrapped lines walks the document, so the
    // answer is kept until the text, the caret or the width changes: a typed character moves
    // the caret and is then released, and both show the row.
    [[nodiscard]] int CaretRow();
    // `specials`: whether source specials may go in (never into a template or snippet).
    bool SaveTo(const QString& fileName, bool specials = true);
    // Writes the document; the error, or empty.
    [[nodiscard]] QString Write(const QString& fileName, bool specials = true);
    [[nodiscard]] bool SoftBreakMarkerActive() const;
    void Prepare();
    // Options that open windows follow at once: wrapping, the gutter, the snippet keys.
    void ApplyOptions();
    void Finish();
    bool OpenFile(const QString& fileName);
    bool ShowFile();
    void Reload();
    void TakeName(const QString& name);
    // A file of this name: a .bib edited as text never wraps.
    void TakeFileKind(const QString& fileName);
    void ReportOpenError(const QString& reason);
    void ReportReadFailure(const SourceFile::ReadResult& read);
    // Replaces the matches (in order, not overlapping) as one edit, restyling each line they
    // touch once; Escape stops it between two replacements.
    ReplaceAllPass ReplaceMatches(const std::vector<TextMatch>& matches, const QString& replacement,
                                  bool joinPrevious);

    OptionHolder& options_;
    Prompter& prompter_;
    EscapePoller& escape_;
    const QString& lastDir_;
    const QString& programDirectory_;
    SourceFile* file_;
    SurfaceHighlighter highlighter_;
    BraceFlash braceFlash_;
    CaretCompletion completion_;
    SourceContextMenu* contextMenu_;
    struct RowAt {
        bool known = false; // cleared by every change of the text or its formats
        int position = -1;
        int width = -1;
        int row = 1;
    } rowAt_;
    TextEncoding encoding_ = TextEncoding::Utf8;
    orvelt::LineEnd lineEnd_ = LineEnd::Lf;
    bool bibFile_ = false; // a .bib edited as text never gets soft-break markers
    bool readOnly_ = false;
    bool checkingDisk_ = false;
    QString saveNote_;
    bool autoSaveFailureShown_ = false; // the error box comes once per window
};

} // namespace orvelt
