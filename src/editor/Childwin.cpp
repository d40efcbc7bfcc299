#include "editor/Childwin.h"

#include "editor/SourceFile.h"
#include "editor/VirtualKeys.h"
#include "editor/keys/BraceSearch.h"
#include "editor/keys/KeyDownPlan.h"
#include "insert/table/TableGenerator.h"
#include "options/OptionHolder.h"
#include "platform/BusyCursor.h"
#include "platform/EscapePoller.h"
#include "platform/FileIo.h"
#include "platform/Prompter.h"
#include "platform/SaveName.h"
#include "platform/StyleFormat.h"
#include "platform/TextView.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>
#include <algorithm>

namespace orvelt {

TMDIChild::TMDIChild(Services services, QWidget* parent)
    : ChildWindow(parent), MainEdit(new TMyRichEdit(this)), options_(services.options),
      prompter_(services.prompter), escape_(services.escape), lastDir_(services.lastDir),
      programDirectory_(services.programDirectory),
      file_(new SourceFile(services.options, services.escape, this)),
      highlighter_(*MainEdit, services.options), braceFlash_(*MainEdit, services.escape),
      completion_(*MainEdit, services.options, highlighter_),
      contextMenu_(new SourceContextMenu(*MainEdit, services.prompter, this)) {
    setObjectName("MDIChild");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(MainEdit);
    PopupMenu1 = contextMenu_->Menu();
    Scuts1 = contextMenu_->Snippets();
    connect(contextMenu_, &SourceContextMenu::Inserted, this, [this] { SetModified(true); });
    connect(MainEdit, &TMyRichEdit::Edited, this, [this] {
        if (!Loading && !Modified)
            SetModified(true);
    });
    // One Qt key event is both the key-down and the character it types.
    MainEdit->keyPressHook = [this](QKeyEvent* event) {
        return MainEditKeyDown(event) || MainEditKeyPress(event);
    };
    MainEdit->keyReleaseHook = [this](QKeyEvent* event) { MainEditKeyUp(event); };
    MainEdit->mousePressHook = [this](QMouseEvent*) { ShowRow(CaretRow()); };
    // An umlaut composed with a dead key or an input method converts as a typed one does.
    MainEdit->inputMethodHook = [this](QInputMethodEvent* event) {
        const QList<uint> committed = event->commitString().toUcs4();
        if (MainEdit->isReadOnly() || !event->preeditString().isEmpty() || committed.size() != 1 ||
            !highlighter_.TypeConverted(committed.front(), options_.Values().convertKeys))
            return false;
        SetModified(true);
        NeedsRehighlight = true;
        return true;
    };
    // The surface's own signal: it follows the document that loading puts in place.
    connect(MainEdit, &QPlainTextEdit::textChanged, this, [this] {
        rowAt_.known = false;
        if (!Loading)
            emit ContentChanged();
    });
    connect(MainEdit, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (!Loading)
            ShowRow(CaretRow());
    });
    // Pasted text and snippets look like typed text at once: they stayed black, and were saved
    // with no font at all (size 0), which showed in a proportional face for good.
    connect(MainEdit, &TMyRichEdit::Inserted, this,
            [this](int from, int to) { highlighter_.RestyleLines(from, to); });
    connect(&options_, &OptionHolder::Changed, this, &TMDIChild::ApplyOptions);
    // Also when the options dialog closes: switching autosave on protects a window that is
    // modified already.
    connect(&options_, &OptionHolder::Changed, this, &TMDIChild::RestartAutoSave);
    connect(&AutoSaveTimer, &QTimer::timeout, this, &TMDIChild::AutoSaveTimerTimer);
    connect(file_, &SourceFile::StatusText, this, &ChildWindow::StatusText);
    connect(file_, &SourceFile::Progress, this, &ChildWindow::Progress);
}

void TMDIChild::Prepare() {
    Loading = true;
    const OptionValues& options = options_.Values();
    ApplyOptions();
    InsertMode = "INS";
    RestartAutoSave();
    Bookmarks.fill(QTextCursor());
    NeedsRehighlight = false;
    SetModified(false);
    ShowRow(1);

    QPalette palette = MainEdit->palette();
    palette.setColor(QPalette::Base, ColorOfValue(options.background));
    MainEdit->setPalette(palette);
    MainEdit->document()->setDefaultFont(FontOfStyle(highlighter_.Style(StyleKind::Text)));
    MainEdit->setCurrentCharFormat(FormatOfStyle(highlighter_.Style(StyleKind::Text)));
}

