#include "editor/Childwin.h"

#include "app/Main.h"
#include "core/DosDateTime.h"
#include "core/FileNames.h"
#include "editor/VirtualKeys.h"
#include "editor/files/RtfCodec.h"
#include "editor/files/SourceWriter.h"
#include "editor/highlight/BlockTokenReader.h"
#include "editor/highlight/TokenStyle.h"
#include "editor/highlight/TypingHighlight.h"
#include "editor/keys/BookmarkShift.h"
#include "editor/keys/BraceSearch.h"
#include "editor/keys/CommandCompletion.h"
#include "editor/keys/KeyConversion.h"
#include "editor/keys/KeyDownPlan.h"
#include "platform/FileIo.h"
#include "platform/StyleFormat.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QVBoxLayout>
#include <unordered_map>

namespace orvelt {

namespace {

QString NameOf(const QString& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace

TMDIChild::TMDIChild(TMainForm& main, QWidget* parent) : QWidget(parent), main_(main) {
    setObjectName("MDIChild");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    MainEdit = new TMyRichEdit(this);
    layout->addWidget(MainEdit);
    PopupMenu1 = new QMenu(this);
    Scuts1 = PopupMenu1->addMenu("Shortcuts");
    MainEdit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(MainEdit, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(MainEdit->mapToGlobal(at)); });
    connect(MainEdit, &TMyRichEdit::Edited, this, [this] {
        if (!Loading && !Modified)
            SetModified(true);
    });
    // One Qt key event is both the key-down and the character it types.
    MainEdit->keyPressHook = [this](QKeyEvent* event) {
        return MainEditKeyDown(event) || MainEditKeyPress(event);
    };
    MainEdit->keyReleaseHook = [this](QKeyEvent* event) { MainEditKeyUp(event); };
    MainEdit->mousePressHook = [this](QMouseEvent* event) { MainEditMouseDown(event); };
    // The surface's own signal: it follows the document that loading puts in place.
    connect(MainEdit, &QPlainTextEdit::textChanged, this, [this] { rowAt_.known = false; });
    connect(MainEdit, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (!Loading)
            ShowRow(CaretRow());
    });
}

bool TMDIChild::SidecarIsCurrent(const QString& fileName) {
    if (!NameOf(fileName).contains('.'))
        return false;
    auto sidecar = DosFileTime(fileName + ".orv");
    if (!sidecar)
        return true;
    auto source = DosFileTime(fileName);
    return source && SidecarTimesMatch(*source, *sidecar);
}

bool TMDIChild::FormCreate(const QString& fileToOpen) {
    Loading = true;
    const OptionValues& options = main_.Options();
    MainEdit->setLineWrapMode(options.wordWrap ? QPlainTextEdit::WidgetWidth
                                               : QPlainTextEdit::NoWrap);
    MainEdit->SetTextLimit(TMyRichEdit::kDefaultTextLimit);
    InsertMode = "INS";
    AutoSaveTimer.setInterval(options.autoSaveInterval * 60000);
    if (options.autoSave)
        AutoSaveTimer.start();
    Bookmarks.fill(-1);
    NeedsRehighlight = false;
    FillSnippetMenu();
    SetModified(false);
    ShowRow(1);

    QPalette palette = MainEdit->palette();
    palette.setColor(QPalette::Base, ColorOfValue(options.background));
    MainEdit->setPalette(palette);
    const HighlightStyle& text = StyleFor(options.styles, StyleKind::Text);
    MainEdit->document()->setDefaultFont(FontOfStyle(text));
    MainEdit->setCurrentCharFormat(FormatOfStyle(text));

    if (fileToOpen.contains("NONAME")) {
        FileName.clear();
        setWindowTitle(fileToOpen);
    } else {
        FileName = fileToOpen;
        bool bib = UpperExtension(FileName.toStdString()) == ".BIB";
        if (bib)
            MainEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
        TakeSourceConventions();
        if (QFile::exists(FileName + ".orv")) {
            if (!LoadSidecar()) {
                ReportOpenError();
                return false;
            }
        } else {
            switch (ImportSource()) {
            case ImportOutcome::Aborted:
                Modified = false;
                return false;
            case ImportOutcome::OpenError:
                ReportOpenError();
                Modified = false;
                return false;
            case ImportOutcome::Done:
                SetModified(true);
                break;
            }
        }
        if (main_.FromTemplate) {
            FileName.clear();
            setWindowTitle(QStringLiteral("NONAME%1").arg(main_.ChildCount()));
        } else {
            setWindowTitle(FileName);
        }
    }
    MainEdit->moveCursor(QTextCursor::Start);
    Loading = false;
    LastTextLength = MainEdit->TextLength();
    return true;
}

void TMDIChild::ReportOpenError() {
    main_.Prompts().Message(MessageKind::Error, MessageButtons::Ok,
                            "An error occured while opening '" + NameOf(FileName) + "'.");
}

void TMDIChild::TakeSourceConventions() {
    std::string bytes;
    if (!ReadFileBytes(FileName, bytes).ok)
        return;
    encoding_ = DetectEncoding(bytes, main_.Options().ascii);
    lineEnd_ = DetectLineEnd(bytes);
    MainEdit->SetEncoding(encoding_);
}

TMDIChild::ImportOutcome TMDIChild::ImportSource() {
    BusyCursor busy;
    const OptionValues& options = main_.Options();
    main_.SetPanel(2, "Importing...press [ESC] to abort");
    MainEdit->document()->setDefaultFont(FontOfStyle(StyleFor(options.styles, StyleKind::Text)));
    std::string bytes;
    // A file that may not be written fails here too, as it always has.
    QFileInfo info(FileName);
    if (!info.isFile() || !info.isWritable() || !ReadFileBytes(FileName, bytes).ok) {
        main_.SetPanel(2, {});
        return ImportOutcome::OpenError;
    }
    std::u16string text = DecodeText(bytes, encoding_);
    bytes.clear();
    // Qt takes CR as a paragraph break of its own; the surface counts CR LF as one break.
    std::erase_if(text, [&, i = std::size_t{0}](char16_t) mutable {
        std::size_t at = i++;
        return text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n';
    });
    main_.ProgressTotal = static_cast<int>(text.size());
    main_.ProgressDone = 0;
    main_.updateStatus();

    std::size_t readPos = 0;
    BlockTokenReader<char16_t> reader(
        [&](char16_t* into, std::size_t capacity) {
            std::size_t n = std::min(capacity, text.size() - readPos);
            std::copy_n(text.data() + readPos, n, into);
            readPos += n;
            return n;
        },
        ScanOptions{ScanMode::Source, options.filterSpecials, false});

    EscapePoller& escape = main_.Escape();
    while (escape.EscapePressed()) {
    }
    escape.BeginOperation();
    std::vector<QTextCharFormat> formats;
    for (const HighlightStyle& style : options.styles)
        formats.push_back(FormatOfStyle(style));
    // Scan first, collecting the text and its runs of one category each; the surface takes
    // them in one go after.
    QString all;
    all.reserve(static_cast<qsizetype>(text.size()));
    std::vector<TMyRichEdit::FormatRun> runs;
    ImportOutcome outcome = ImportOutcome::Done;
    while (auto token = reader.Next()) {
        if (escape.EscapePressed()) {
            outcome = ImportOutcome::Aborted;
            break;
        }
        const int style = static_cast<int>(TokenStyle(*token, main_.Keywords()));
        const int length = static_cast<int>(token->text.size());
        if (runs.empty() || runs.back().format != style) {
            runs.push_back({length, style});
        } else {
            runs.back().length += length;
        }
        all.append(QStringView(token->text.data(), static_cast<qsizetype>(length)));
        main_.ProgressDone = static_cast<int>(reader.Consumed());
        main_.updateStatus();
    }
    escape.EndOperation();
    if (outcome == ImportOutcome::Done)
        MainEdit->LoadStyledText(all, runs, std::move(formats), static_cast<int>(StyleKind::Text));
    main_.SetPanel(2, {});
    return outcome;
}

bool TMDIChild::LoadSidecar() {
    BusyCursor busy;
    std::string bytes;
    if (!ReadFileBytes(FileName + ".orv", bytes).ok)
        return false;
    RtfReadResult rtf = ReadRtf(bytes);
    if (!rtf.ok)
        return false;
    std::vector<HighlightStyle> styles;
    std::vector<QTextCharFormat> formats;
    std::vector<std::size_t> characters; // per format, to fill with the commonest first
    std::vector<TMyRichEdit::FormatRun> runs;
    runs.reserve(rtf.runs.size());
    QString all;
    for (const StyledRun& run : rtf.runs) {
        auto it = std::find(styles.begin(), styles.end(), run.style);
        if (it == styles.end()) {
            styles.push_back(run.style);
            formats.push_back(FormatOfStyle(run.style));
            characters.push_back(0);
            it = styles.end() - 1;
        }
        const auto index = static_cast<std::size_t>(it - styles.begin());
        characters[index] += run.text.size();
        runs.push_back({static_cast<int>(run.text.size()), static_cast<int>(index)});
        all.append(QStringView(run.text.data(), static_cast<qsizetype>(run.text.size())));
    }
    if (formats.empty())
        formats.push_back(FormatOfStyle(StyleFor(main_.Options().styles, StyleKind::Text)));
    const int base = static_cast<int>(std::max_element(characters.begin(), characters.end()) -
                                      characters.begin());
    MainEdit->LoadStyledText(all, runs, std::move(formats), base);
    return true;
}

void TMDIChild::SetModified(bool value) {
    Modified = value;
    main_.SetPanel(1, value ? QStringLiteral("Modified") : QString());
    if (!value && main_.Options().autoSave)
        AutoSaveTimer.start();
    main_.EnableSave(value);
}

void TMDIChild::ShowRow(int row) {
    main_.SetPanel(0, QStringLiteral(" Row: %1").arg(row));
    CurrentRow = row;
}

void TMDIChild::ShowInsertMode() {
    main_.SetPanel(3, InsertMode);
}

void TMDIChild::FormActivate() {
    SetModified(Modified);
    ShowInsertMode();
    MainEditKeyUp(nullptr);
}

void TMDIChild::FormDeactivate() {
    RehighlightLine();
}

void TMDIChild::ApplyStyle(StyleKind kind) {
    MainEdit->ApplyStyle(StyleFor(main_.Options().styles, kind));
}

void TMDIChild::RehighlightLine() {
    MainEdit->setReadOnly(true);
    NeedsRehighlight = false;
    TMyRichEdit::CaretLineInfo line = MainEdit->CaretLine();
    QTextCursor saved = MainEdit->textCursor();
    int caret = std::min(saved.position(), saved.anchor());
    if (!line.text.isEmpty()) {
        std::u16string_view text(reinterpret_cast<const char16_t*>(line.text.utf16()),
                                 static_cast<std::size_t>(line.text.size()));
        for (const auto& token : ScanLine(text)) {
            QTextCursor select(MainEdit->document());
            select.setPosition(line.start + static_cast<int>(token.offset));
            select.setPosition(line.start + static_cast<int>(token.offset + token.text.size()),
                               QTextCursor::KeepAnchor);
            MainEdit->ApplyStyleTo(
                select, StyleFor(main_.Options().styles, TokenStyle(token, main_.Keywords())));
        }
    }
    if (saved.hasSelection()) { // a selection collapses to its start
        QTextCursor back(MainEdit->document());
        back.setPosition(caret);
        MainEdit->setTextCursor(back);
    }
    MainEdit->setReadOnly(false);
}

bool TMDIChild::HighlightTyped(char32_t c, const QString& typed) {
    TMyRichEdit::CaretLineInfo line = MainEdit->CaretLine();
    std::u16string_view text(reinterpret_cast<const char16_t*>(line.text.utf16()),
                             static_cast<std::size_t>(line.text.size()));
    TypingHighlight h =
        HighlightTypedCharacter(text, static_cast<std::size_t>(line.column), c, main_.Keywords());
    if (h.count == 0) {
        if (h.typedStyle)
            ApplyStyle(*h.typedStyle);
        return false;
    }
    QTextCursor cursor = MainEdit->textCursor();
    int caret = std::min(cursor.position(), cursor.anchor());
    cursor.beginEditBlock();
    QTextCursor token(MainEdit->document());
    token.setPosition(line.start + static_cast<int>(h.start));
    token.setPosition(line.start + static_cast<int>(h.start + h.count), QTextCursor::KeepAnchor);
    token.setCharFormat(FormatOfStyle(StyleFor(main_.Options().styles, h.tokenStyle)));
    // A selection that was there is given up; the character goes in at its start.
    cursor.setPosition(caret);
    QTextCharFormat format = h.typedStyle
                                 ? FormatOfStyle(StyleFor(main_.Options().styles, *h.typedStyle))
                                 : cursor.charFormat();
    if (MainEdit->overwriteMode() && !cursor.atBlockEnd() && typed != "\n")
        cursor.deleteChar();
    cursor.insertText(typed, format);
    cursor.endEditBlock();
    MainEdit->setTextCursor(cursor);
    MainEdit->ensureCursorVisible();
    return true;
}

bool TMDIChild::SoftBreakMarkerActive(const QString& fileName) const {
    return UpperExtension(fileName.toStdString()) != ".BIB" && main_.Options().wordWrap;
}

namespace {

std::u16string_view Piece(const QString& raw, int position, int length) {
    return std::u16string_view(reinterpret_cast<const char16_t*>(raw.utf16()) + position,
                               static_cast<std::size_t>(std::max(0, length)));
}

} // namespace

bool TMDIChild::WriteSidecar(const QString& fileName, const QString& raw) {
    StyledText runs;
    QTextDocument* doc = MainEdit->document();
    // Formats are shared by index: convert each once, not once per fragment.
    std::unordered_map<int, HighlightStyle> styles;
    auto styleOf = [&](int index, const QTextCharFormat& format) -> const HighlightStyle& {
        auto it = styles.find(index);
        if (it == styles.end())
            it = styles.emplace(index, StyleOfFormat(format)).first;
        return it->second;
    };
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            QTextFragment f = it.fragment();
            const HighlightStyle& style = styleOf(f.charFormatIndex(), f.charFormat());
            std::u16string_view piece = Piece(raw, f.position(), f.length());
            if (runs.empty() || !(runs.back().style == style))
                runs.push_back({std::u16string(), style});
            runs.back().text.append(piece);
        }
        if (b.next().isValid()) {
            if (runs.empty())
                runs.push_back({u"", StyleOfFormat(b.charFormat())});
            runs.back().text += u'\n';
        }
    }
    FileResult result = WriteFileAtomically(fileName + ".orv", WriteRtf(runs));
    if (!result.ok)
        main_.Prompts().Message(MessageKind::Error, MessageButtons::Ok,
                                "Error writing " + fileName + ".orv: " + result.error);
    return result.ok;
}

