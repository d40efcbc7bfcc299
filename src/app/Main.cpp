#include "app/Main.h"

#include "editor/Childwin.h"
#include "editor/files/RtfCodec.h"
#include "editor/highlight/KeywordList.h"
#include "platform/FileIo.h"
#include "widgets/About.h"
#include "widgets/ToolIcons.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QSessionManager>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace orvelt {

namespace {

QString NamePart(const QString& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

QString ExtensionUpper(const QString& path) {
    QString name = NamePart(path);
    int dot = name.lastIndexOf('.');
    return dot < 0 ? QString() : name.mid(dot).toUpper();
}

} // namespace

TMainForm::TMainForm(Environment env, QWidget* parent)
    : QMainWindow(parent), settings_(env.settings), prompter_(env.prompter),
      arguments_(std::move(env.arguments)), escape_(std::make_unique<EscapePoller>(this)) {
    setObjectName("MainForm");
    setWindowTitle(QStringLiteral("Orvelt 95"));
    setAcceptDrops(true);

    placement_ = ReadMainSettings(settings_);
    path_ = QString::fromStdString(placement_.path);
    if (!settings_.Read("Path"))
        path_ = env.dataDirectory; // the installed data files; nothing is written
    lastDir_ = settings_.Read("LastDir") ? QString::fromStdString(placement_.lastDir) : path_;
    setGeometry(placement_.left, placement_.top, placement_.width, placement_.height);
    if (placement_.maximized)
        setWindowState(Qt::WindowMaximized);
    recent_.Load(placement_.quickload);

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateCentralArea();
    CreateStatusBar();
    FillRecentMenu();

    timer2_.setInterval(3000);
    timer2_.setSingleShot(true);
    connect(&timer2_, &QTimer::timeout, this, [this] { SetPanel(2, {}); });

    // Options are read after the main window exists, as the options window is made later.
    options_ = ReadOptionValues(settings_);
    std::string keywordBytes;
    if (ReadFileBytes(path_ + "/KEYWORDS.TXT", keywordBytes).ok)
        keywords_ = KeywordTable(SplitKeywordList(keywordBytes));

    updateMenusConnection_ =
        connect(mdiArea_, &QMdiArea::subWindowActivated, this, &TMainForm::ActiveWindowChanged);
    connect(qApp, &QGuiApplication::commitDataRequest, this, &TMainForm::CommitData);
    SetPanel(0, {});
    SetPanel(1, {});
    UpdateMenuItems();
}

TMainForm::~TMainForm() {
    disconnect(updateMenusConnection_);
    Closing = true;
}

QAction* TMainForm::MakeAction(const char* objectName, const QString& caption,
                               const QString& hint) {
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(objectName));
    action->setStatusTip(hint);
    return action;
}

const QStringList& TMainForm::FileFilters() {
    // Both cases: this file system tells paper.TEX from paper.tex.
    static const QStringList filters = {
        QStringLiteral("All files (*)"),
        QStringLiteral("TeX files (*.tex *.TEX *.sty *.STY *.doc *.DOC *.bib *.BIB)")};
    return filters;
}

