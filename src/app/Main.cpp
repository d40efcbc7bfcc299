#include "app/Main.h"

#include "app/ButtonBar.h"
#include "app/ChildArea.h"
#include "app/CommandTable.h"
#include "app/MenuKeys.h"
#include "app/RecentMenu.h"
#include "app/RecoveryFolder.h"
#include "app/RecoveryKeeper.h"
#include "app/RecoveryWriter.h"
#include "app/StatusPanels.h"
#include "app/TexMenu.h"
#include "app/WindowList.h"
#include "bib/fbibchild.h"
#include "editor/Childwin.h"
#include "editor/misspell.h"
#include "insert/arrow2.h"
#include "insert/binop2.h"
#include "insert/divers.h"
#include "insert/font.h"
#include "insert/greek.h"
#include "insert/mtable.h"
#include "insert/qtable.h"
#include "insert/relop.h"
#include "insert/table/TableGenerator.h"
#include "insert/texcmds.h"
#include "options/LearnedWords.h"
#include "options/options.h"
#include "platform/DataFolders.h"
#include "platform/FileIo.h"
#include "platform/HelpViewer.h"
#include "platform/Launcher.h"
#include "platform/Screens.h"
#include "project/InputFiles.h"
#include "project/ProjectSession.h"
#include "search/LineLocator.h"
#include "search/ReformatBlock.h"
#include "search/replace.h"
#include "toolchain/ProgramRunner.h"
#include "toolchain/errors.h"
#include "toolchain/log/LogParser.h"
#include "toolchain/logmdi.h"
#include "widgets/About.h"
#include "widgets/Numedit.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QSessionManager>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QThread>
#include <QVBoxLayout>

