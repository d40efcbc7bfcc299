#include "bib/fbibchild.h"

#include "bib/BibCellEdit.h"
#include "bib/BibTreeModel.h"
#include "bib/bibtex/BibReader.h"
#include "bib/bibtex/BibWriter.h"
#include "bib/edit/BibFileText.h"
#include "bib/edit/EntryConversion.h"
#include "bib/edit/SaveCheck.h"
#include "platform/BusyCursor.h"
#include "platform/FileIo.h"
#include "platform/Prompter.h"
#include "platform/SaveName.h"
#include "widgets/PanelSplitter.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QTableWidget>
#include <QTreeView>
#include <cerrno>
#include <cstring>

namespace orvelt {
namespace {

constexpr int kNameColumnWidth = 80;
constexpr int kRowHeight = 18;

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

} // namespace

TBIBChild::TBIBChild(Services services, QWidget* parent)
    : ChildWindow(parent), prompter_(services.prompter), lastDir_(services.lastDir) {
    setObjectName("BIBChild");
    resize(526, 376);
    Model = new BibTreeModel(database_, this);
    TreeView = new QTreeView(this);
    TreeView->setObjectName("TreeView");
    TreeView->setModel(Model);
    TreeView->setHeaderHidden(true);
    TreeView->setUniformRowHeights(true);
    TreeView->setIndentation(19);
    TreeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView->setSelectionMode(QAbstractItemView::SingleSelection);
    TreeView->setDragDropMode(QAbstractItemView::DragDrop);
    TreeView->setDefaultDropAction(Qt::CopyAction);
    // A drop lands on the node under the point, never between nodes.
    TreeView->setDragDropOverwriteMode(true);
    TreeView->setContextMenuPolicy(Qt::CustomContextMenu);
    TreeView->setFixedWidth(kTreeWidth);
    TreeView->installEventFilter(this);

    SizePanel = new PanelSplitter(TreeView, this);
    SizePanel->setObjectName("SizePanel");
    connect(SizePanel, &PanelSplitter::Dragged, this, [this](int width) {
        treeWidth_ = width;
        AdjustColumns();
    });

    EditGrid = new QTableWidget(0, 2, this);
    EditGrid->setObjectName("EditGrid");
    EditGrid->horizontalHeader()->hide();
    EditGrid->verticalHeader()->hide();
    EditGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    EditGrid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    EditGrid->setShowGrid(true);
    EditGrid->setColumnWidth(0, kNameColumnWidth);
    EditGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    EditGrid->setSelectionMode(QAbstractItemView::NoSelection);
    EditGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    EditGrid->installEventFilter(this);
    EditGrid->hide();

    PopupMenu1 = new QMenu(this);
    New1 = PopupMenu1->addAction("&New");
    Delete1 = PopupMenu1->addAction("&Delete");
    connect(New1, &QAction::triggered, this, &TBIBChild::New1Click);
    connect(Delete1, &QAction::triggered, this, &TBIBChild::Delete1Click);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(TreeView);
    row->addWidget(SizePanel);
    row->addWidget(EditGrid, 1);
    row->addStretch(0);

    connect(TreeView->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { TreeViewChange(current); });
    connect(TreeView, &QWidget::customContextMenuRequested, this, &TBIBChild::TreeViewContextMenu);
    // The copy asks its questions once the drag is over: a dialog inside a drop would run
    // while the drag still holds the mouse.
    connect(Model, &BibTreeModel::Dropped, this, &TBIBChild::TreeViewDragDrop,
            Qt::QueuedConnection);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (old && EditGrid->isAncestorOf(old) && !(now && EditGrid->isAncestorOf(now)))
            EditGridExit();
    });
}

TBIBChild::~TBIBChild() = default;

// ---- Creating ----

TBIBChild::ReadFile TBIBChild::Read(const QString& fileName) {
    ReadFile read;
    std::string bytes;
    if (QFileInfo(fileName).isDir()) {
        read.error = QString::fromLocal8Bit(std::strerror(EISDIR));
        return read;
    }
    FileResult result = ReadFileBytes(fileName, bytes);
    if (!result.ok) {
        read.error = result.error;
        return read;
    }
    BibFileText text = DecodeBibFile(bytes);
    read.ok = true;
    read.utf8 = std::move(text.Utf8);
    read.encoding = text.Encoding;
    return read;
}

