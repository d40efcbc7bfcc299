#pragma once

#include "app/session/MainSettings.h"
#include "app/session/RecentFiles.h"
#include "options/OptionHolder.h"
#include "platform/EscapePoller.h"
#include "platform/Prompter.h"
#include "project/ProjectSession.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QSessionManager;
class QTabBar;
class QThread;

namespace orvelt {

class ButtonBar;
class ChildArea;
class ChildWindow;
class CommandTable;
class HelpViewer;
class TErrorView;
class TinputFiles;
class LineLocator;
class Launcher;
class ProgramRunner;
class TexMenu;
class Topt;
class RecentMenu;
class RecoveryFolder;
class RecoveryWriter;
class StatusPanels;
class TBIBChild;
class TMDIChild;
class TPaletteWindow;
class TReplaceDlg;
class TmakeTable;
class TqueryTable;
class Tmisspelled;

// TMainForm: the main window. The multi-document frame: menus, tool bar, tab strip, status bar
// and the child windows. It composes the command table, the status panels and the window list,
// keeps the lifecycle, opens and closes windows, and forwards commands to the active child.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    struct Environment {
        SettingsStore& settings;
        Prompter& prompter;
        QStringList arguments;        // files named on the command line
        QString dataDirectory;        // where KEYWORDS.TXT, Template/ and Shortcut/ are installed
        HelpViewer* help = nullptr;   // none: F1 shows nothing
        Launcher* launcher = nullptr; // none: programs start as processes of their own
        // The splash's step, once per window made at start-up.
        std::function<void()> windowMade = nullptr;
    };

    explicit TMainForm(Environment env, QWidget* parent = nullptr);
    ~TMainForm() override;

    [[nodiscard]] const QString& Path() const { return path_; }
    [[nodiscard]] const QString& LastDir() const { return lastDir_; }
    [[nodiscard]] OptionValues& Options() { return options_.Values(); }
    [[nodiscard]] OptionHolder& OptionSource() { return options_; }
    [[nodiscard]] EscapePoller& Escape() { return *escape_; }
    [[nodiscard]] QMdiArea* MdiArea() const;
    [[nodiscard]] int ChildCount() const;
    // The child the commands act on (a dialog may hold the focus).
    [[nodiscard]] ChildWindow* ActiveChild() const;
    [[nodiscard]] TMDIChild* ActiveSourceWindow() const;
    [[nodiscard]] TBIBChild* ActiveBibWindow() const;
    [[nodiscard]] bool IsClosing() const { return closing_; }

    [[nodiscard]] QString PanelText(int panel) const;
    void ShowTransientMessage(const QString& text);
    void updateStatus(int done, int total);

    void RegisterFile(const QString& name);
    // Opens a file in the right kind of window; a template opens as an untitled copy. False
    // when nothing was opened.
    bool OpenDocument(const QString& name, bool fromTemplate = false);
    void UpdateMenuItems();
    // A window of any kind, made elsewhere, joins the main window and becomes the active one.
    void ShowNewChild(ChildWindow* child);
    // The open project (ProjectMainFile, IsInProject and the Project menu's commands).
    [[nodiscard]] ProjectSession& Project() const { return *project_; }
    [[nodiscard]] QString ProjectMainFile() const { return project_->MainFile(); }
    [[nodiscard]] bool IsInProject(const QString& fileName) const {
        return project_->Holds(fileName);
    }

    // Log-off: answers the session manager. Returns false when the log-off must be cancelled.
    bool SessionEnding(bool interactionAllowed);
    // What the end of the run writes (the options), after the message loop.
    void WriteEndOfRunSettings();

    [[nodiscard]] const RecentFiles& Recent() const;
    [[nodiscard]] const QStringList& Windowlist() const;
    [[nodiscard]] QTabBar* TabControl() const;
    [[nodiscard]] QAction* Action(const QString& objectName) const;
    [[nodiscard]] Topt& OptionsDialog() const { return *opt_; }
    [[nodiscard]] const TexMenu& TeXMenu() const { return *texMenu_; }
    [[nodiscard]] const ButtonBar& Buttonbar() const { return *buttonBar_; }
    [[nodiscard]] const ProgramRunner& Runner() const { return *runner_; }
    // Rebuild the TeX menu and the button bar from the program list.
    void BuildTeXMenu();
    void BuildButtonBar();

    // Command handlers (the command table connects them).
    void FileNewItemClick();
    void FileNewBibItemClick();
    void FileImportBibItemClick();
    void FileNewTemplateClick();
    void FileOpenItemClick();
    void FileSaveItemClick();
    void FileSaveAllClick();
    void FileSaveAsItemClick();
    void FileSaveAsTemplateClick();
    void FileSaveAsShortcutClick();
    void FileExitItemClick();
    void EditUndoClick();
    void EditRedoClick();
    void EditCutClick();
    void EditCopyClick();
    void EditPasteClick();
    // Edit, Find... (and its button) opens the find dialog; Find again repeats its search.
    void Find1Click();
    void Findagain1Click();
    [[nodiscard]] TReplaceDlg& ReplaceDlg() const { return *replaceDlg_; }
    void ViewOptionsClick();
    void ViewRefreshClick();
    // A new log viewer on the current file's log (F11), and the error list of its log (F12).
    void LogDatei1Click();
    void ErrorsWarnings1Click();
    [[nodiscard]] TErrorView& ErrorView() const { return *errorView_; }
    // Runs the program-list entry of this tag (a TeX menu item or its button).
    void TexMenu1Click(int tag);
    // The Project menu acts on the open project.
    void New1Click() { project_->New1Click(); }
    void Open1Click() { project_->Open1Click(); }
    void Save1Click() { project_->Save1Click(); }
    void Saveas1Click() { project_->Saveas1Click(); }
    void Close1Click() { project_->Close1Click(); }
    void Addfile2Click() { project_->Addfile2Click(); }
    void Removefile2Click() { project_->Removefile2Click(); }
    void Mainfile2Click() { project_->Mainfile2Click(); }
    void WindowTileItemClick();
    void WindowCascadeItemClick();
    void WindowArrangeItemClick();
    void HelpAboutItemClick();
    // The table command: size, design, then the table at the caret of the source window.
    void BtnTableClick();
    [[nodiscard]] TqueryTable& QueryTable() const { return *queryTable_; }
    // Returns once every recovery copy handed over so far is written or deleted.
    void FlushRecoveryCopies();
    [[nodiscard]] TmakeTable& MakeTable() const { return *makeTable_; }
    // Edit, Spellcheck: checks the active source window from the caret on.
    void Spellcheck1Click();
    [[nodiscard]] Tmisspelled& Misspelled() const { return *misspelled_; }
    // The symbol and font palettes and the command list, each opened below its tool button.
    void BtnGreekClick();
    void BtnBinOpsClick();
    void BtnRelOpsClick();
    void BtnArrowsClick();
    void BtnMiscClick();
    void BtnFontsClick();
    void BtnTeXCmdClick();
    // A palette's text in place of the active source window's selection, as a TeX-command;
    // nothing when no source window is active.
    void InsertPaletteText(const QString& text);
    // The input-file list of the active source window, below its tool button.
    void BtnInputsClick();
    [[nodiscard]] TinputFiles& InputFiles() const { return *inputs_; }
    // Edit, Reformat Block: the selected lines of the active source window joined.
    void ReformatBlockClick();