void TMDIChild::ApplyOptions() {
    const OptionValues& options = options_.Values();
    // A bibliography read as text is never wrapped: its lines are its entries.
    MainEdit->SetWrapMode(bibFile_ ? WrapMode::Off : options.wordWrap);
    MainEdit->ShowLineNumbers(options.lineNumbers);
    contextMenu_->Fill(options.snippets, options_.OccupiedKeys(), programDirectory_);
}

void TMDIChild::Finish() {
    // A new document's caret is at its start already; moving it there asks for the caret's
    // place, which lays the first paragraph out at the width the window has before it is shown
    // (12 s for a line of 150,000 letters without a blank).
    const QTextCursor caret = MainEdit->textCursor();
    if (caret.position() != 0 || caret.hasSelection())
        MainEdit->moveCursor(QTextCursor::Start);
    Loading = false;
}

void TMDIChild::FormCreateUntitled(const QString& caption) {
    Prepare();
    FileName.clear();
    setWindowTitle(caption);
    Finish();
}

void TMDIChild::FormCreateRecovered(const RecoveryCopy& copy, const QString& caption) {
    Prepare();
    const QString fileName = QString::fromStdString(copy.fileName);
    TakeFileKind(fileName);
    file_->ShowRecovered(FileName, copy, *MainEdit);
    encoding_ = file_->Encoding();
    lineEnd_ = file_->LineEnding();
    setWindowTitle(FileName.isEmpty() ? caption : FileName);
    Finish();
    SetModified(true);
}

TextSnapshot TMDIChild::Snapshot() {
    // The raw text is one copy of the document's buffer; the rest is done by the copy's writer.
    return {MainEdit->document()->toRawText(), true, encoding_, lineEnd_};
}

bool TMDIChild::FormCreate(const QString& fileToOpen, const QString& untitledName) {
    Prepare();
    if (!OpenFile(fileToOpen))
        return false;
    if (!untitledName.isEmpty()) {
        FileName.clear();
        setWindowTitle(untitledName);
    }
    Finish();
    return true;
}

bool TMDIChild::OpenFile(const QString& fileName) {
    TakeFileKind(fileName);
    const SourceFile::ReadResult read = file_->Read(FileName);
    switch (read.outcome) {
    case SourceFile::ReadResult::TooBig:
        ReportReadFailure(read);
        return false;
    case SourceFile::ReadResult::Missing:
        // The sidecar may be the only copy of the text left: show it, never delete it.
        if (read.sidecarOnly && file_->ShowSidecarOnly(*MainEdit)) {
            setWindowTitle(FileName);
            SetModified(true);
            prompter_.Message(MessageKind::Information, MessageButtons::Ok,
                              QStringLiteral("%1 does not exist. Its text was found in %1.orv "
                                             "and is shown; save it to write the file again.")
                                  .arg(FileName));
            return true;
        }
        ReportOpenError(read.error);
        return false;
    case SourceFile::ReadResult::Unreadable:
        ReportReadFailure(read);
        return false;
    case SourceFile::ReadResult::Read:
        break;
    }
    if (read.binary &&
        prompter_.Message(
            MessageKind::Confirmation, MessageButtons::YesNo,
            QStringLiteral("%1 does not look like a text file. Open it anyway?").arg(FileName)) !=
            Answer::Yes)
        return false;
    if (!ShowFile())
        return false;
    readOnly_ = read.readOnly;
    setWindowTitle(readOnly_ ? FileName + " [read-only]" : FileName);
    return true;
}

bool TMDIChild::ShowFile() {
    const bool savedBreaks = options_.Values().wordWrap == WrapMode::SavedBreaks && !bibFile_;
    switch (file_->Show(*MainEdit, savedBreaks)) {
    case SourceFile::ShowOutcome::Aborted:
        return false;
    case SourceFile::ShowOutcome::SidecarUnusable:
        emit TransientText(FileName + ".orv could not be read: the colours were made anew.");
        break;
    case SourceFile::ShowOutcome::FromSidecar:
    case SourceFile::ShowOutcome::Imported:
        break;
    }
    encoding_ = file_->Encoding();
    lineEnd_ = file_->LineEnding();
    return true;
}

