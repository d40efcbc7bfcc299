#pragma once

#include "editor/CodePage.h"
#include "editor/MyRich.h"
#include "editor/RtfCodec.h"

#include <QMenu>
#include <QTimer>
#include <QWidget>

#include <array>

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

    void SetModified(bool value);
    void ShowRow(int row);
    void ShowInsertMode();
    void FormActivate();
    void FormDeactivate();
    // Re-styles the caret line token by token.
    void RehighlightLine();
    void ApplyStyle(StyleKind kind);

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
    [[nodiscard]] const std::string& LineEnd() const { return lineEnd_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool MainEditKeyPress(QKeyEvent* event);
    // Restyles the token before the caret and types c with its format, as one undo step;
    // false when the surface is to insert c itself.
    bool HighlightTyped(char32_t c, const QString& typed);
    enum class ImportOutcome { Done, Aborted, OpenError };
    ImportOutcome ImportSource();
    bool LoadSidecar();
    void TakeSourceConventions();
    bool WriteSidecar(const QString& fileName);
    bool WriteSourceFile(const QString& fileName);
    bool SaveTo(const QString& fileName);
    [[nodiscard]] QString ChooseSaveName(const QString& directory);
    [[nodiscard]] bool SoftBreakMarkerActive(const QString& fileName) const;
    void ReportOpenError();
    void FillSnippetMenu();

    TMainForm& main_;
    TextEncoding encoding_ = TextEncoding::Utf8;
    std::string lineEnd_ = "\n";
};

} // namespace orvelt