public slots:
    void FirstActivate();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // A source window connected to the main window, in its frame, not shown yet.
    std::pair<TMDIChild*, QMdiSubWindow*> NewSourceWindow();
    std::pair<TBIBChild*, QMdiSubWindow*> NewBibWindow();
    void ShowChild(QMdiSubWindow* sub, ChildWindow* child);
    void ConnectChild(ChildWindow* child);
    // Deactivates the window left, activates the one entered, then refreshes the menus.
    void ActiveWindowChanged();
    void CommitData(QSessionManager& manager);
    // Text kept by a session that ended without saving it (a crash, a log-off), offered back.
    void OfferRecoveredText();
    [[nodiscard]] QString NewDocumentName() const;
    // The file whose log F11 and F12 read: the project's main file, else the active window's.
    [[nodiscard]] QString LogSource() const;
    // Its log's name: ".log", or ".blg" for a bibliography's BibTeX run.
    [[nodiscard]] QString LogName(bool bibliography) const;
    void JumpToLogLine(const QString& digits);
    // The window that holds this file already; null when none does.
    [[nodiscard]] ChildWindow* WindowOf(const QString& fileName) const;
    // False when nothing was saved.
    bool SaveAsInDirectory(const QString& directory);
    // The options dialog, its tables' menus and the warnings of what it could not read.
    void CreateOptions();
    void OptionsClosed();
    // The palettes are made on first use (all seven cost a fifth of the start-up), then only
    // hidden when closed, never destroyed.
    TPaletteWindow* Adopt(TPaletteWindow* palette);
    void OpenPalette(TPaletteWindow* palette, const char* button);

    SettingsStore& settings_;
    Prompter& prompter_;
    QStringList arguments_;
    QString path_;
    QString lastDir_;
    MainSettings placement_;
    OptionHolder options_;
    std::unique_ptr<EscapePoller> escape_;
    std::unique_ptr<CommandTable> commands_;
    std::unique_ptr<HelpViewer> noHelp_;
    HelpViewer* help_;
    std::unique_ptr<Launcher> ownLauncher_;
    ProgramRunner* runner_ = nullptr;
    TErrorView* errorView_ = nullptr;
    TexMenu* texMenu_ = nullptr;
    ButtonBar* buttonBar_ = nullptr;
    Topt* opt_ = nullptr;
    ProjectSession* project_ = nullptr;
    StatusPanels* panels_ = nullptr;
    ChildArea* area_ = nullptr;
    RecentMenu* recentMenu_ = nullptr;
    TqueryTable* queryTable_ = nullptr;
    TmakeTable* makeTable_ = nullptr;
    Tmisspelled* misspelled_ = nullptr;
    std::unique_ptr<RecoveryFolder> recovery_;
    QThread* recoveryThread_ = nullptr;
    RecoveryWriter* recoveryWriter_ = nullptr; // lives on recoveryThread_
    int recoveryNumber_ = 0;                   // of the windows' copies
    TPaletteWindow* greek_ = nullptr;
    TPaletteWindow* binOps_ = nullptr;
    TPaletteWindow* relOps_ = nullptr;
    TPaletteWindow* arrows_ = nullptr;
    TPaletteWindow* misc_ = nullptr;
    TPaletteWindow* fonts_ = nullptr;
    TPaletteWindow* texCmd_ = nullptr;
    TReplaceDlg* replaceDlg_ = nullptr;
    TinputFiles* inputs_ = nullptr;
    LineLocator* lineLocator_ = nullptr;

    QMetaObject::Connection updateMenusConnection_;
    QPointer<ChildWindow> lastActive_;
    bool firstActivation_ = true;
    bool closing_ = false;
    bool sessionEnded_ = false;
};

} // namespace orvelt