bool TMDIChild::CanReimport() {
    SourceFile probe(options_, escape_, nullptr);
    const SourceFile::ReadResult read = probe.Read(FileName);
    if (read.outcome == SourceFile::ReadResult::Read)
        return true;
    ReportReadFailure(read);
    return false;
}

void TMDIChild::ReportReadFailure(const SourceFile::ReadResult& read) {
    if (read.outcome != SourceFile::ReadResult::TooBig) {
        ReportOpenError(read.error);
        return;
    }
    prompter_.Message(MessageKind::Error, MessageButtons::Ok,
                      QStringLiteral("%1 is too large to open: %2 MB. A document may hold "
                                     "at most %3 MB.")
                          .arg(FileName)
                          .arg(static_cast<double>(read.size) / (1024 * 1024), 0, 'f', 1)
                          .arg(SourceFile::kSizeLimit / (1024 * 1024)));
}

void TMDIChild::ReportOpenError(const QString& reason) {
    QString text = "An error occured while opening '" + NamePartOf(FileName) + "'.";
    if (!reason.isEmpty())
        text += "\n" + reason;
    prompter_.Message(MessageKind::Error, MessageButtons::Ok, text);
}

void TMDIChild::CheckFileOnDisk() {
    if (Loading || FileName.isEmpty() || checkingDisk_ || !file_->ChangedSinceAsked())
        return;
    checkingDisk_ = true;
    if (AskReloadWith(prompter_, MessageButtons::YesNo) == Answer::Yes)
        Reload();
    else
        file_->KeepOutsideChange(); // asked once; the next save asks again before it writes
    checkingDisk_ = false;
}

void TMDIChild::Reload() {
    const int line = MainEdit->LineFromPosition(MainEdit->GetSelection().first);
    Loading = true;
    const SourceFile::ReadResult read = file_->Read(FileName);
    if (read.outcome != SourceFile::ReadResult::Read) {
        Loading = false;
        ReportOpenError(read.error);
        return;
    }
    ShowFile();
    Bookmarks.fill(QTextCursor());
    Loading = false;
    SetModified(false);
    MainEdit->SetSelection(MainEdit->LineStart(line), MainEdit->LineStart(line));
}

void TMDIChild::SetModified(bool value) {
    Modified = value;
    if (!value || !options_.Values().autoSave)
        RestartAutoSave();
    emit ModifiedChanged(value);
}

void TMDIChild::RestartAutoSave() {
    AutoSaveTimer.setInterval(options_.AutoSaveMilliseconds());
    if (options_.Values().autoSave)
        AutoSaveTimer.start();
    else
        AutoSaveTimer.stop();
}

void TMDIChild::AutoSaveTimerTimer() {
    AutoSaveTimer.stop();
    if (!options_.Values().autoSave)
        return;
    if (!Modified || Loading) {
        RestartAutoSave();
        return;
    }
    // Inside a question or a long operation the text is half done: a little later.
    if (InModalWork(prompter_)) {
        AutoSaveTimer.start(kAutoSaveRetry);
        return;
    }
    // A tick never asks: no save dialog for an untitled document, no question about a file
    // another program changed. The text goes into a recovery copy instead.
    if (FileName.isEmpty()) {
        emit KeepRecoveryCopy();
    } else if (file_->ChangedOnDisk()) {
        emit KeepRecoveryCopy();
        emit TransientText(FileName + " was changed by another program: the text was kept in a "
                                      "recovery copy instead of saving it.");
    } else if (const QString error = Write(FileName); error.isEmpty()) {
        SetModified(false);
    } else {
        emit KeepRecoveryCopy();
        // Typing goes on: the box once per window, then the status bar.
        if (!autoSaveFailureShown_) {
            autoSaveFailureShown_ = true;
            prompter_.Message(MessageKind::Error, MessageButtons::Ok, error);
        } else {
            emit StatusText(error);
        }
    }
    RestartAutoSave();
}

void TMDIChild::JumpToLine(int n) {
    const int line = std::clamp(n, 1, std::max(1, MainEdit->LineCount()));
    MainEdit->SelectLine(line - 1);
    MainEdit->ensureCursorVisible();
    ShowRow(line);
}