namespace orvelt {

TMainForm::TMainForm(Environment env, QWidget* parent)
    : QMainWindow(parent), settings_(env.settings), prompter_(env.prompter),
      arguments_(std::move(env.arguments)), placement_(ReadMainSettings(settings_)),
      options_(settings_), escape_(std::make_unique<EscapePoller>(this)),
      noHelp_(std::make_unique<NoHelpViewer>()), help_(env.help ? env.help : noHelp_.get()) {
    if (!env.launcher)
        ownLauncher_ = std::make_unique<ProcessLauncher>();
    runner_ = new ProgramRunner(prompter_, env.launcher ? *env.launcher : *ownLauncher_, this);
    setObjectName("MainForm");
    setWindowTitle(QStringLiteral("Orvelt 95"));
    recovery_ = std::make_unique<RecoveryFolder>();
    recoveryThread_ = new QThread(this);
    recoveryWriter_ = new RecoveryWriter;
    recoveryWriter_->moveToThread(recoveryThread_);
    recoveryThread_->start();
    setAcceptDrops(true);

    path_ = QString::fromStdString(placement_.path);
    if (!settings_.Read("Path"))
        path_ = env.dataDirectory; // the installed data files; nothing is written
    // Until a file was opened, the dialogs start where the program was started.
    lastDir_ = settings_.Read("LastDir") ? QString::fromStdString(placement_.lastDir)
                                         : QDir::currentPath();
    // A stored placement is brought onto the screen: a stored 100,000-pixel width made a
    // window of gigabytes.
    const QRect area = AvailableScreenArea(QPoint(placement_.left, placement_.top));
    const PixelRect at = StartPlacement(placement_, settings_.Read("Width").has_value(),
                                        {area.x(), area.y(), area.width(), area.height()});
    setGeometry(at.left, at.top, at.width, at.height);
    if (placement_.maximized)
        setWindowState(Qt::WindowMaximized);

    commands_ = std::make_unique<CommandTable>(*this);
    recentMenu_ = new RecentMenu(commands_->Menu("&File"), placement_.quickload);
    connect(recentMenu_, &RecentMenu::Chosen, this,
            [this](const QString& name) { OpenDocument(name); });
    texMenu_ = new TexMenu(commands_->Menu("&TeX"));
    connect(texMenu_, &TexMenu::Run, this, &TMainForm::TexMenu1Click);
    connect(runner_, &ProgramRunner::TransientText, this, &TMainForm::ShowTransientMessage);
    errorView_ = new TErrorView(this);
    connect(errorView_, &TErrorView::Jump, this, &TMainForm::JumpToLogLine);
    // The button bar sits above the documents, under the tool bar.
    auto* client = new QWidget(this);
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    buttonBar_ = new ButtonBar(*texMenu_, client);
    area_ = new ChildArea(client);
    column->addWidget(buttonBar_);
    column->addWidget(area_);
    setCentralWidget(client);
    area_->List().ListIn(commands_->Menu("&Window"));
    project_ =
        new ProjectSession({prompter_, lastDir_, area_->TreePanel(), area_->Splitter()}, this);
    connect(project_, &ProjectSession::StateChanged, this, &TMainForm::UpdateMenuItems);
    connect(project_, &ProjectSession::OpenRequested, this,
            [this](const QString& file) { OpenDocument(file); });
    connect(project_, &ProjectSession::Loaded, this, &TMainForm::RegisterFile);
    connect(project_, &ProjectSession::TransientText, this, &TMainForm::ShowTransientMessage);
    panels_ = new StatusPanels(statusBar());
    panels_->FitWidth(width());
    lineLocator_ = new LineLocator(statusBar(), prompter_, [this] { return ActiveSourceWindow(); });
    statusBar()->hide(); // shown by the first layout

    // A document window closes with the platform's Close key and with Ctrl+F4 alike.
    auto* closeChild = new QAction(this);
    closeChild->setObjectName("WindowCloseChild");
    // Where the two are one key (Qt's offscreen platform), twice would make it ambiguous.
    QList<QKeySequence> closeKeys = QKeySequence::keyBindings(QKeySequence::Close);
    if (!closeKeys.contains(QKeySequence(Qt::CTRL | Qt::Key_F4)))
        closeKeys.append(QKeySequence(Qt::CTRL | Qt::Key_F4));
    closeChild->setShortcuts(closeKeys);
    connect(closeChild, &QAction::triggered, this, [this] {
        if (ChildWindow* child = area_->Active())
            area_->Close(child);
    });
    addAction(closeChild);

    replaceDlg_ = new TReplaceDlg({prompter_, *help_, [this] { return ActiveChild(); },
                                   [this](int done, int total) { updateStatus(done, total); }},
                                  this);
    connect(replaceDlg_, &TReplaceDlg::FindTextEmptyChanged, this, &TMainForm::UpdateMenuItems);
    connect(replaceDlg_, &TReplaceDlg::Closed, this, [this] {
        ChildWindow* child = ActiveChild();
        if (!child)
            return;
        activateWindow();
        if (TMDIChild* source = ActiveSourceWindow())
            source->MainEdit->setFocus();
        else if (QWidget* last = child->focusWidget())
            last->setFocus();
    });
    inputs_ = new TinputFiles({prompter_, *escape_, [this] { return ActiveSourceWindow(); },
                               [this] { return ProjectMainFile(); },
                               [this](const QString& name) { return OpenDocument(name); },
                               [this](int done, int total) { updateStatus(done, total); }},
                              this);
    if (env.windowMade)
        env.windowMade();
    CreateOptions();
    queryTable_ = new TqueryTable(this);
    makeTable_ = new TmakeTable(*queryTable_, prompter_, this);
    misspelled_ = new Tmisspelled({options_, prompter_,
                                   [this](int done, int total) { updateStatus(done, total); },
                                   [this] { panels_->SetPanel(0, {}); }},
                                  this);
    updateMenusConnection_ =
        connect(area_, &ChildArea::ActiveChanged, this, &TMainForm::ActiveWindowChanged);
    connect(qApp, &QGuiApplication::commitDataRequest, this, &TMainForm::CommitData);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
        if (s == Qt::ApplicationActive)
            if (ChildWindow* child = ActiveChild())
                child->CheckFileOnDisk();
    });
    panels_->SetPanel(0, {});
    panels_->SetPanel(1, {});
    UpdateMenuItems();
}

TMainForm::~TMainForm() {
    disconnect(updateMenusConnection_);
    closing_ = true;
    // Every copy handed over is on disk before the program ends.
    recoveryWriter_->Flush();
    recoveryThread_->quit();
    recoveryThread_->wait();
    delete recoveryWriter_;
}

void TMainForm::FlushRecoveryCopies() {
    recoveryWriter_->Flush();
    QApplication::processEvents(); // their outcome reaches the windows
}

QAction* TMainForm::Action(const QString& objectName) const {
    if (QAction* action = commands_->Action(objectName))
        return action;
    return findChild<QAction*>(objectName);
}

const RecentFiles& TMainForm::Recent() const {
    return recentMenu_->Files();
}