QAction* TMainForm::Action(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

void TMainForm::CreateActions() {
    auto bind = [this](QAction* a, void (TMainForm::*slot)()) {
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    bind(MakeAction("FileNewTemplateItem", "&From Template...", "Create new document from file..."),
         &TMainForm::FileNewTemplateClick);
    MakeAction("FileNewBibItem", "&BIB file", "Create new BIB file")->setEnabled(false);
    bind(MakeAction("FileNewItem", "&Nothing special", "Create some other file (*.TEX, etc.)"),
         &TMainForm::FileNewItemClick);
    bind(MakeAction("FileOpenItem", "&Open...", "Open existing document"),
         &TMainForm::FileOpenItemClick);
    QAction* save = bind(MakeAction("FileSaveItem", "&Save", "Save current file"),
                         &TMainForm::FileSaveItemClick);
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    bind(MakeAction("FileSaveAllItem", "Save a&ll", "Saves all modified files"),
         &TMainForm::FileSaveAllClick);
    bind(MakeAction("FileSaveAsShortcutItem", "&Shortcut",
                    "Save file in the default Shortcut-directory and define a key for it."),
         &TMainForm::FileSaveAsShortcutClick);
    bind(MakeAction("FileSaveAsTemplateItem", "&Template",
                    "Save the file in the default Template-directory."),
         &TMainForm::FileSaveAsTemplateClick);
    bind(MakeAction("FileSaveAsItem", "&Nothing special", "Just do an ordinary Save as..."),
         &TMainForm::FileSaveAsItemClick);
    MakeAction("FileImportBibItem", "&Import BIB file...", "Import a BIB file into the current one")
        ->setEnabled(false);
    bind(MakeAction("FileExitItem", "E&xit", "Exit Orvelt 95"), &TMainForm::FileExitItemClick);
    for (int k = 0; k < static_cast<int>(RecentFiles::kSize); ++k) {
        QAction* item = MakeAction(("N" + std::to_string(k + 1) + "1").c_str(), {}, {});
        connect(item, &QAction::triggered, this, [this, k] { RecentItemClick(k); });
        recentItems_[static_cast<std::size_t>(k)] = item;
    }

    bind(MakeAction("EditUndoItem", "&Undo", {}), &TMainForm::EditUndoClick);
    QAction* cut =
        bind(MakeAction("EditCutItem", "&Cut", "Cut to clipboard"), &TMainForm::EditCutClick);
    cut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    QAction* copy =
        bind(MakeAction("EditCopyItem", "Co&py", "Copy to clipboard"), &TMainForm::EditCopyClick);
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    QAction* paste = bind(MakeAction("EditPasteItem", "&Paste", "Paste from clipboard"),
                          &TMainForm::EditPasteClick);
    paste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));

    connect(MakeAction("WindowTileItem", "&Tile", {}), &QAction::triggered, this,
            [this] { mdiArea_->tileSubWindows(); });
    connect(MakeAction("WindowCascadeItem", "&Cascade", {}), &QAction::triggered, this,
            [this] { mdiArea_->cascadeSubWindows(); });
    connect(MakeAction("WindowArrangeItem", "&Arrange Icons", {}), &QAction::triggered, this,
            [this] {
                // Minimized children line up along the bottom, as icons do.
                int x = 0;
                for (QMdiSubWindow* sub : mdiArea_->subWindowList()) {
                    if (!sub->isMinimized())
                        continue;
                    sub->move(x, mdiArea_->viewport()->height() - sub->height());
                    x += sub->width();
                }
            });
    // A document window closes with the platform's Close key and with Ctrl+F4 alike.
    auto* closeChild = new QAction(this);
    closeChild->setObjectName("WindowCloseChild");
    closeChild->setShortcuts(
        {QKeySequence(QKeySequence::Close), QKeySequence(Qt::CTRL | Qt::Key_F4)});
    connect(closeChild, &QAction::triggered, this, [this] {
        if (QMdiSubWindow* sub = mdiArea_->currentSubWindow())
            sub->close();
    });
    addAction(closeChild);
    connect(MakeAction("HelpAboutItem", "&About", "Who made this fantastic editor?"),
            &QAction::triggered, this, [this] {
                TAboutBox about(this);
                about.exec();
            });
}