void TBIBChild::ReportOpenError(const QString& fileName, const QString& reason) {
    QString text = "An error occured while opening '" + NamePartOf(fileName) + "'.";
    if (!reason.isEmpty())
        text += "\n" + reason;
    prompter_.Message(MessageKind::Error, MessageButtons::Ok, text);
}

bool TBIBChild::FormCreate(const QString& fileToOpen) {
    Loading = true;
    FileName = fileToOpen;
    setWindowTitle(FileName);
    ReadFile read = Read(FileName);
    if (!read.ok) {
        ReportOpenError(FileName, read.error);
        return false;
    }
    encoding_ = read.encoding;
    stamp_ = StampOfFile(FileName);
    BibReadResult result = orvelt::ReadBIB(read.utf8);
    if (result.Report.DroppedTextBytes > 0)
        emit TransientText(
            QStringLiteral("Comments and text between entries (%1 bytes) are not kept on saving.")
                .arg(result.Report.DroppedTextBytes));
    Show(std::move(result.Database));
    SetModified(false);
    Loading = false;
    return true;
}

void TBIBChild::FormCreateUntitled(const QString& caption) {
    Loading = true;
    FileName.clear();
    setWindowTitle(caption);
    Show(BibDatabase{});
    SetModified(false);
    Loading = false;
}

void TBIBChild::FormCreateRecovered(const RecoveryCopy& copy, const QString& caption) {
    Loading = true;
    FileName = QString::fromStdString(copy.fileName);
    setWindowTitle(FileName.isEmpty() ? caption : FileName);
    encoding_ = copy.encoding;
    // Saving compares the file with what it is now: the user chose this text over it.
    stamp_ = FileName.isEmpty() ? std::nullopt : StampOfFile(FileName);
    BibDatabase database = orvelt::ReadBIB(copy.text).Database;
    database.LineEnding = copy.lineEnd;
    Show(std::move(database));
    Loading = false;
    SetModified(true);
}

void TBIBChild::Show(BibDatabase database) {
    CurrentNode = QPersistentModelIndex();
    Model->BeginReset();
    database_ = std::move(database);
    Model->EndReset();
    TreeView->setCurrentIndex(Model->CategoryIndex(0));
    EditGrid->hide();
}

bool TBIBChild::ImportBIB(const QString& fileName) {
    ReadFile read = Read(fileName);
    if (!read.ok) {
        ReportOpenError(fileName, read.error);
        return false;
    }
    GridToEntry();
    // The entries keep their addresses: the node shown is found again after the import.
    const int type = BibTreeModel::TypeOf(CurrentNode);
    const BibEntry* shown = Model->EntryOf(CurrentNode);
    CurrentNode = QPersistentModelIndex();
    Model->BeginReset();
    const BibReadReport report = orvelt::ImportBIB(database_, read.utf8);
    Model->EndReset();
    const QModelIndex again = shown ? Model->EntryIndex(type, shown) : QModelIndex();
    TreeView->setCurrentIndex(again.isValid() ? again : Model->CategoryIndex(std::max(type, 0)));
    if (report.DroppedTextBytes > 0)
        emit TransientText(
            QStringLiteral("Comments and text between entries (%1 bytes) are not kept on saving.")
                .arg(report.DroppedTextBytes));
    SetModified(true);
    emit ContentChanged();
    return true;
}

// ---- State ----

void TBIBChild::SetModified(bool value) {
    const bool changed = Modified != value;
    Modified = value;
    if (changed || !value)
        emit ModifiedChanged(value);
}

TextSnapshot TBIBChild::Snapshot() {
    GridToEntry(); // what was just typed too
    const LineEnd lineEnd = database_.LineEnding;
    database_.LineEnding = LineEnd::Lf;
    TextSnapshot snapshot{QString::fromStdString(orvelt::WriteBIB(database_)), false, encoding_,
                          lineEnd};
    database_.LineEnding = lineEnd;
    return snapshot;
}