const QStringList& TMainForm::Windowlist() const {
    return area_->List().Captions();
}

QMdiArea* TMainForm::MdiArea() const {
    return area_->Mdi();
}

QTabBar* TMainForm::TabControl() const {
    return area_->Tabs();
}

QString TMainForm::PanelText(int panel) const {
    return panels_->PanelText(panel);
}

void TMainForm::ShowTransientMessage(const QString& text) {
    panels_->ShowTransientMessage(text);
}

void TMainForm::updateStatus(int done, int total) {
    panels_->updateStatus(done, total);
}

bool TMainForm::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        panels_->SetPanel(2, static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (firstActivation_)
        QMetaObject::invokeMethod(this, &TMainForm::FirstActivate, Qt::QueuedConnection);
}

void TMainForm::FirstActivate() {
    if (!firstActivation_)
        return;
    firstActivation_ = false;
    resizeEvent(nullptr);
    // First: a file the session reopens too is then raised, recovered, not opened twice.
    OfferRecoveredText();
    if (arguments_.isEmpty()) {
        for (const std::string& file : ReadOpenFiles(settings_))
            OpenDocument(QString::fromStdString(file));
    } else {
        for (const QString& file : arguments_) {
            const QString full = QFileInfo(file).absoluteFilePath();
            if (OpenDocument(full))
                RegisterFile(full);
        }
    }
    update();
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    if (event)
        QMainWindow::resizeEvent(event);
    if (closing_ || firstActivation_)
        return;
    panels_->FitWidth(width());
    statusBar()->show();
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile())
            continue;
        if (OpenDocument(url.toLocalFile()))
            RegisterFile(url.toLocalFile());
    }
    event->acceptProposedAction();
}

void TMainForm::RegisterFile(const QString& name) {
    recentMenu_->Register(name);
}

// ---- Options ----

void TMainForm::CreateOptions() {
    for (const QString& warning : options_.LoadFiles(path_))
        prompter_.Message(MessageKind::Warning, MessageButtons::Ok, warning);
    opt_ = new Topt({options_, prompter_, *help_, path_}, this);
    connect(opt_, &Topt::Closed, this, &TMainForm::OptionsClosed);
    connect(buttonBar_, &ButtonBar::Rebuilt, this, &TMainForm::UpdateMenuItems);
    connect(opt_, &Topt::ButtonbarChanged, this, &TMainForm::BuildButtonBar);
    connect(opt_, &Topt::MenuInputsChanged, this, &TMainForm::UpdateMenuItems);
    connect(opt_, &Topt::ProgramListChanged, this, [this] {
        BuildTeXMenu();
        BuildButtonBar();
        UpdateMenuItems();
    });
    connect(opt_, &Topt::OpenSnippet, this, [this](const QString& file) { OpenDocument(file); });
    BuildTeXMenu();
    BuildButtonBar();
}

void TMainForm::BuildTeXMenu() {
    texMenu_->Build(options_.Values().programs);
    // No snippet may take a key of the menus or of standard editing.
    options_.SetOccupiedKeys(OccupiedKeyTexts(menuBar(), Action("WindowCloseChild")->shortcuts()));
}

void TMainForm::BuildButtonBar() {
    buttonBar_->Build(options_.Values().buttonbar);
}

void TMainForm::OptionsClosed() {
    BuildTeXMenu();
    BuildButtonBar();
    UpdateMenuItems();
    emit options_.Changed(); // the snippet menus of every window
}

// ---- Child windows ----

int TMainForm::ChildCount() const {
    return area_->Count();
}

ChildWindow* TMainForm::ActiveChild() const {
    return area_->Active();
}

TMDIChild* TMainForm::ActiveSourceWindow() const {
    ChildWindow* active = ActiveChild();
    return active && active->Kind() == ChildKind::Source ? qobject_cast<TMDIChild*>(active)
                                                         : nullptr;
}

ChildWindow* TMainForm::WindowOf(const QString& fileName) const {
    const QFileInfo wanted(fileName);
    for (ChildWindow* child : area_->InCreationOrder()) {
        const QString name = child->FileNameOf();
        if (name.isEmpty())
            continue;
        // The same file by another spelling of its path (a link, "..") is the same file.
        const QFileInfo held(name);
        if (held.absoluteFilePath() == wanted.absoluteFilePath() ||
            (held.exists() && held.canonicalFilePath() == wanted.canonicalFilePath()))
            return child;
    }
    return nullptr;
}