bool TMDIChild::WriteSourceFile(const QString& fileName, const QString& raw) {
    BusyCursor busy;
    main_.SetPanel(2, "Saving...");
    bool wrapped = MainEdit->lineWrapMode() != QPlainTextEdit::NoWrap;
    MainEdit->EnsureLayout();
    std::vector<SurfaceLine> lines;
    QTextDocument* doc = MainEdit->document();
    lines.reserve(static_cast<std::size_t>(doc->blockCount()));
    main_.ProgressTotal = doc->blockCount();
    main_.ProgressDone = 0;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        std::u16string_view text = Piece(raw, b.position(), b.length() - 1);
        bool last = !b.next().isValid();
        QTextLayout* layout = b.layout();
        int count = wrapped && layout ? layout->lineCount() : 0;
        if (count <= 1) {
            lines.push_back({text, !last});
            continue;
        }
        for (int i = 0; i < count; ++i) {
            QTextLine line = layout->lineAt(i);
            int start = line.textStart();
            int length = i + 1 < count ? layout->lineAt(i + 1).textStart() - start
                                       : static_cast<int>(text.size()) - start;
            lines.push_back(
                {text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length)),
                 i + 1 == count && !last});
        }
    }
    SourceWriteOptions options;
    options.encoding = encoding_;
    options.lineEnd = lineEnd_;
    options.softBreakMarker = SoftBreakMarkerActive(fileName);
    SourceWriteResult written = WriteSource(lines, options);
    main_.ProgressDone = main_.ProgressTotal;
    main_.updateStatus();
    FileResult result = WriteFileAtomically(fileName, written.bytes);
    main_.SetPanel(2, {});
    main_.SetPanel(0, {});
    if (!result.ok)
        main_.Prompts().Message(MessageKind::Error, MessageButtons::Ok,
                                "Error writing " + fileName + ": " + result.error);
    return result.ok;
}