// ---- The tree and the grid ----

void TBIBChild::TreeViewChange(const QModelIndex& node) {
    LeaveEntry();
    CurrentNode = node;
    EntryToGrid();
    AdjustColumns();
}

void TBIBChild::LeaveEntry() {
    BibEntry* entry = Model->EntryOf(CurrentNode);
    if (!entry)
        return;
    GridToEntry();
    const std::string caption = EntryCaption(entry->Data);
    if (caption != entry->Caption) {
        entry->Caption = caption;
        Model->CaptionChanged(CurrentNode);
    }
    Model->SortCategory(BibTreeModel::TypeOf(CurrentNode));
}

void TBIBChild::EditGridExit() {
    // The grid already shows the entry: refilling it here would delete the cell that is
    // losing the focus, in the middle of its focus change.
    if (!filling_)
        LeaveEntry();
}

std::vector<GridRow> TBIBChild::GridRowsNow() const {
    std::vector<GridRow> rows = shownRows_;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const int r = static_cast<int>(row);
        if (abbreviationRows_)
            if (auto* name = qobject_cast<QLineEdit*>(EditGrid->cellWidget(r, 0)))
                rows[row].Name = name->text().toStdString();
        if (auto* value = qobject_cast<QLineEdit*>(EditGrid->cellWidget(r, 1)))
            rows[row].Value = value->text().toStdString();
    }
    return rows;
}

void TBIBChild::GridToEntry() {
    BibEntry* entry = Model->EntryOf(CurrentNode);
    if (!entry)
        return;
    std::vector<GridRow> edited = GridRowsNow();
    RowsToEntry(*entry, shownRows_, edited);
    shownRows_ = std::move(edited);
}

void TBIBChild::EntryToGrid() {
    shownRows_.clear();
    const BibEntry* entry = Model->EntryOf(CurrentNode);
    const UnknownEntry* other = Model->UnknownOf(CurrentNode);
    if (!entry && !other) {
        EditGrid->hide();
        EditGrid->setRowCount(0);
        return;
    }
    const bool refocus = EditGrid->isAncestorOf(QApplication::focusWidget());
    filling_ = true;
    const auto filled = qScopeGuard([this] { filling_ = false; });
    if (other) {
        // Kept as its text, shown whole and not edited.
        EditGrid->setRowCount(0);
        EditGrid->setRowCount(1);
        EditGrid->setItem(0, 0, new QTableWidgetItem(Text("@" + other->Type)));
        EditGrid->item(0, 0)->setFlags(Qt::ItemIsEnabled);
        auto* text = new QPlainTextEdit(Text(other->Text));
        text->setReadOnly(true);
        text->setFrameShape(QFrame::NoFrame);
        EditGrid->setCellWidget(0, 1, text);
        EditGrid->setRowHeight(0, std::max(kRowHeight, EditGrid->viewport()->height()));
        EditGrid->show();
        return;
    }
    const int type = BibTreeModel::TypeOf(CurrentNode);
    abbreviationRows_ = type == StringType;
    shownRows_ = EntryRows(*entry);
    const auto pairs = static_cast<std::size_t>(entry->Data.FieldCount);
    // A fresh grid per entry: the rows' widgets are few, and none keeps another entry's state.
    EditGrid->setRowCount(0);
    EditGrid->setRowCount(static_cast<int>(shownRows_.size()));
    const auto makeCell = [this](const std::string& text) {
        auto* cell = new BibCellEdit(encoding_, EditGrid);
        cell->setText(Text(text));
        cell->setCursorPosition(0);
        connect(cell, &QLineEdit::textEdited, this, [this] {
            SetModified(true);
            emit ContentChanged();
        });
        connect(cell, &BibCellEdit::MoveRows, this, [this, cell](int by) { MoveInGrid(cell, by); });
        return cell;
    };
    for (std::size_t row = 0; row < shownRows_.size(); ++row) {
        const int r = static_cast<int>(row);
        if (abbreviationRows_) {
            EditGrid->setCellWidget(r, 0, makeCell(shownRows_[row].Name));
        } else {
            auto* name = new QTableWidgetItem(Text(shownRows_[row].Name));
            name->setFlags(Qt::ItemIsEnabled);
            if (row >= pairs)
                name->setForeground(Qt::gray); // kept beyond the type's table
            EditGrid->setItem(r, 0, name);
        }
        EditGrid->setCellWidget(r, 1, makeCell(shownRows_[row].Value));
    }
    EditGrid->show();
    if (refocus)
        if (QWidget* first = EditGrid->cellWidget(0, 1))
            first->setFocus();
}