void TMainForm::CreateMenus() {
    fileMenu_ = menuBar()->addMenu("&File");
    QMenu* newMenu = fileMenu_->addMenu("&New");
    newMenu->menuAction()->setStatusTip("Create new document");
    newMenu->addAction(Action("FileNewTemplateItem"));
    newMenu->addAction(Action("FileNewBibItem"));
    newMenu->addAction(Action("FileNewItem"));
    fileMenu_->addAction(Action("FileOpenItem"));
    fileMenu_->addAction(Action("FileSaveItem"));
    fileMenu_->addAction(Action("FileSaveAllItem"));
    QMenu* saveAs = fileMenu_->addMenu("Save &as");
    saveAs->menuAction()->setObjectName("FileSaveAsMenu");
    saveAs->menuAction()->setStatusTip("Save current file as...");
    saveAs->addAction(Action("FileSaveAsShortcutItem"));
    saveAs->addAction(Action("FileSaveAsTemplateItem"));
    saveAs->addAction(Action("FileSaveAsItem"));
    fileMenu_->addAction(Action("FileImportBibItem"));
    fileMenu_->addSeparator();
    fileMenu_->addAction(Action("FileExitItem"));
    fileMenu_->addSeparator();
    for (QAction* item : recentItems_)
        fileMenu_->addAction(item);

    QMenu* edit = menuBar()->addMenu("&Edit");
    edit->addAction(Action("EditUndoItem"));
    edit->addSeparator();
    edit->addAction(Action("EditCutItem"));
    edit->addAction(Action("EditCopyItem"));
    edit->addAction(Action("EditPasteItem"));

    windowMenu_ = menuBar()->addMenu("&Window");
    windowMenu_->addAction(Action("WindowTileItem"));
    windowMenu_->addAction(Action("WindowCascadeItem"));
    windowMenu_->addAction(Action("WindowArrangeItem"));
    windowMenu_->addSeparator();
    // The list of open windows is rebuilt whenever the menu opens.
    connect(windowMenu_, &QMenu::aboutToShow, this, [this] {
        const auto actions = windowMenu_->actions();
        for (int i = 4; i < actions.size(); ++i)
            windowMenu_->removeAction(actions[i]), delete actions[i];
        int n = 1;
        for (QMdiSubWindow* sub : mdiArea_->subWindowList()) {
            QAction* item = windowMenu_->addAction(
                QStringLiteral("&%1 %2").arg(n++).arg(sub->widget()->windowTitle()));
            item->setCheckable(true);
            item->setChecked(sub == mdiArea_->currentSubWindow());
            connect(item, &QAction::triggered, this,
                    [this, sub] { mdiArea_->setActiveSubWindow(sub); });
        }
    });

    QMenu* help = menuBar()->addMenu("&Help");
    help->addAction(Action("HelpAboutItem"));
}

void TMainForm::CreateToolBar() {
    speedPanel_ = addToolBar("SpeedPanel");
    speedPanel_->setObjectName("SpeedPanel");
    speedPanel_->setMovable(false);
    speedPanel_->setIconSize(QSize(20, 20));
    speedPanel_->setFixedHeight(31);
    struct Button {
        const char* name;
        const char* hint;
        const char* action; // the command it shares; null until its window exists
        bool gapAfter;
    };
    const Button buttons[] = {
        {"BtnNew", "New", "FileNewItem", false},
        {"OpenBtn", "Open", "FileOpenItem", false},
        {"SaveBtn", "Save", "FileSaveItem", false},
        {"BtnSaveAll", "Save all open files", "FileSaveAllItem", true},
        {"CutBtn", "Cut", "EditCutItem", false},
        {"CopyBtn", "Copy", "EditCopyItem", false},
        {"PasteBtn", "Paste", "EditPasteItem", true},
        {"BtnFind", "Find", nullptr, true},
        {"BtnLog", "View Log-File", nullptr, false},
        {"BtnError", "Errors & Warnings", nullptr, false},
        {"BtnInputs", "Show input files.", nullptr, false},
        {"BtnSpell", "Spellcheck", nullptr, true},
        {"BtnFonts", "Fonts", nullptr, false},
        {"BtnTeXCmd", "TeX-commands", nullptr, false},
        {"BtnGreek", "Greek letters", nullptr, false},
        {"BtnBinOps", "Binary operators", nullptr, false},
        {"BtnRelOps", "Relations", nullptr, false},
        {"BtnArrows", "Arrows", nullptr, false},
        {"BtnMisc", "Misc", nullptr, false},
        {"BtnTable", "Create table", nullptr, false},
    };
    for (const Button& b : buttons) {
        auto* button = new QToolButton(speedPanel_);
        button->setObjectName(b.name);
        button->setFixedSize(25, 25);
        button->setIconSize(QSize(20, 20));
        button->setAutoRaise(true);
        button->setIcon(ToolIcon(b.name));
        button->setToolTip(b.hint);
        button->setStatusTip(b.hint);
        if (b.action) {
            QAction* action = Action(b.action);
            connect(button, &QToolButton::clicked, action, &QAction::trigger);
            connect(action, &QAction::enabledChanged, button, &QToolButton::setEnabled);
            button->setEnabled(action->isEnabled());
        } else {
            button->setEnabled(false);
        }
        speedPanel_->addWidget(button);
        if (b.gapAfter)
            speedPanel_->addSeparator();
    }
}