bool TMDIChild::SaveTo(const QString& fileName) {
    MainEdit->FinishFormatting(); // the sidecar keeps every format
    // Sidecar first, then the source: the source's later time keeps the pair current.
    const QString raw = MainEdit->document()->toRawText();
    return WriteSidecar(fileName, raw) && WriteSourceFile(fileName, raw);
}

bool TMDIChild::SaveDocument() {
    if (FileName.isEmpty())
        return SaveDocumentAs();
    if (!SaveTo(FileName))
        return false;
    SetModified(false);
    return true;
}

QString TMDIChild::ChooseSaveName(const QString& directory) {
    FileDialogRequest request{"Save", directory, {}, TMainForm::FileFilters(), 1, false};
    auto chosen = main_.Prompts().SaveFileName(request);
    if (!chosen)
        return {};
    QString name = QString::fromStdString(AddDefaultExtension(chosen->toStdString(), ".tex"));
    if (QFile::exists(name) &&
        main_.Prompts().Message(MessageKind::Confirmation, MessageButtons::YesNoCancel,
                                QStringLiteral("OK to overwrite %1?").arg(name)) != Answer::Yes)
        return {};
    return name;
}

bool TMDIChild::SaveDocumentAs() {
    QString name = ChooseSaveName(main_.LastDir());
    if (name.isEmpty())
        return false;
    FileName = name;
    setWindowTitle(name);
    main_.SetLastDir(QFileInfo(name).absolutePath());
    main_.RegisterFile(name);
    main_.RenameWindowEntry(this, name);
    // Marked clean only once written: a failed write keeps the changes marked.
    if (!SaveTo(name))
        return false;
    SetModified(false);
    return true;
}