TBIBChild* TMainForm::ActiveBibWindow() const {
    ChildWindow* active = ActiveChild();
    return active && active->Kind() == ChildKind::Bibliography ? qobject_cast<TBIBChild*>(active)
                                                               : nullptr;
}

std::pair<TBIBChild*, QMdiSubWindow*> TMainForm::NewBibWindow() {
    auto* child = new TBIBChild({prompter_, lastDir_});
    ConnectChild(child);
    return {child, area_->Add(child)};
}

std::pair<TMDIChild*, QMdiSubWindow*> TMainForm::NewSourceWindow() {
    auto* child = new TMDIChild({options_, prompter_, *escape_, lastDir_, path_});
    ConnectChild(child);
    return {child, area_->Add(child)};
}

void TMainForm::ConnectChild(ChildWindow* child) {
    // The Save controls and the panels follow the active window only: a window saved or
    // autosaved behind it must not clear what the active one shows.
    connect(child, &ChildWindow::ModifiedChanged, this, [this, child] {
        if (child == ActiveChild())
            UpdateMenuItems();
    });
    connect(child, &ChildWindow::RowChanged, this, [this, child](int row) {
        if (child == ActiveChild())
            panels_->SetPanel(0, row > 0 ? QStringLiteral(" Row: %1").arg(row) : QString());
    });
    connect(child, &ChildWindow::InsertModeChanged, this, [this, child](const QString& mode) {
        if (child == ActiveChild())
            panels_->SetPanel(3, mode);
    });
    connect(child, &ChildWindow::StatusText, this,
            [this](const QString& text) { panels_->SetPanel(2, text); });
    connect(child, &ChildWindow::TransientText, panels_, &StatusPanels::ShowTransientMessage);
    connect(child, &ChildWindow::Progress, panels_, &StatusPanels::updateStatus);
    connect(child, &ChildWindow::SavedAs, this, [this](const QString& name) {
        lastDir_ = QFileInfo(name).absolutePath();
        RegisterFile(name);
    });
    if (child->Kind() != ChildKind::Log)
        new RecoveryKeeper(*child, *recoveryWriter_, *recovery_, prompter_, ++recoveryNumber_);
}

void TMainForm::ActiveWindowChanged() {
    ChildWindow* active = ActiveChild();
    if (active != lastActive_) {
        if (lastActive_)
            lastActive_->FormDeactivate();
        lastActive_ = active;
        if (active)
            active->FormActivate();
    }
    UpdateMenuItems();
}

void TMainForm::UpdateMenuItems() {
    ChildWindow* active = ActiveChild();
    CommandSituation situation;
    situation.dictionarySet = !options_.Values().dictionary.empty();
    situation.projectOpen = project_->IsOpen();
    situation.findTextEmpty = replaceDlg_->FindText().isEmpty();
    if (active) {
        area_->List().Select(active);
        situation.active = active->Kind();
        situation.activeModified = active->IsModified();
    }
    commands_->Apply(situation);
    replaceDlg_->FollowActiveWindow(situation.active);
    Action("WindowCloseChild")->setEnabled(IsEnabled(*RuleOf("WindowCloseChild"), situation));
    const bool runnable = IsEnabled(*RuleOf("TeXItem1"), situation);
    for (QAction* item : texMenu_->Items())
        item->setEnabled(runnable);
    GiveMenuKeysToFirstEnabled(menuBar());
    panels_->SetPanel(1, situation.activeModified ? QStringLiteral("Modified") : QString());
    if (!active) {
        panels_->SetPanel(3, {});
        panels_->SetPanel(4, {});
    } else if (active->Kind() != ChildKind::Source) {
        // Rows and the insert mode are a text's.
        panels_->SetPanel(0, {});
        panels_->SetPanel(3, {});
    }
}

void TMainForm::ShowNewChild(ChildWindow* child) {
    ConnectChild(child);
    ShowChild(area_->Add(child), child);
}

// ---- Opening ----

QString TMainForm::NewDocumentName() const {
    return QStringLiteral("NONAME%1").arg(ChildCount() + 1);
}