void TMainForm::CreateCentralArea() {
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    tabControl_ = new QTabBar(central);
    tabControl_->setObjectName("TabControl1");
    tabControl_->setFixedHeight(25);
    tabControl_->setExpanding(false);
    tabControl_->setDocumentMode(true);
    connect(tabControl_, &QTabBar::currentChanged, this, &TMainForm::TabChanged);
    column->addWidget(tabControl_);

    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    treePanel_ = new QWidget(central);
    treePanel_->setObjectName("TreePanel");
    treePanel_->setFixedWidth(134);
    treePanel_->hide();
    sizePanel_ = new QWidget(central);
    sizePanel_->setObjectName("SizePanel");
    sizePanel_->setFixedWidth(5);
    sizePanel_->setCursor(Qt::SizeHorCursor);
    sizePanel_->installEventFilter(this);
    sizePanel_->hide();
    mdiArea_ = new QMdiArea(central);
    mdiArea_->setObjectName("MdiArea");
    mdiArea_->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    row->addWidget(treePanel_);
    row->addWidget(sizePanel_);
    row->addWidget(mdiArea_, 1);
    column->addLayout(row, 1);
    setCentralWidget(central);
}

void TMainForm::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar");
    bar->setSizeGripEnabled(false);
    bar->setToolTip("Doubleclick to jump to a line.");
    const int widths[] = {70, 70, std::max(0, width() - 194), 30, 50};
    for (int i = 0; i < 5; ++i) {
        auto* label = new QLabel(bar);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        label->setFixedWidth(widths[i]);
        if (i != 4)
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAlignment(Qt::AlignVCenter | (i == 0 ? Qt::AlignRight : Qt::AlignLeft));
        bar->addWidget(label, i == 2 ? 1 : 0);
        panels_[static_cast<std::size_t>(i)] = label;
    }
    panels_[0]->setText("Row: 0");
    panels_[1]->setText("Modified");
    panels_[3]->setText("OVR");
    bar->hide(); // shown by the first layout
}

void TMainForm::SetPanel(int panel, const QString& text) {
    panels_[static_cast<std::size_t>(panel)]->setText(text);
    if (panel == 0)
        panels_[0]->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
}

QString TMainForm::PanelText(int panel) const {
    return panels_[static_cast<std::size_t>(panel)]->text();
}

void TMainForm::ShowTransientMessage(const QString& text) {
    SetPanel(2, text);
    timer2_.start();
}

void TMainForm::updateStatus() {
    if (ProgressDone < 1 || ProgressTotal < 1)
        return;
    // Formatting and repainting only when the shown figure changes keeps a per-token call cheap.
    const long long tenths = (static_cast<long long>(ProgressDone) * 2000 / ProgressTotal + 1) / 2;
    if (tenths == shownTenths_ && panels_[0]->text().endsWith(QStringLiteral("%  ")))
        return;
    shownTenths_ = tenths;
    double percent = ProgressDone * 100.0 / ProgressTotal;
    QString text = QLocale().toString(percent, 'f', 1) + QStringLiteral("%  ");
    panels_[0]->setAlignment(Qt::AlignVCenter | Qt::AlignRight);
    panels_[0]->setText(text);
    panels_[0]->repaint();
}

bool TMainForm::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        SetPanel(2, static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (FirstActivation)
        QMetaObject::invokeMethod(this, &TMainForm::FirstActivate, Qt::QueuedConnection);
}