void TBIBChild::MoveInGrid(QWidget* from, int by) {
    for (int row = 0; row < EditGrid->rowCount(); ++row) {
        for (int column = 0; column < 2; ++column) {
            if (EditGrid->cellWidget(row, column) != from)
                continue;
            if (QWidget* to = EditGrid->cellWidget(row + by, column)) {
                to->setFocus();
                EditGrid->scrollTo(EditGrid->model()->index(row + by, column));
            }
            return;
        }
    }
}

void TBIBChild::AdjustColumns() {
    EditGrid->setColumnWidth(0, kNameColumnWidth);
    EditGrid->setColumnWidth(1, std::max(0, EditGrid->viewport()->width() - kNameColumnWidth));
}

void TBIBChild::resizeEvent(QResizeEvent* event) {
    ChildWindow::resizeEvent(event);
    // Both sides stay visible: the tree gives way to the grid's room while the window is
    // narrow, and takes its width back when it widens.
    const int widest = width() - SizePanel->width() - PanelSplitter::kRoomBeside;
    TreeView->setFixedWidth(std::max(PanelSplitter::kMinimum, std::min(treeWidth_, widest)));
    AdjustColumns();
}

bool TBIBChild::eventFilter(QObject* watched, QEvent* event) {
    if (watched == TreeView && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        Delete1Click();
        return true;
    }
    if (watched == EditGrid && event->type() == QEvent::Resize)
        AdjustColumns();
    return ChildWindow::eventFilter(watched, event);
}

void TBIBChild::TreeViewContextMenu(const QPoint& at) {
    const QModelIndex node = TreeView->indexAt(at);
    if (!node.isValid())
        return;
    TreeView->setCurrentIndex(node); // the menu acts on the node clicked
    New1->setEnabled(BibTreeModel::IsCategory(node) && BibTreeModel::TypeOf(node) < EntryTypeCount);
    Delete1->setEnabled(Model->EntryOf(node) != nullptr);
    PopupMenu1->exec(TreeView->viewport()->mapToGlobal(at));
}

void TBIBChild::New1Click() {
    const QModelIndex node = TreeView->currentIndex();
    const int type = BibTreeModel::TypeOf(node);
    if (!BibTreeModel::IsCategory(node) || type < 0 || type >= EntryTypeCount)
        return;
    SetModified(true);
    BibEntry entry;
    (void)InitEntry(entry.Data, EntryTypeNames[static_cast<std::size_t>(type)]);
    entry.Caption = "NONAME" + std::to_string(NewEntryCounter++);
    Model->AppendEntry(type, std::move(entry));
    TreeView->expand(node);
    emit ContentChanged();
}

void TBIBChild::Delete1Click() {
    const QModelIndex node = TreeView->currentIndex();
    if (!Model->EntryOf(node))
        return;
    if (prompter_.Message(MessageKind::Confirmation, MessageButtons::YesNo,
                          "Delete the current item?") != Answer::Yes)
        return;
    CurrentNode = QPersistentModelIndex(); // gone: nothing to write back
    Model->RemoveEntry(node);
    if (!CurrentNode.isValid())
        TreeViewChange(TreeView->currentIndex());
    SetModified(true);
    emit ContentChanged();
}