void TMDIChild::ShowRow(int row) {
    emit RowChanged(row);
    CurrentRow = row;
}

void TMDIChild::ShowInsertMode() {
    emit InsertModeChanged(InsertMode);
}

void TMDIChild::FormActivate() {
    if (Loading)
        return;
    CheckFileOnDisk();
    SetModified(Modified);
    ShowInsertMode();
    MainEditKeyUp(nullptr);
}

void TMDIChild::FormDeactivate() {
    if (!Loading)
        RehighlightLine();
}

void TMDIChild::ApplyStyle(StyleKind kind) {
    highlighter_.ApplyStyle(kind);
}

void TMDIChild::RehighlightLine() {
    NeedsRehighlight = false;
    highlighter_.RehighlightLine();
}

void TMDIChild::RestyleAll() {
    MainEdit->FinishFormatting();
    QTextDocument* doc = MainEdit->document();
    const int total = doc->blockCount();
    constexpr int kLinesPerStep = 500;
    escape_.BeginOperation();
    MainEdit->BeginRestyle();
    for (QTextBlock block = doc->begin(); block.isValid();) {
        QTextBlock last = block;
        for (int i = 1; i < kLinesPerStep && last.next().isValid(); ++i)
            last = last.next();
        highlighter_.RestyleLines(block.position(), last.position());
        emit Progress(last.blockNumber() + 1, total);
        block = last.next();
        if (escape_.EscapePressed())
            break;
    }
    MainEdit->EndRestyle();
    escape_.EndOperation();
    ShowRow(CaretRow()); // the row again where the progress stood
}

bool TMDIChild::SoftBreakMarkerActive() const {
    return MainEdit->ScreenLinesAreLines();
}

bool TMDIChild::SaveTo(const QString& fileName, bool specials) {
    const QString error = Write(fileName, specials);
    if (!error.isEmpty())
        prompter_.Message(MessageKind::Error, MessageButtons::Ok, error);
    return error.isEmpty();
}

QString TMDIChild::Write(const QString& fileName, bool specials) {
    SourceFile::SaveResult saved =
        file_->Save(fileName, *MainEdit, SoftBreakMarkerActive(), specials);
    emit RowChanged(0);
    if (!saved.ok)
        return saved.error;
    saveNote_ = saved.sidecarWarning.isEmpty() ? saved.specialsNote : saved.sidecarWarning;
    if (!saveNote_.isEmpty())
        emit TransientText(saveNote_);
    return {};
}

bool TMDIChild::SaveDocument() {
    if (FileName.isEmpty())
        return SaveDocumentAs();
    // Never over another program's change without asking.
    if (file_->ChangedOnDisk() && !MaySaveOverOutsideChange(prompter_, [this] { Reload(); }))
        return false;
    if (!SaveTo(FileName))
        return false;
    SetModified(false);
    return true;
}

bool TMDIChild::SaveDocumentAs() {
    QString name = AskSaveName(prompter_, lastDir_, ".tex");
    if (name.isEmpty())
        return false;
    // Renamed only once written: a failed write keeps the old name, the recent list and the
    // changes marked.
    if (!SaveTo(name))
        return false;
    TakeName(name);
    emit SavedAs(name);
    SetModified(false);
    return true;
}

bool TMDIChild::SaveAsCopyIn(const QString& directory) {
    QString name = AskSaveName(prompter_, directory, ".tex");
    if (name.isEmpty())
        return false;
    if (!SaveTo(name, false))
        return false;
    TakeName(name);
    SetModified(false);
    return true;
}

void TMDIChild::TakeFileKind(const QString& fileName) {
    FileName = fileName;
    bibFile_ = UpperExtensionOf(FileName) == ".BIB";
    if (bibFile_)
        MainEdit->SetWrapMode(WrapMode::Off);
}

void TMDIChild::TakeName(const QString& name) {
    FileName = name;
    readOnly_ = false; // just written
    setWindowTitle(name);
    emit Renamed(name);
}

void TMDIChild::InsertSnippet(const QString& snippetFile) {
    contextMenu_->InsertSnippet(snippetFile);
}