void TMainForm::FirstActivate() {
    if (!FirstActivation)
        return;
    FirstActivation = false;
    resizeEvent(nullptr);
    if (arguments_.isEmpty()) {
        for (const std::string& file : ReadOpenFiles(settings_))
            OpenDocument(QString::fromStdString(file));
    } else {
        for (const QString& file : arguments_) {
            QString full = QFileInfo(file).absoluteFilePath();
            RegisterFile(full);
            OpenDocument(full);
        }
    }
    update();
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    if (event)
        QMainWindow::resizeEvent(event);
    if (Closing || FirstActivation)
        return;
    panels_[2]->setFixedWidth(std::max(0, width() - 194));
    statusBar()->show();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == sizePanel_) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            Sizing = true;
            splitterGrabX_ = 0;
            return true;
        case QEvent::MouseButtonRelease:
            Sizing = false;
            return true;
        case QEvent::MouseMove:
            if (Sizing) {
                int x = static_cast<int>(mouse->position().x());
                if (centralWidget()->width() > treePanel_->width() + x + sizePanel_->width())
                    treePanel_->setFixedWidth(std::max(0, treePanel_->width() + x));
            }
            return true;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile())
            continue;
        RegisterFile(url.toLocalFile());
        OpenDocument(url.toLocalFile());
    }
    event->acceptProposedAction();
}

// ---- Recent files and window list ----

void TMainForm::FillRecentMenu() {
    for (std::size_t k = 0; k < RecentFiles::kSize; ++k) {
        recentItems_[k]->setText(QString::fromStdString(recent_.Caption(k)));
        recentItems_[k]->setStatusTip(QString::fromStdString(recent_.Paths()[k]));
    }
}

void TMainForm::RegisterFile(const QString& name) {
    recent_.Register(name.toStdString());
    FillRecentMenu();
}

void TMainForm::RecentItemClick(int k) {
    auto path = recent_.Choose(static_cast<std::size_t>(k));
    if (!path)
        return;
    FillRecentMenu();
    OpenDocument(QString::fromStdString(*path));
}

int TMainForm::ChildCount() const {
    return static_cast<int>(mdiArea_->subWindowList().size());
}

QWidget* TMainForm::ActiveChild() const {
    QMdiSubWindow* sub = mdiArea_->currentSubWindow();
    return sub ? sub->widget() : nullptr;
}

TMDIChild* TMainForm::ActiveSourceWindow() const {
    return qobject_cast<TMDIChild*>(ActiveChild());
}

QMdiSubWindow* TMainForm::AddChildWindow(QWidget* child) {
    QMdiSubWindow* sub = mdiArea_->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // The window's own menu binds the Close key too; two owners would make it do nothing.
    if (QMenu* menu = sub->systemMenu())
        for (QAction* action : menu->actions())
            action->setShortcuts({});
    return sub;
}

void TMainForm::AppendWindowEntry(QWidget* child, const QString& caption) {
    windowList_.append(caption);
    windowOrder_.append(child);
    QSignalBlocker block(tabControl_);
    tabControl_->addTab(NamePart(caption));
}

void TMainForm::RemoveWindowEntry(QWidget* child) {
    // By the window itself rather than the selected tab, so that a shutdown cancelled halfway
    // leaves no tabs of windows that are gone.
    int index = static_cast<int>(windowOrder_.indexOf(child));
    if (index < 0)
        return;
    windowOrder_.removeAt(index);
    windowList_.removeAt(index);
    QSignalBlocker block(tabControl_);
    tabControl_->removeTab(index);
}

void TMainForm::RenameWindowEntry(QWidget* child, const QString& name) {
    int index = static_cast<int>(windowOrder_.indexOf(child));
    if (index < 0)
        return;
    windowList_[index] = name;
    tabControl_->setTabText(index, NamePart(name));
}

void TMainForm::TabChanged(int index) {
    if (index < 0 || index >= windowList_.size())
        return;
    const QString& caption = windowList_.at(index);
    for (QMdiSubWindow* sub : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
        if (sub->widget() && sub->widget()->windowTitle() == caption) {
            mdiArea_->setActiveSubWindow(sub);
            return;
        }
    }
}

void TMainForm::ActiveWindowChanged() {
    QWidget* active = ActiveChild();
    if (active != lastActive_) {
        if (auto* left = qobject_cast<TMDIChild*>(lastActive_.data()); left && !left->Loading)
            left->FormDeactivate();
        lastActive_ = active;
        if (auto* entered = qobject_cast<TMDIChild*>(active); entered && !entered->Loading)
            entered->FormActivate();
    }
    UpdateMenuItems();
}

void TMainForm::EnableSave(bool enabled) {
    Action("FileSaveItem")->setEnabled(enabled);
}

