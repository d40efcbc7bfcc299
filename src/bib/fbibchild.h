#pragma once

#include "bib/bibtex/BibDatabase.h"
#include "bib/edit/GridRows.h"
#include "core/CodePage.h"
#include "platform/FileStamp.h"
#include "search/find/BibSearch.h"
#include "widgets/ChildWindow.h"

#include <QPersistentModelIndex>
#include <optional>
#include <utility>
#include <vector>

class QAction;
class QLineEdit;
class QMenu;
class QTableWidget;
class QTreeView;

namespace orvelt {

class BibTreeModel;
class PanelSplitter;
class Prompter;

// TBIBChild: a bibliography window. A BibTeX database as a tree of entries by type and a grid
// of the selected entry's fields, which is where the user edits; the tree and the grid are
// views over the database the window holds, and saving writes the database.
class TBIBChild : public ChildWindow {
    Q_OBJECT
public:
    struct Services {
        Prompter& prompter;
        const QString& lastDir; // where Save as starts
    };
    static constexpr int kTreeWidth = 173;

    explicit TBIBChild(Services services, QWidget* parent = nullptr);
    ~TBIBChild() override;

    // Reads the file; false, having said why, when it cannot be read (no window then).
    bool FormCreate(const QString& fileToOpen);
    // An empty untitled bibliography.
    void FormCreateUntitled(const QString& caption);
    // Text kept from an earlier run, as a modified bibliography of its file (untitled when none).
    void FormCreateRecovered(const RecoveryCopy& copy, const QString& caption);
    // Adds the entries of another file; false, having said why, when it cannot be read.
    bool ImportBIB(const QString& fileName);

    [[nodiscard]] ChildKind Kind() const override { return ChildKind::Bibliography; }
    [[nodiscard]] QString FileNameOf() const override { return FileName; }
    [[nodiscard]] bool IsModified() const override { return Modified; }
    [[nodiscard]] TextSnapshot Snapshot() override;
    [[nodiscard]] const BibDatabase& Database() const { return database_; }
    [[nodiscard]] TextEncoding Encoding() const { return encoding_; }

    bool SaveDocument() override;
    bool SaveDocumentAs() override;
    bool AskToSave() override;
    void CheckFileOnDisk() override;
    void EditUndo() override;
    void EditRedo() override;
    void EditCut() override;
    void EditCopy() override;
    void EditPaste() override;

    // Find: the first match after the current one (the selection of the cell that has or last
    // had the focus), else after that cell's caret, else from the start of the selected entry or
    // category; with `fromStart`, from the first entry. A match selects its entry, makes its
    // field the current cell and selects the text there. False when there is none.
    bool FindNext(const TextSearch& search, bool fromStart);

    void SetModified(bool value);
    // Writes the database to `path`; on success the window is clean.
    bool WriteBIB(const QString& path);
    // The grid's text into the current entry, and the current entry into the grid.
    void GridToEntry();
    void EntryToGrid();
    void AdjustColumns();
    void TreeViewChange(const QModelIndex& node);
    // The grid into the current entry, its caption anew and its category sorted.
    void LeaveEntry();
    void EditGridExit();
    void New1Click();
    void Delete1Click();
    void TreeViewDragDrop(int sourceType, const BibEntry* source, int targetType);

    QTreeView* TreeView;
    PanelSplitter* SizePanel;
    QTableWidget* EditGrid;
    QMenu* PopupMenu1;
    QAction* New1;
    QAction* Delete1;
    BibTreeModel* Model;

    QString FileName;
    bool Modified = false;
    bool Loading = true;
    int NewEntryCounter = 1;
    QPersistentModelIndex CurrentNode; // the node the grid shows

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct ReadFile {
        bool ok = false;
        QString error;
        std::string utf8;
        TextEncoding encoding = TextEncoding::Utf8;
    };
    [[nodiscard]] static ReadFile Read(const QString& fileName);
    void ReportOpenError(const QString& fileName, const QString& reason);
    // Replaces the database, the tree showing its first category.
    void Show(BibDatabase database);
    void Reload();
    [[nodiscard]] bool ConfirmReadable();
    [[nodiscard]] bool WriteAndKeep(const QString& path);
    void TakeName(const QString& name);
    void TreeViewContextMenu(const QPoint& at);
    void MoveInGrid(QWidget* from, int by);
    // The edits of the current entry's rows, as the grid holds them.
    [[nodiscard]] std::vector<GridRow> GridRowsNow() const;
    [[nodiscard]] QLineEdit* FocusedCell() const;
    // Where Find goes on from: a cell and a position in its text.
    [[nodiscard]] std::pair<BibCell, std::size_t> SearchStart() const;
    void ShowMatch(const BibMatch& match);

    Prompter& prompter_;
    const QString& lastDir_;
    BibDatabase database_;
    TextEncoding encoding_ = TextEncoding::Utf8;
    std::vector<GridRow> shownRows_; // what EntryToGrid put in the grid
    bool abbreviationRows_ = false;  // the grid's names are editable
    bool filling_ = false;           // EntryToGrid is replacing the cells
    int treeWidth_ = kTreeWidth;     // as the user left it
    std::optional<FileStamp> stamp_; // the file as read or last written here
    std::optional<FileStamp> asked_; // a change on disk the user already answered
};

} // namespace orvelt