bool TMDIChild::SaveAsCopyIn(const QString& directory) {
    QString name = ChooseSaveName(directory);
    if (name.isEmpty())
        return false;
    FileName = name;
    setWindowTitle(name);
    main_.RenameWindowEntry(this, name);
    if (!SaveTo(name))
        return false;
    SetModified(false);
    return true;
}

void TMDIChild::FillSnippetMenu() {
    Scuts1->clear();
    for (const SnippetKey& snippet : main_.Options().snippets) {
        QString file = QString::fromStdString(snippet.file);
        QAction* item = Scuts1->addAction(NameOf(file));
        item->setStatusTip(file);
        item->setShortcut(
            QKeySequence::fromString(QString::fromStdString(WriteKeyValue(snippet.key))));
        item->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(item, &QAction::triggered, this, [this, file] { main_.SnippetItemClick(file); });
        addAction(item); // so that its key works while the window has the focus
    }
}

void TMDIChild::InsertStyledText(const std::vector<StyledRun>& runs) {
    int length = 0;
    for (const StyledRun& run : runs)
        length +=
            static_cast<int>(run.text.size() + std::count(run.text.begin(), run.text.end(), u'\n'));
    if (!MainEdit->RoomFor(length))
        return;
    MainEdit->FinishFormatting();
    QTextCursor cursor = MainEdit->textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    for (const StyledRun& run : runs)
        cursor.insertText(MainEdit->Storable(QString::fromStdU16String(run.text)),
                          FormatOfStyle(run.style));
    cursor.endEditBlock();
    MainEdit->setTextCursor(cursor);
    SetModified(true);
}