void TMainForm::UpdateMenuItems() {
    QWidget* active = ActiveChild();
    auto* source = qobject_cast<TMDIChild*>(active);
    bool any = active != nullptr;
    bool document = source != nullptr; // bibliography windows join with their issue
    if (any) {
        int index = static_cast<int>(windowOrder_.indexOf(active));
        if (index >= 0 && index != tabControl_->currentIndex()) {
            QSignalBlocker block(tabControl_);
            tabControl_->setCurrentIndex(index);
        }
    }
    EnableSave(document && source->Modified);
    for (const char* name :
         {"FileSaveAsMenu", "EditUndoItem", "EditCutItem", "EditCopyItem", "EditPasteItem"}) {
        if (QAction* a = Action(name))
            a->setEnabled(document);
    }
    for (const char* name :
         {"FileSaveAllItem", "WindowTileItem", "WindowCascadeItem", "WindowArrangeItem"})
        Action(name)->setEnabled(any);
    if (!any) {
        SetPanel(3, {});
        SetPanel(4, {});
    }
}

// ---- Opening ----

QString TMainForm::NewDocumentName() const {
    return QStringLiteral("NONAME%1").arg(ChildCount() + 1);
}

void TMainForm::OpenDocument(const QString& name) {
    QString ext = ExtensionUpper(name);
    if (ext == ".ORP")
        return; // projects load with their own window
    if (ext == ".ORV") {
        prompter_.Message(
            MessageKind::Error, MessageButtons::Ok,
            "Please edit the original file! The ORV-file will be updated automatically.");
        return;
    }
    if (ext == ".BIB" && options_.useBibEdit) {
        if (prompter_.Message(MessageKind::Warning, MessageButtons::OkAbort,
                              "Warning! All non BiBTeX fields in the file will be lost!") !=
            Answer::Ok)
            return;
        // Until the bibliography window exists, a .bib opens as text.
    }
    if (!name.contains("NONAME") && !TMDIChild::SidecarIsCurrent(name)) {
        if (prompter_.Message(MessageKind::Confirmation, MessageButtons::YesNo,
                              "TEX-file and ORV-file have different date! Reload original?") ==
            Answer::Yes)
            QFile::remove(name + ".orv");
    }
    FileToOpen = name;
    auto* child = new TMDIChild(*this);
    QMdiSubWindow* sub = AddChildWindow(child);
    if (!child->FormCreate(FileToOpen)) {
        mdiArea_->removeSubWindow(sub);
        sub->deleteLater();
        UpdateMenuItems();
        return;
    }
    sub->showMaximized();
    AppendWindowEntry(child, child->windowTitle());
    mdiArea_->setActiveSubWindow(sub);
    ActiveWindowChanged();
}

// ---- File commands ----

void TMainForm::FileNewItemClick() {
    OpenDocument(NewDocumentName());
}

void TMainForm::FileNewTemplateClick() {
    FileDialogRequest request{"New from...", path_ + "/Template", {}, FileFilters(), 1, true};
    auto file = prompter_.OpenFileName(request);
    if (!file)
        return;
    FromTemplate = true;
    OpenDocument(*file);
    FromTemplate = false;
}

void TMainForm::FileOpenItemClick() {
    FileDialogRequest request{"Open file", lastDir_, {}, FileFilters(), 1, true};
    auto file = prompter_.OpenFileName(request);
    if (!file)
        return;
    lastDir_ = QFileInfo(*file).absolutePath();
    RegisterFile(*file);
    OpenDocument(*file);
}

bool TMainForm::SaveChild(QWidget* child) {
    if (auto* source = qobject_cast<TMDIChild*>(child))
        return source->SaveDocument();
    return false;
}

void TMainForm::FileSaveItemClick() {
    QWidget* child = ActiveChild();
    if (!child)
        return;
    if (SaveChild(child))
        ShowTransientMessage("File saved successfully.");
}

void TMainForm::FileSaveAllClick() {
    for (QMdiSubWindow* sub : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
        auto* source = qobject_cast<TMDIChild*>(sub->widget());
        if (source && source->Modified)
            source->SaveDocument();
    }
}

void TMainForm::FileSaveAsItemClick() {
    if (TMDIChild* source = ActiveSourceWindow())
        source->SaveDocumentAs();
}