bool TMainForm::OpenDocument(const QString& name, bool fromTemplate) {
    // A second window on one file would let a save of one overwrite the other's changes.
    if (!fromTemplate) {
        if (ChildWindow* open = WindowOf(name)) {
            area_->Raise(open);
            ActiveWindowChanged();
            return true;
        }
    }
    const QString ext = UpperExtensionOf(name);
    if (ext == ".ORP")
        return project_->Load(name);
    if (ext == ".ORV") {
        prompter_.Message(
            MessageKind::Error, MessageButtons::Ok,
            "Please edit the original file! The ORV-file will be updated automatically.");
        return false;
    }
    // No warning that fields would be lost: the bibliography window keeps every one.
    if (ext == ".BIB" && !fromTemplate && options_.Values().useBibEdit) {
        auto [child, sub] = NewBibWindow();
        if (!child->FormCreate(name)) {
            area_->Drop(sub);
            UpdateMenuItems();
            return false;
        }
        ShowChild(sub, child);
        return true;
    }
    const QString untitled = fromTemplate ? NewDocumentName() : QString();
    auto [child, sub] = NewSourceWindow();
    if (!child->FormCreate(name, untitled)) {
        area_->Drop(sub);
        UpdateMenuItems();
        return false;
    }
    ShowChild(sub, child);
    return true;
}

void TMainForm::ShowChild(QMdiSubWindow* sub, ChildWindow* child) {
    area_->Show(sub, child);
    ActiveWindowChanged();
}

// ---- Commands ----

void TMainForm::FileNewItemClick() {
    // Untitled is a state of the window, never read from a name.
    const QString caption = NewDocumentName();
    auto [child, sub] = NewSourceWindow();
    child->FormCreateUntitled(caption);
    ShowChild(sub, child);
}

void TMainForm::FileNewBibItemClick() {
    if (!options_.Values().useBibEdit) {
        FileNewItemClick();
        return;
    }
    const QString caption = NewDocumentName();
    auto [child, sub] = NewBibWindow();
    child->FormCreateUntitled(caption);
    ShowChild(sub, child);
}

void TMainForm::FileImportBibItemClick() {
    TBIBChild* bibliography = ActiveBibWindow();
    if (!bibliography)
        return;
    auto file =
        prompter_.OpenFileName({"Import BIB file", lastDir_, {}, TexFileFilters(), 1, true, {}});
    if (!file)
        return;
    if (UpperExtensionOf(*file) != ".BIB") {
        prompter_.Message(MessageKind::Error, MessageButtons::Ok, "That's not a BIB file!");
        return;
    }
    bibliography->ImportBIB(*file);
}

void TMainForm::FileNewTemplateClick() {
    // The user's own templates first when there are any; both folders are at hand.
    const QString mine = UserDataFolder("Template");
    const QString installed = path_ + "/Template";
    const bool hasMine = !QDir(mine).entryList(QDir::Files).isEmpty();
    FileDialogRequest request{"New from...", hasMine ? mine : installed, {}, TexFileFilters(), 1,
                              true,          {mine, installed}};
    if (auto file = prompter_.OpenFileName(request))
        OpenDocument(*file, true);
}

void TMainForm::FileOpenItemClick() {
    FileDialogRequest request{"Open file", lastDir_, {}, TexFileFilters(), 1, true, {}};
    auto file = prompter_.OpenFileName(request);
    if (!file)
        return;
    lastDir_ = QFileInfo(*file).absolutePath();
    // Listed only once it opened: a refused or aborted open is no recent file.
    if (OpenDocument(*file))
        RegisterFile(*file);
}

void TMainForm::FileSaveItemClick() {
    ChildWindow* child = ActiveChild();
    if (child && child->SaveDocument())
        ShowTransientMessage(child->SaveNote().isEmpty()
                                 ? QStringLiteral("File saved successfully.")
                                 : child->SaveNote());
}

void TMainForm::FileSaveAllClick() {
    if (project_->IsOpen() && project_->IsModified())
        project_->Save(project_->FileName());
    for (ChildWindow* child : area_->InCreationOrder())
        if (child->IsModified())
            child->SaveDocument();
}

void TMainForm::FileSaveAsItemClick() {
    if (ChildWindow* child = ActiveChild())
        child->SaveDocumentAs();
}

void TMainForm::FileSaveAsTemplateClick() {
    SaveAsInDirectory(UserDataFolder("Template"));
}

void TMainForm::FileSaveAsShortcutClick() {
    // The snippet's key is chosen on the options' Shortcuts page.
    if (SaveAsInDirectory(UserDataFolder("Shortcut")))
        opt_->ShowOptions(ActiveChild()->FileNameOf());
}

