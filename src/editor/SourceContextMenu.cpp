#include "editor/SourceContextMenu.h"

#include "editor/MyRich.h"
#include "editor/files/RtfCodec.h"
#include "options/values/SnippetTable.h"
#include "platform/DataFolders.h"
#include "platform/FileIo.h"
#include "platform/KeyText.h"
#include "platform/Prompter.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <algorithm>

namespace orvelt {

SourceContextMenu::SourceContextMenu(TMyRichEdit& surface, Prompter& prompter, QWidget* window)
    : QObject(window), surface_(surface), prompter_(prompter), window_(window),
      menu_(new QMenu(window)) {
    undo_ = menu_->addAction("&Undo", QKeySequence::Undo, &surface_, [this] {
        surface_.FinishFormatting();
        surface_.undo();
    });
    redo_ = menu_->addAction("&Redo", QKeySequence::Redo, &surface_, [this] {
        surface_.FinishFormatting();
        surface_.redo();
    });
    menu_->addSeparator();
    cut_ = menu_->addAction("Cu&t", QKeySequence::Cut, &surface_, [this] {
        surface_.FinishFormatting();
        surface_.cut();
    });
    copy_ = menu_->addAction("&Copy", QKeySequence::Copy, &surface_, [this] { surface_.copy(); });
    paste_ = menu_->addAction("&Paste", QKeySequence::Paste, &surface_, [this] {
        surface_.FinishFormatting();
        surface_.paste();
    });
    menu_->addSeparator();
    menu_->addAction("Select &All", QKeySequence::SelectAll, &surface_,
                     [this] { surface_.selectAll(); });
    menu_->addSeparator();
    snippets_ = menu_->addMenu("Shortcuts");
    // The keys shown are the window's own; only the menu's items act here, the keys go on
    // through the window as they always do.
    for (QAction* action : menu_->actions())
        action->setShortcutContext(Qt::WidgetShortcut);
    surface_.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&surface_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        EnableEditing();
        menu_->popup(surface_.mapToGlobal(at));
    });
}

void SourceContextMenu::EnableEditing() {
    const bool writable = !surface_.isReadOnly();
    const bool selected = surface_.textCursor().hasSelection();
    undo_->setEnabled(writable && surface_.document()->isUndoAvailable());
    redo_->setEnabled(writable && surface_.document()->isRedoAvailable());
    cut_->setEnabled(writable && selected);
    copy_->setEnabled(selected);
    paste_->setEnabled(writable && surface_.canPaste());
}

void SourceContextMenu::Fill(const std::vector<SnippetKey>& keys,
                             const std::set<std::string, std::less<>>& occupied,
                             const QString& programDirectory) {
    for (QAction* item : snippets_->actions())
        window_->removeAction(item);
    snippets_->clear();
    // Every snippet file of the folders, and those elsewhere that have a key.
    std::vector<DataFile> files = DataFiles(programDirectory, "Shortcut");
    for (const SnippetKey& key : keys) {
        const QString file = QString::fromStdString(key.file);
        if (file.isEmpty())
            continue; // an empty row makes no item
        if (std::none_of(files.begin(), files.end(),
                         [&](const DataFile& known) { return known.path == file; }))
            files.push_back({NamePartOf(file), file});
    }
    const std::vector<bool> holders = SnippetKeyHolders(keys, occupied);
    for (const DataFile& file : files) {
        QAction* item = snippets_->addAction(file.name);
        item->setStatusTip(file.path);
        // Two rows may name one file with two keys: both insert it.
        QList<QKeySequence> held;
        for (std::size_t i = 0; i < keys.size(); ++i)
            if (holders[i] && QString::fromStdString(keys[i].file) == file.path)
                held.append(SequenceOfKeyText(WriteKeyValue(keys[i].key)));
        item->setShortcuts(held);
        item->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(item, &QAction::triggered, this, [this, path = file.path] { InsertSnippet(path); });
        window_->addAction(item); // so that its key works while the window has the focus
    }
    snippets_->setEnabled(!files.empty());
}

void SourceContextMenu::InsertSnippet(const QString& snippetFile) {
    if (snippetFile.isEmpty())
        return;
    const QString sidecar = snippetFile + ".orv";
    std::string bytes;
    RtfReadResult rtf;
    if (ReadFileBytes(sidecar, bytes).ok)
        rtf = ReadRtf(bytes);
    if (!rtf.ok) {
        prompter_.Message(MessageKind::Error, MessageButtons::Ok,
                          "Error opening file: " + sidecar + ".");
        return;
    }
    // The snippet passes through the clipboard, as it always has: it stays there afterwards.
    QString plain;
    for (const StyledRun& run : rtf.runs)
        plain += QString::fromStdU16String(run.text);
    QApplication::clipboard()->setText(plain);
    surface_.InsertRuns(rtf.runs);
    emit Inserted();
}

} // namespace orvelt