void TMainForm::FileSaveAsTemplateClick() {
    SaveAsInDirectory(path_ + "/Template", false);
}

void TMainForm::FileSaveAsShortcutClick() {
    SaveAsInDirectory(path_ + "/Shortcut", true);
}

void TMainForm::SaveAsInDirectory(const QString& directory, bool asShortcut) {
    TMDIChild* source = ActiveSourceWindow();
    if (!source)
        return;
    // For a snippet, the options' Shortcuts page picks its key; until that page exists the
    // command saves the file and stops there.
    (void)asShortcut;
    (void)source->SaveAsCopyIn(directory);
}

void TMainForm::SnippetItemClick(const QString& snippetFile) {
    TMDIChild* target = ActiveSourceWindow();
    if (snippetFile.isEmpty() || !target)
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
    target->InsertStyledText(rtf.runs);
}

void TMainForm::FileExitItemClick() {
    if (prompter_.Message(MessageKind::Confirmation, MessageButtons::YesNo,
                          "Ok to exit Orvelt 95?") == Answer::Yes)
        close();
}

void TMainForm::EditUndoClick() {
    if (TMDIChild* source = ActiveSourceWindow()) {
        source->MainEdit->FinishFormatting();
        source->MainEdit->undo();
    }
}

void TMainForm::EditCutClick() {
    if (TMDIChild* source = ActiveSourceWindow()) {
        source->MainEdit->FinishFormatting();
        source->MainEdit->cut();
        source->SetModified(true);
    }
}

void TMainForm::EditCopyClick() {
    if (TMDIChild* source = ActiveSourceWindow())
        source->MainEdit->copy();
}

void TMainForm::EditPasteClick() {
    if (TMDIChild* source = ActiveSourceWindow()) {
        source->MainEdit->FinishFormatting();
        source->MainEdit->paste();
        source->SetModified(true);
    }
}

// ---- Shutdown ----

QList<QWidget*> TMainForm::ChildrenLastToFirst() const {
    // Least recently active first, so the window that was active is written and closed last.
    QList<QWidget*> children;
    for (QMdiSubWindow* sub : mdiArea_->subWindowList(QMdiArea::ActivationHistoryOrder))
        children.append(sub->widget());
    return children;
}

bool TMainForm::CloseChildWindow(QWidget* child) {
    LastCloseAction = 2;
    QMdiSubWindow* sub = qobject_cast<QMdiSubWindow*>(child->parentWidget());
    if (sub)
        sub->close();
    else
        child->close();
    return LastCloseAction != 0;
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (sessionEnded_) {
        event->accept();
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
    placement_.quickload = recent_.Paths();
    WriteMainSettings(settings_, placement_);
    std::vector<std::string> open;
    if (!ProjectFileName.isEmpty())
        open.push_back(ProjectFileName.toStdString());
    for (QWidget* child : ChildrenLastToFirst()) {
        if (auto* source = qobject_cast<TMDIChild*>(child))
            open.push_back(source->FileName.toStdString());
    }
    WriteOpenFiles(settings_, open);
    settings_.Commit();

    Closing = true;
    for (QWidget* child : ChildrenLastToFirst()) {
        if (!CloseChildWindow(child)) {
            Closing = false;
            updateMenusConnection_ = connect(mdiArea_, &QMdiArea::subWindowActivated, this,
                                             &TMainForm::ActiveWindowChanged);
            UpdateMenuItems();
            event->ignore();
            return;
        }
    }
    event->accept();
}

bool TMainForm::SessionEnding(bool interactionAllowed) {
    if (interactionAllowed) {
        for (QWidget* child : ChildrenLastToFirst()) {
            auto* source = qobject_cast<TMDIChild*>(child);
            if (source && source->Modified && !source->AskToSave())
                return false;
        }
    }
    sessionEnded_ = true;
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    return true;
}

void TMainForm::CommitData(QSessionManager& manager) {
    if (!SessionEnding(manager.allowsInteraction()))
        manager.cancel();
    manager.release();
}

void TMainForm::WriteEndOfRunSettings() {
    WriteOptionsAtEnd(settings_, options_);
    settings_.Commit();
}

} // namespace orvelt