bool TMainForm::SaveAsInDirectory(const QString& directory) {
    TMDIChild* source = ActiveSourceWindow();
    if (!source)
        return false;
    // The user's own folder: the installed templates and snippets beside the program are not
    // the user's to change, and an installed program may not write there.
    if (FileResult made = MakeDirectories(directory); !made.ok) {
        prompter_.Message(MessageKind::Error, MessageButtons::Ok,
                          "Error creating " + directory + ": " + made.error);
        return false;
    }
    return source->SaveAsCopyIn(directory);
}

void TMainForm::FileExitItemClick() {
    if (prompter_.Message(MessageKind::Confirmation, MessageButtons::YesNo,
                          "Ok to exit Orvelt 95?") == Answer::Yes)
        close();
}

void TMainForm::EditUndoClick() {
    if (ChildWindow* child = ActiveChild())
        child->EditUndo();
}

void TMainForm::EditRedoClick() {
    if (ChildWindow* child = ActiveChild())
        child->EditRedo();
}

void TMainForm::EditCutClick() {
    if (ChildWindow* child = ActiveChild())
        child->EditCut();
}

void TMainForm::EditCopyClick() {
    if (ChildWindow* child = ActiveChild())
        child->EditCopy();
}

void TMainForm::EditPasteClick() {
    if (ChildWindow* child = ActiveChild())
        child->EditPaste();
}

void TMainForm::Find1Click() {
    replaceDlg_->Find1Click();
}

void TMainForm::Findagain1Click() {
    replaceDlg_->Findagain1Click();
}

void TMainForm::ViewOptionsClick() {
    opt_->ShowOptions();
}

void TMainForm::TexMenu1Click(int tag) {
    const std::vector<ProgramEntry>& programs = texMenu_->Programs();
    if (tag < 1 || tag > static_cast<int>(programs.size()))
        return;
    runner_->Run(programs[tag - 1], {area_->InCreationOrder(), ActiveChild(), ProjectMainFile(),
                                     [this](const QString& file) { return IsInProject(file); }});
}

QString TMainForm::LogSource() const {
    if (const QString main = ProjectMainFile(); !main.isEmpty())
        return main;
    ChildWindow* active = ActiveChild();
    return active ? active->FileNameOf() : QString();
}

QString TMainForm::LogName(bool bibliography) const {
    return PathOfBytes(LogFileName(PathBytes(LogSource()), bibliography));
}

void TMainForm::LogDatei1Click() {
    ChildWindow* active = ActiveChild();
    const bool bibliography = active && active->Kind() == ChildKind::Bibliography;
    const QString name = LogName(bibliography);
    auto* viewer = new TLogChild;
    // A window without a file has no log: nothing is looked up in the editor's own folder.
    if (LogSource().isEmpty() || !viewer->FormCreate(name)) {
        delete viewer;
        prompter_.Message(MessageKind::Error, MessageButtons::Ok, "Error reading " + name);
        return;
    }
    ShowNewChild(viewer);
    if (!viewer->Note().isEmpty())
        panels_->SetPanel(2, viewer->Note());
}

void TMainForm::ErrorsWarnings1Click() {
    const QString name = LogName(false);
    QFile log(name);
    if (LogSource().isEmpty() || !log.open(QIODevice::ReadOnly)) {
        prompter_.Message(MessageKind::Error, MessageButtons::Ok, "Error reading " + name);
        return;
    }
    // In blocks: a TeX run caught in a loop writes logs of gigabytes.
    LogParser parser;
    QByteArray block;
    while (!(block = log.read(64 * 1024)).isEmpty())
        parser.Feed(std::string_view(block.constData(), static_cast<std::size_t>(block.size())));
    if (log.error() != QFileDevice::NoError) {
        prompter_.Message(MessageKind::Error, MessageButtons::Ok, "Error reading " + name);
        return;
    }
    errorView_->Fill(parser.Finish());
    errorView_->FormShow();
}

void TMainForm::JumpToLogLine(const QString& digits) {
    TMDIChild* source = ActiveSourceWindow();
    const LineNumber n = ExtractLineNumber(digits.toStdString());
    if (!source || n.kind != LineNumber::Kind::Number)
        return; // no text to move in, or no line to go to
    source->JumpToLine(n.value);
}