bool TMDIChild::AskToSave() {
    switch (main_.Prompts().Message(MessageKind::Confirmation, MessageButtons::YesNoCancel,
                                    QStringLiteral("Save %1 ?").arg(FileName))) {
    case Answer::Yes:
        return SaveDocument();
    case Answer::No:
        return true;
    default:
        return false;
    }
}

void TMDIChild::closeEvent(QCloseEvent* event) {
    // A Yes whose save did not happen keeps the window: closing it would lose the text.
    if (Modified && !Loading && !AskToSave()) {
        main_.LastCloseAction = 0;
        event->ignore();
        return;
    }
    main_.LastCloseAction = 2;
    if (!Loading)
        main_.RemoveWindowEntry(this);
    SetModified(false);
    main_.SetPanel(0, {});
    event->accept();
}

// ---- Editing keys ----

namespace {

std::u16string_view View(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

} // namespace

std::optional<char32_t> TMDIChild::TypedCharacter(const QKeyEvent& event) const {
    if (event.key() == Qt::Key_Backspace)
        return U'\b';
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        return U'\r';
    const QString text = event.text();
    // Only what the surface itself inserts: Ctrl and Ctrl+Shift combinations (copy, select
    // all, ...) type nothing, so they must not mark the document as changed either.
    const Qt::KeyboardModifiers held = event.modifiers() & ~Qt::KeypadModifier;
    if (text.isEmpty() || held == Qt::ControlModifier ||
        held == (Qt::ControlModifier | Qt::ShiftModifier))
        return std::nullopt;
    if (!text.at(0).isPrint() && text != "\t")
        return std::nullopt;
    if (MainEdit->Storable(text) != text)
        return std::nullopt;
    return text.toUcs4().value(0);
}

bool TMDIChild::MainEditKeyPress(QKeyEvent* event) {
    if (MainEdit->isReadOnly())
        return false;
    std::optional<char32_t> typed = TypedCharacter(*event);
    if (!typed)
        return false;
    char32_t c = *typed;
    SetModified(true);
    NeedsRehighlight = true;
    LastCharTyped = c;
    if (main_.Options().convertKeys) {
        if (std::optional<char> letter = UmlautLetter(c)) {
            if (!MainEdit->RoomFor(2))
                return true;
            MainEdit->TypeText(QStringLiteral("\""));
            if (!HighlightTyped(static_cast<char32_t>(*letter), QString(QChar(*letter))))
                MainEdit->TypeText(QString(QChar(*letter)));
            return true;
        }
    }
    return HighlightTyped(c, c == U'\r' ? QStringLiteral("\n") : event->text());
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
    const int length = MainEdit->TextLength();
    const int start = MainEdit->GetSelection().first;
    ShiftBookmarks(Bookmarks, start, length - LastTextLength);
    LastTextLength = length;
    ShowRow(CaretRow());
    if (LastCharTyped == U'}' && main_.Options().braces)
        ShowMatchingBrace();
}

void TMDIChild::MainEditMouseDown(QMouseEvent*) {
    ShowRow(CaretRow());
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
    Bookmarks[static_cast<std::size_t>(digit)] = MainEdit->GetSelection().first;
    main_.SetPanel(2, QStringLiteral("Bookmark %1 dropped.").arg(digit));
}

void TMDIChild::GotoBookmark(int digit) {
    const int at = Bookmarks[static_cast<std::size_t>(digit)];
    if (at == -1) {
        main_.SetPanel(2, QStringLiteral("Bookmark %1 not defined.").arg(digit));
        return;
    }
    MainEdit->SetSelection(at, at);
}

void TMDIChild::ShowMatchingBrace() {
    QTextDocument* doc = MainEdit->document();
    const int caret = MainEdit->textCursor().selectionStart();
    const QTextBlock block = doc->findBlock(caret);
    const QString text = block.text();
    const int offset = caret - block.position();
    if (offset > 0 && IsEscaped(View(text), static_cast<std::size_t>(offset - 1)))
        return; // an escaped brace: the test is repeated at the next key release
    LastCharTyped = U' ';
    // Only a brace right before the caret: after a caret move, an unrelated position would
    // make the caret jump to some brace and back.
    if (offset == 0 || text.at(offset - 1) != u'}')
        return;

    EscapePoller& escape = main_.Escape();
    escape.BeginOperation();
    while (escape.EscapePressed()) {
        // an Escape pressed before the search does not cancel it
    }
    QTextBlock reading = block;
    QString line;
    std::optional<LinePoint> open = FindOpenBrace(
        {static_cast<std::size_t>(block.blockNumber()), static_cast<std::size_t>(offset - 1)},
        [&](std::size_t number) {
            while (static_cast<std::size_t>(reading.blockNumber()) > number)
                reading = reading.previous();
            line = reading.text();
            return View(line);
        },
        [&] { return escape.EscapePressed(); });
    escape.EndOperation();
    if (!open)
        return;

    QTextCursor brace(doc);
    brace.setPosition(reading.position() + static_cast<int>(open->offset));
    brace.setPosition(brace.position() + 1, QTextCursor::KeepAnchor);
    MainEdit->setTextCursor(brace);
    MarkBrace();
    MainEdit->viewport()->repaint(); // the pause lets nothing paint
    BusyWait(BraceDelayMilliseconds(main_.Options().braceDelay));
    ApplyStyle(StyleKind::Brace);
    QTextCursor back(doc);
    back.setPosition(caret);
    MainEdit->setTextCursor(back);
    ApplyStyle(StyleKind::Brace);
}

void TMDIChild::MarkBrace() {
    HighlightStyle marked = StyleFor(main_.Options().styles, StyleKind::Brace);
    marked.styles |= kUnderline;
    MainEdit->ApplyStyle(marked);
}

void TMDIChild::BusyWait(int ms) {
    // No event is processed, so keys typed meanwhile stay queued and are typed afterwards.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < ms) {
    }
}