bool TMDIChild::InsertTable(const GeneratedTable& table) {
    while (escape_.EscapePressed()) {
    } // a press made in a dialog stops nothing that follows
    std::array<QTextCharFormat, kStyleKindCount> formats;
    for (int k = 0; k < kStyleKindCount; ++k)
        formats[static_cast<std::size_t>(k)] =
            FormatOfStyle(highlighter_.Style(static_cast<StyleKind>(k)));
    const auto [selectionStart, selectionEnd] = MainEdit->GetSelection();
    const bool wasModified = Modified;
    const int total = static_cast<int>(table.cellStarts.size());
    std::size_t next = 0;
    const auto insertUpTo = [&](QTextCursor& at, std::size_t end) {
        std::vector<TMyRichEdit::TextPiece> pieces;
        for (; next < end; ++next) {
            const TablePiece& piece = table.pieces[next];
            pieces.emplace_back(QString::fromStdString(piece.text),
                                formats[static_cast<std::size_t>(piece.style)]);
        }
        MainEdit->Insert(at, pieces);
    };

    MainEdit->setUpdatesEnabled(false);
    escape_.BeginOperation();
    emit StatusText(QStringLiteral("Creating table...press [ESC] to abort."));
    QTextCursor cursor = MainEdit->textCursor();
    cursor.beginEditBlock();
    insertUpTo(cursor, total > 0 ? table.cellStarts.front() : table.pieces.size());
    bool stopped = false;
    for (int cell = 0; cell < total && !stopped; ++cell) {
        emit Progress(cell + 1, total);
        stopped = escape_.EscapePressed();
        if (!stopped)
            insertUpTo(cursor, cell + 1 < total
                                   ? table.cellStarts[static_cast<std::size_t>(cell + 1)]
                                   : table.pieces.size());
    }
    cursor.endEditBlock();
    if (stopped) {
        // Half a table (a table without its \end) would stop every run: all or nothing.
        MainEdit->document()->undo();
        MainEdit->document()->clearUndoRedoStacks(QTextDocument::RedoStack);
        MainEdit->SetSelection(selectionStart, selectionEnd);
        SetModified(wasModified);
    } else {
        MainEdit->setTextCursor(cursor);
    }
    escape_.EndOperation();
    MainEdit->setUpdatesEnabled(true);
    emit StatusText({});
    if (stopped)
        emit RowChanged(0);
    else
        ShowRow(CaretRow());
    MainEdit->ensureCursorVisible();
    return !stopped;
}

void TMDIChild::InsertPaletteText(const QString& text) {
    QTextCursor cursor = MainEdit->textCursor();
    cursor.beginEditBlock();
    MainEdit->Insert(cursor, text, FormatOfStyle(highlighter_.Style(StyleKind::TexCommand)));
    cursor.endEditBlock();
    MainEdit->setTextCursor(cursor);
    MainEdit->setFocus();
}

// ---- Find and replace ----

bool TMDIChild::FindNext(const TextSearch& search) {
    const QString raw = MainEdit->RawText();
    QTextCursor cursor = MainEdit->textCursor();
    const std::optional<TextMatch> match =
        search.Find(View(raw), static_cast<std::size_t>(cursor.selectionEnd()));
    if (!match)
        return false;
    cursor.setPosition(static_cast<int>(match->Position));
    cursor.setPosition(static_cast<int>(match->Position + match->Length), QTextCursor::KeepAnchor);
    MainEdit->setTextCursor(cursor);
    MainEdit->ensureCursorVisible();
    return true;
}

bool TMDIChild::SelectionIsMatch(const TextSearch& search) const {
    const QTextCursor cursor = MainEdit->textCursor();
    if (!cursor.hasSelection())
        return false;
    const auto start = static_cast<std::size_t>(cursor.selectionStart());
    const auto end = static_cast<std::size_t>(cursor.selectionEnd());
    const QString raw = MainEdit->RawText();
    // Up to the character after the selection, which decides a whole word (a pair: two units).
    const std::optional<TextMatch> match = search.Find(View(raw).substr(0, end + 2), start);
    return match && match->Position == start && match->Position + match->Length == end;
}

void TMDIChild::ReplaceSelection(const QString& replacement) {
    const QTextCursor cursor = MainEdit->textCursor();
    if (!cursor.hasSelection())
        return;
    const auto start = static_cast<std::size_t>(cursor.selectionStart());
    const auto end = static_cast<std::size_t>(cursor.selectionEnd());
    ReplaceMatches({{start, end - start}}, MainEdit->Admit(replacement), false);
}