void TBIBChild::TreeViewDragDrop(int sourceType, const BibEntry* source, int targetType) {
    // The entry may have gone between the drop and now; a category is never a source.
    if (!source || !Model->EntryIndex(sourceType, source).isValid() || targetType < 0 ||
        targetType >= EntryTypeCount)
        return;
    GridToEntry(); // what was just typed goes with the copy
    SetModified(true);
    QStringList targetNames;
    for (const std::string_view name : EntryFieldTable[static_cast<std::size_t>(targetType)])
        targetNames.append(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    BibEntry copy = ConvertEntry(*source, targetType, [&](std::string_view name) {
        return prompter_.ChooseFromList(
            "Field conversion",
            "A field named " + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())) +
                "\ndoes not exist in the target category. Convert to:",
            targetNames, -1);
    });
    copy.Caption = "NONAME" + std::to_string(NewEntryCounter++);
    Model->AppendEntry(targetType, std::move(copy));
    TreeView->expand(Model->CategoryIndex(targetType));
    emit ContentChanged();
}

QLineEdit* TBIBChild::FocusedCell() const {
    auto* cell = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    return cell && EditGrid->isAncestorOf(cell) ? cell : nullptr;
}

void TBIBChild::EditUndo() {
    if (QLineEdit* cell = FocusedCell())
        cell->undo();
}

void TBIBChild::EditRedo() {
    if (QLineEdit* cell = FocusedCell())
        cell->redo();
}

void TBIBChild::EditCut() {
    if (QLineEdit* cell = FocusedCell())
        cell->cut();
}

void TBIBChild::EditCopy() {
    if (QLineEdit* cell = FocusedCell())
        cell->copy();
}

void TBIBChild::EditPaste() {
    if (QLineEdit* cell = FocusedCell())
        cell->paste();
}

// ---- Find ----

bool TBIBChild::FindNext(const TextSearch& search, bool fromStart) {
    // What was just typed is searched, and the entry is sorted into place before positions
    // are taken from it.
    LeaveEntry();
    const auto [from, position] =
        fromStart ? std::pair<BibCell, std::size_t>{BibCell{0, 0, 0, 0}, 0} : SearchStart();
    // The window's database always holds UTF-8, whatever the file's encoding.
    const std::optional<BibMatch> match =
        FindInBibliography(database_, TextEncoding::Utf8, search, from, position);
    if (!match)
        return false;
    ShowMatch(*match);
    return true;
}

std::pair<BibCell, std::size_t> TBIBChild::SearchStart() const {
    const QModelIndex node = CurrentNode;
    const int type = BibTreeModel::TypeOf(node);
    if (type < 0)
        return {BibCell{0, 0, 0, 0}, 0};
    if (BibTreeModel::IsCategory(node))
        return {BibCell{type, 0, 0, 0}, 0};
    const auto entry = static_cast<std::size_t>(node.row());
    // The window keeps the cell that last had the focus while a dialog has it.
    QWidget* focused = focusWidget();
    for (int row = 0; focused && row < EditGrid->rowCount(); ++row) {
        for (int column = 0; column < 2; ++column) {
            if (EditGrid->cellWidget(row, column) != focused)
                continue;
            std::size_t at = 0;
            if (auto* line = qobject_cast<QLineEdit*>(focused))
                at = static_cast<std::size_t>(line->hasSelectedText() ? line->selectionEnd()
                                                                      : line->cursorPosition());
            else if (auto* text = qobject_cast<QPlainTextEdit*>(focused))
                at = static_cast<std::size_t>(text->textCursor().selectionEnd());
            return {BibCell{type, entry, static_cast<std::size_t>(row), column}, at};
        }
    }
    return {BibCell{type, entry, 0, 0}, 0};
}

void TBIBChild::ShowMatch(const BibMatch& match) {
    const BibCell& cell = match.Cell;
    const QModelIndex node =
        Model->index(static_cast<int>(cell.Entry), 0, Model->CategoryIndex(cell.Category));
    // The normal selection step: the grid is written back and filled with the entry.
    TreeView->setCurrentIndex(node);
    TreeView->scrollTo(node);
    const int row = static_cast<int>(cell.Row);
    QWidget* widget = EditGrid->cellWidget(row, cell.Column);
    if (!widget)
        return;
    const auto start = static_cast<int>(match.Match.Position);
    const auto length = static_cast<int>(match.Match.Length);
    if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        line->setSelection(start, length);
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) {
        QTextCursor selection = text->textCursor();
        selection.setPosition(start);
        selection.setPosition(start + length, QTextCursor::KeepAnchor);
        text->setTextCursor(selection);
        text->ensureCursorVisible();
    }
    EditGrid->setCurrentCell(row, cell.Column);
    EditGrid->scrollTo(EditGrid->model()->index(row, cell.Column));
    // Where the focus goes back to, and where the next search starts.
    widget->setFocus();
}