void TMainForm::ViewRefreshClick() {
    ChildWindow* active = ActiveChild();
    if (!active || active->Kind() != ChildKind::Source)
        return; // a bibliography window has no styled text
    auto* source = static_cast<TMDIChild*>(active);
    const QString name = source->FileNameOf();
    if (name.isEmpty()) {
        source->RestyleAll();
        return;
    }
    // The file is read anew from its text: unless it can be, the window and its sidecar stay,
    // or the text would be lost with them.
    if (!source->CanReimport())
        return;
    if (!area_->Close(source))
        return; // Cancel, or a save that failed: the window stays as it was
    // Left in place, the old colours would come back with it; the text is safe either way.
    if (FileResult removed = RemoveFile(name + ".orv"); !removed.ok)
        prompter_.Message(MessageKind::Error, MessageButtons::Ok,
                          "Error deleting " + name + ".orv: " + removed.error);
    // As it was: a source window, whatever the extension says (.bib, .orp, none).
    auto [child, sub] = NewSourceWindow();
    if (!child->FormCreate(name)) {
        area_->Drop(sub);
        UpdateMenuItems();
        return;
    }
    ShowChild(sub, child);
}

void TMainForm::WindowTileItemClick() {
    area_->Mdi()->tileSubWindows();
}

void TMainForm::WindowCascadeItemClick() {
    area_->Mdi()->cascadeSubWindows();
}

void TMainForm::WindowArrangeItemClick() {
    area_->List().ArrangeIcons();
}

void TMainForm::BtnTableClick() {
    TMDIChild* source = ActiveSourceWindow();
    if (!source || queryTable_->exec() != QDialog::Accepted)
        return;
    if (queryTable_->EditCols->Number() == 0 || queryTable_->EditRows->Number() == 0)
        return;
    if (makeTable_->exec() != QDialog::Accepted)
        return;
    source->InsertTable(GenerateTable(makeTable_->Design(), makeTable_->ExSizes()));
}

void TMainForm::Spellcheck1Click() {
    if (TMDIChild* source = ActiveSourceWindow())
        misspelled_->Start(*source);
}

TPaletteWindow* TMainForm::Adopt(TPaletteWindow* palette) {
    connect(palette, &TPaletteWindow::InsertRequested, this, &TMainForm::InsertPaletteText);
    return palette;
}

void TMainForm::OpenPalette(TPaletteWindow* palette, const char* button) {
    if (auto* at = findChild<QWidget*>(QLatin1String(button)))
        palette->OpenBelow(at);
}

void TMainForm::BtnGreekClick() {
    if (!greek_)
        greek_ = Adopt(new TGreekLetters(this));
    OpenPalette(greek_, "BtnGreek");
}

void TMainForm::BtnBinOpsClick() {
    if (!binOps_)
        binOps_ = Adopt(new TBinOps(this));
    OpenPalette(binOps_, "BtnBinOps");
}

void TMainForm::BtnRelOpsClick() {
    if (!relOps_)
        relOps_ = Adopt(new Trelops(this));
    OpenPalette(relOps_, "BtnRelOps");
}

void TMainForm::BtnArrowsClick() {
    if (!arrows_)
        arrows_ = Adopt(new Tarrows(this));
    OpenPalette(arrows_, "BtnArrows");
}

void TMainForm::BtnMiscClick() {
    if (!misc_)
        misc_ = Adopt(new Tmisc(this));
    OpenPalette(misc_, "BtnMisc");
}

void TMainForm::BtnFontsClick() {
    if (!fonts_)
        fonts_ = Adopt(new Tfonts(this));
    OpenPalette(fonts_, "BtnFonts");
}

void TMainForm::BtnTeXCmdClick() {
    if (!texCmd_) // the keyword list was read at the start
        texCmd_ = Adopt(new TtexCmd(options_.Keywords().Keywords(), this));
    OpenPalette(texCmd_, "BtnTeXCmd");
}

void TMainForm::InsertPaletteText(const QString& text) {
    TMDIChild* source = ActiveSourceWindow();
    if (!source)
        return;       // a palette left open over a bibliography or log window, or over none
    activateWindow(); // the command list had the keyboard
    source->InsertPaletteText(text);
}

void TMainForm::BtnInputsClick() {
    inputs_->BtnInputsClick(findChild<QWidget*>(QStringLiteral("BtnInputs")));
}

void TMainForm::ReformatBlockClick() {
    if (TMDIChild* source = ActiveSourceWindow())
        ReformatBlock(*source,
                      {*escape_, [this](int done, int total) { updateStatus(done, total); },
                       [this](const QString& text) { panels_->SetPanel(2, text); }});
}