TMDIChild::ReplaceAllPass TMDIChild::ReplaceAll(const TextSearch& search,
                                                const QString& replacement) {
    const QTextCursor cursor = MainEdit->textCursor();
    const int began = SelectionIsMatch(search) ? cursor.selectionStart() : cursor.selectionEnd();
    MainEdit->FinishFormatting();
    const QString raw = MainEdit->RawText();
    const QString with = MainEdit->Admit(replacement);
    ReplaceAllPass pass = ReplaceMatches(
        search.ReplaceAllMatches(View(raw), static_cast<std::size_t>(began), View(with)), with,
        false);
    pass.began = began;
    return pass;
}

TMDIChild::ReplaceAllPass TMDIChild::ReplaceAllBefore(const TextSearch& search,
                                                      const QString& replacement, int until,
                                                      bool joinPrevious) {
    MainEdit->FinishFormatting();
    const QString raw = MainEdit->RawText();
    const QString with = MainEdit->Admit(replacement);
    std::vector<TextMatch> matches = search.ReplaceAllMatches(View(raw), 0, View(with));
    // From `until` on the text is the first pass's: it is not replaced a second time.
    const auto past = std::find_if(matches.begin(), matches.end(), [until](const TextMatch& m) {
        return m.Position + m.Length > static_cast<std::size_t>(std::max(until, 0));
    });
    matches.erase(past, matches.end());
    return ReplaceMatches(matches, with, joinPrevious);
}

TMDIChild::ReplaceAllPass TMDIChild::ReplaceMatches(const std::vector<TextMatch>& matches,
                                                    const QString& with, bool joinPrevious) {
    ReplaceAllPass pass;
    if (matches.empty())
        return pass;
    MainEdit->FinishFormatting();
    QTextDocument* doc = MainEdit->document();
    const int total = static_cast<int>(matches.size());
    // A match's place in the text once the replacements before it are made.
    const auto placeOf = [&](std::size_t i) {
        return static_cast<int>(matches[i].Position) +
               static_cast<int>(i) * static_cast<int>(with.size()) -
               static_cast<int>(matches[i].Length) * static_cast<int>(i);
    };
    while (escape_.EscapePressed()) {
    } // a press made before the command stops nothing
    escape_.BeginOperation();
    MainEdit->setUpdatesEnabled(false);
    QTextCursor cursor(doc);
    if (joinPrevious)
        cursor.joinPreviousEditBlock();
    else
        cursor.beginEditBlock();
    std::size_t done = 0;
    while (done < matches.size() && !pass.stopped) {
        const int at = placeOf(done);
        cursor.setPosition(at);
        cursor.setPosition(at + static_cast<int>(matches[done].Length), QTextCursor::KeepAnchor);
        cursor.insertText(with);
        ++done;
        emit Progress(static_cast<int>(done), total);
        pass.stopped = done < matches.size() && escape_.EscapePressed();
    }
    cursor.endEditBlock();
    // Each line once, however many replacements it holds; the colours join the edit's step.
    MainEdit->BeginRestyle();
    int restyled = -1;
    for (std::size_t i = 0; i < done; ++i) {
        const int at = placeOf(i);
        for (QTextBlock b = doc->findBlock(at); b.isValid() && b.position() <= at + with.size();
             b = b.next()) {
            if (b.blockNumber() <= restyled)
                continue;
            highlighter_.RestyleBlock(b);
            restyled = b.blockNumber();
        }
    }
    MainEdit->EndRestyle();
    MainEdit->setTextCursor(cursor);
    escape_.EndOperation();
    MainEdit->setUpdatesEnabled(true);
    MainEdit->ensureCursorVisible();
    pass.replaced = static_cast<int>(done);
    return pass;
}

void TMDIChild::EditUndo() {
    MainEdit->FinishFormatting();
    MainEdit->undo();
}

void TMDIChild::EditRedo() {
    MainEdit->FinishFormatting();
    MainEdit->redo();
}

void TMDIChild::EditCut() {
    MainEdit->FinishFormatting();
    MainEdit->cut();
    SetModified(true);
}

void TMDIChild::EditCopy() {
    MainEdit->copy();
}

void TMDIChild::EditPaste() {
    MainEdit->FinishFormatting();
    MainEdit->paste();
    SetModified(true);
}