// ---- Saving ----

bool TBIBChild::ConfirmReadable() {
    const std::optional<UnreadablePart> part = FindUnreadablePart(database_);
    if (!part)
        return true;
    const BibEntry& entry = database_.Category(part->Type)[part->Index];
    if (prompter_.Message(MessageKind::Warning, MessageButtons::YesNo,
                          QStringLiteral("Entry \"%1\", field \"%2\": %3, so BibTeX will not "
                                         "read it back as it is.\nSave anyway?")
                              .arg(Text(entry.Caption), Text(part->Field), Text(part->Problem))) ==
        Answer::Yes)
        return true;
    TreeView->setCurrentIndex(Model->EntryIndex(part->Type, &entry));
    return false;
}

bool TBIBChild::WriteBIB(const QString& path) {
    emit StatusText("Saving...");
    FileResult written;
    {
        BusyCursor busy;
        written = WriteFileAtomically(path, EncodeBibFile(orvelt::WriteBIB(database_), encoding_));
    }
    if (!written.ok) {
        emit StatusText({});
        prompter_.Message(MessageKind::Error, MessageButtons::Ok,
                          "Error saving file " + path + "\n" + written.error);
        return false;
    }
    stamp_ = StampOfFile(path);
    asked_.reset();
    emit StatusText("File saved successfully.");
    SetModified(false);
    return true;
}

bool TBIBChild::WriteAndKeep(const QString& path) {
    GridToEntry();
    return ConfirmReadable() && WriteBIB(path);
}

bool TBIBChild::SaveDocument() {
    if (FileName.isEmpty())
        return SaveDocumentAs();
    GridToEntry();
    // Never over another program's change without asking.
    if (stamp_ && StampOfFile(FileName) != stamp_ &&
        !MaySaveOverOutsideChange(prompter_, [this] { Reload(); }))
        return false;
    return WriteAndKeep(FileName);
}

bool TBIBChild::SaveDocumentAs() {
    GridToEntry();
    if (!ConfirmReadable())
        return false;
    const QString name = AskSaveName(prompter_, lastDir_, ".bib");
    // Renamed only once written: a failed write keeps the old name and the changes marked.
    if (name.isEmpty() || !WriteBIB(name))
        return false;
    TakeName(name);
    emit SavedAs(name);
    return true;
}

void TBIBChild::TakeName(const QString& name) {
    FileName = name;
    setWindowTitle(name);
    emit Renamed(name);
}

bool TBIBChild::AskToSave() {
    return AskToSaveWith(prompter_);
}

void TBIBChild::closeEvent(QCloseEvent* event) {
    GridToEntry();
    // A Yes whose save did not happen keeps the window: closing it would lose the edits.
    if (Modified && !Loading && !AskToSave()) {
        event->ignore();
        return;
    }
    if (!Loading)
        emit Closed(this);
    SetModified(false);
    event->accept();
}

void TBIBChild::CheckFileOnDisk() {
    if (Loading || FileName.isEmpty() || !stamp_)
        return;
    const std::optional<FileStamp> now = StampOfFile(FileName);
    if (now == stamp_ || now == asked_ || !now)
        return;
    asked_ = now; // asked once; the next save asks again before it writes
    if (AskReloadWith(prompter_, MessageButtons::YesNo) == Answer::Yes)
        Reload();
}

void TBIBChild::Reload() {
    ReadFile read = Read(FileName);
    if (!read.ok) {
        ReportOpenError(FileName, read.error);
        return;
    }
    Loading = true;
    encoding_ = read.encoding;
    stamp_ = StampOfFile(FileName);
    asked_.reset();
    Show(orvelt::ReadBIB(read.utf8).Database);
    Loading = false;
    SetModified(false);
}

} // namespace orvelt