void TMainForm::HelpAboutItemClick() {
    TAboutBox about(this);
    about.exec();
}

// ---- Shutdown ----

void TMainForm::closeEvent(QCloseEvent* event) {
    if (sessionEnded_) {
        event->accept();
        return;
    }
    // The project's changes are asked about first: a Cancel or a failed save stops here, with
    // everything as it was. The project closes only when the shutdown goes through.
    if (!project_->AskToSave()) {
        event->ignore();
        return;
    }
    disconnect(updateMenusConnection_);
    placement_.lastDir = lastDir_.toStdString();
    placement_.maximized = isMaximized();
    if (!placement_.maximized) {
        placement_.left = geometry().x();
        placement_.top = geometry().y();
        placement_.width = geometry().width();
        placement_.height = geometry().height();
    }
    placement_.quickload = recentMenu_->Files().Paths();
    WriteMainSettings(settings_, placement_);
    std::vector<std::string> open;
    if (project_->IsOpen())
        open.push_back(project_->FileName().toStdString()); // reopened first at the next start
    for (ChildWindow* child : area_->LastToFirst()) {
        // An untitled window has no name to reopen; an empty entry would end the list.
        if (child->Kind() != ChildKind::Log && !child->FileNameOf().isEmpty())
            open.push_back(child->FileNameOf().toStdString());
    }
    WriteOpenFiles(settings_, open);
    settings_.Commit();

    closing_ = true;
    for (ChildWindow* child : area_->LastToFirst()) {
        if (child->IsModified())
            area_->Raise(child); // the window asked about is the one in front
        if (!area_->Close(child)) {
            closing_ = false;
            updateMenusConnection_ =
                connect(area_, &ChildArea::ActiveChanged, this, &TMainForm::ActiveWindowChanged);
            UpdateMenuItems();
            event->ignore();
            return;
        }
    }
    event->accept();
}

bool TMainForm::SessionEnding(bool interactionAllowed) {
    if (interactionAllowed) {
        if (!project_->AskToSave())
            return false;
        for (ChildWindow* child : area_->LastToFirst()) {
            if (child->IsModified() && !child->AskToSave())
                return false;
        }
    } else {
        // No question may be asked: the texts are kept for the next start, and the project's
        // list of files, which is no text of the user's, is written in place.
        for (ChildWindow* child : area_->LastToFirst())
            if (auto* keeper = child->findChild<RecoveryKeeper*>(); keeper && child->IsModified())
                (void)keeper->KeepAndWait();
        if (project_->IsOpen() && project_->IsModified())
            (void)project_->Save(project_->FileName(), ProjectSession::Report::Silently);
    }
    StoreLearnedWords(options_, prompter_,
                      interactionAllowed ? LearnedWordsMoment::EndOfRun
                                         : LearnedWordsMoment::Silently);
    // The session manager ends the program itself; quitting inside its request is not allowed.
    sessionEnded_ = true;
    return true;
}

void TMainForm::OfferRecoveredText() {
    recovery_->Offer(prompter_, [this](const RecoveryCopy& copy) {
        const QString caption = NewDocumentName();
        const QString name = QString::fromStdString(copy.fileName);
        ChildWindow* opened = nullptr;
        if (UpperExtensionOf(name) == ".BIB" && options_.Values().useBibEdit) {
            auto [child, sub] = NewBibWindow();
            child->FormCreateRecovered(copy, caption);
            ShowChild(sub, child);
            opened = child;
        } else {
            auto [child, sub] = NewSourceWindow();
            child->FormCreateRecovered(copy, caption);
            ShowChild(sub, child);
            opened = child;
        }
        // The window keeps its copy in the one it was opened from, until it is saved.
        auto* keeper = opened->findChild<RecoveryKeeper*>();
        return keeper ? keeper->Adopt() : QString();
    });
}

void TMainForm::CommitData(QSessionManager& manager) {
    if (!SessionEnding(manager.allowsInteraction()))
        manager.cancel();
    manager.release();
}

void TMainForm::WriteEndOfRunSettings() {
    options_.WriteAtEnd();
    StoreLearnedWords(options_, prompter_, LearnedWordsMoment::EndOfRun);
    // Settings that cannot be written are not dropped silently.
    if (auto failure = settings_.CommitFailure())
        prompter_.Message(MessageKind::Error, MessageButtons::Ok,
                          "The settings could not be saved to " + QString::fromStdString(*failure) +
                              ".");
}

} // namespace orvelt