bool TMDIChild::AskToSave() {
    return AskToSaveWith(prompter_);
}

void TMDIChild::closeEvent(QCloseEvent* event) {
    // A Yes whose save did not happen keeps the window: closing it would lose the text.
    if (Modified && !Loading && !AskToSave()) {
        event->ignore();
        return;
    }
    if (!Loading)
        emit Closed(this);
    SetModified(false);
    emit RowChanged(0);
    event->accept();
}

// ---- Editing keys ----

bool TMDIChild::MainEditKeyPress(QKeyEvent* event) {
    if (MainEdit->isReadOnly())
        return false;
    std::optional<char32_t> typed = TypedCharacterOf(*event);
    if (!typed || MainEdit->Admit(event->text()) != event->text())
        return false;
    char32_t c = *typed;
    SetModified(true);
    NeedsRehighlight = true;
    LastCharTyped = c;
    if (highlighter_.TypeConverted(c, options_.Values().convertKeys))
        return true;
    return highlighter_.HighlightTyped(c, c == U'\r' ? QStringLiteral("\n") : event->text());
}

bool TMDIChild::MainEditKeyDown(QKeyEvent* event) {
    const KeyDownPlan plan =
        PlanKeyDown(VirtualKeyOf(*event), ShiftStateOf(*event), LastKeyDown, NeedsRehighlight);
    if (plan.contextHelp)
        ContextHelp();
    if (plan.toggleInsertMode) {
        InsertMode = InsertMode == "INS" ? QStringLiteral("OVR") : QStringLiteral("INS");
        ShowInsertMode();
        MainEdit->setOverwriteMode(InsertMode == "OVR");
    }
    if (plan.completeCommand && !MainEdit->isReadOnly())
        CompleteCommand();
    if (plan.markEdited) {
        SetModified(true);
        NeedsRehighlight = true;
    }
    if (plan.dropBookmark)
        DropBookmark(*plan.dropBookmark);
    if (plan.gotoBookmark)
        GotoBookmark(*plan.gotoBookmark);
    if (plan.rehighlightLine)
        RehighlightLine();
    LastKeyDown = plan.lastKeyDown;
    return plan.consumeKey;
}

void TMDIChild::MainEditKeyUp(QKeyEvent*) {
    ShowRow(CaretRow());
    if (LastCharTyped == U'}' && options_.Values().braces &&
        braceFlash_.Show(highlighter_.Style(StyleKind::Brace),
                         BraceDelayMilliseconds(options_.Values().braceDelay)) ==
            BraceFlash::Outcome::Done)
        LastCharTyped = U' ';
}

int TMDIChild::CaretRow() {
    const int position = MainEdit->textCursor().selectionStart();
    const int width = MainEdit->viewport()->width();
    if (!rowAt_.known || position != rowAt_.position || width != rowAt_.width) {
        rowAt_ = {true, position, width,
                  MainEdit->LineFromPosition(MainEdit->GetSelection().first) + 1};
    }
    return rowAt_.row;
}

void TMDIChild::DropBookmark(int digit) {
    // A cursor of the document keeps its place through every edit before it, whatever makes
    // it (a converted umlaut, a paste, a completion, a snippet): a count of typed characters
    // left the mark behind.
    QTextCursor mark(MainEdit->document());
    mark.setPosition(MainEdit->textCursor().selectionStart());
    Bookmarks[static_cast<std::size_t>(digit)] = mark;
    emit StatusText(QStringLiteral("Bookmark %1 dropped.").arg(digit));
}

void TMDIChild::GotoBookmark(int digit) {
    const QTextCursor& mark = Bookmarks[static_cast<std::size_t>(digit)];
    if (mark.isNull() || mark.document() != MainEdit->document()) {
        emit StatusText(QStringLiteral("Bookmark %1 not defined.").arg(digit));
        return;
    }
    QTextCursor at = MainEdit->textCursor();
    at.setPosition(mark.position());
    MainEdit->setTextCursor(at);
}

void TMDIChild::CompleteCommand() {
    completion_.Complete();
}

void TMDIChild::ContextHelp() {
    // Until the LaTeX help is installed, the word it would be asked for.
    if (std::optional<QString> word = completion_.CommandWord())
        emit StatusText(QStringLiteral("LaTeX help: ") + *word);
}

} // namespace orvelt