void TMDIChild::CompleteCommand() {
    QTextCursor cursor = MainEdit->textCursor();
    if (cursor.hasSelection()) {
        // The completion goes after the command, the \end line after the caret: a selection
        // would only be lost text.
        cursor.setPosition(cursor.selectionEnd());
        MainEdit->setTextCursor(cursor);
    }
    TMyRichEdit::CaretLineInfo line = MainEdit->CaretLine();
    std::optional<CaretCommand> command =
        CommandAtCaret(View(line.text), static_cast<std::size_t>(line.column));
    if (!command)
        return;
    // Completing a command the caret has already left would write into the text after it.
    if (static_cast<std::size_t>(line.column) <= command->end) {
        std::optional<std::string> rest = CompletionOf(command->word, main_.Keywords().Keywords());
        const QString added = rest ? QString::fromStdString(*rest) : QString();
        if (!added.isEmpty() && MainEdit->RoomFor(static_cast<int>(added.size()))) {
            QTextCursor at(MainEdit->document());
            at.setPosition(line.start + static_cast<int>(command->end));
            at.insertText(MainEdit->Storable(added));
            MainEdit->setTextCursor(at);
        }
    }

    line = MainEdit->CaretLine();
    std::optional<std::u16string> name = EnvironmentToClose(View(line.text));
    if (!name)
        return;
    const QString environment = QString::fromStdU16String(*name);
    if (!MainEdit->RoomFor(2 + 6 + static_cast<int>(environment.size())))
        return;
    const StyleSet& styles = main_.Options().styles;
    auto format = [&](StyleKind kind) { return FormatOfStyle(StyleFor(styles, kind)); };
    QTextCursor at = MainEdit->textCursor();
    at.beginEditBlock();
    at.insertBlock();
    at.insertText(QStringLiteral("\\end"), format(StyleKind::TexCommand));
    at.insertText(QStringLiteral("{"), format(StyleKind::Brace));
    at.insertText(environment, format(StyleKind::Text));
    at.insertText(QStringLiteral("}"), format(StyleKind::Brace));
    at.endEditBlock();
    at.setPosition(at.block().position());
    MainEdit->setTextCursor(at);
    ApplyStyle(StyleKind::Text);
}

void TMDIChild::ContextHelp() {
    const QTextCursor cursor = MainEdit->textCursor();
    TMyRichEdit::CaretLineInfo line = MainEdit->CaretLine();
    const int col =
        std::clamp(cursor.selectionEnd() - line.start, 0, static_cast<int>(line.text.size()));
    std::optional<CaretCommand> command =
        CommandAtCaret(View(line.text), static_cast<std::size_t>(col));
    if (!command)
        return;
    // Until the LaTeX help is installed, the word it would be asked for.
    main_.SetPanel(2, QStringLiteral("LaTeX help: ") + QString::fromStdU16String(command->word));
}

} // namespace orvelt
