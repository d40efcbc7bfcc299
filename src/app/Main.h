#pragma once

#include "app/session/MainSettings.h"
#include "app/session/RecentFiles.h"
#include "editor/highlight/KeywordTable.h"
#include "options/values/OptionValues.h"
#include "platform/EscapePoller.h"
#include "platform/Prompter.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <array>
#include <memory>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QSessionManager;
class QTabBar;
class QToolBar;
class QToolButton;

namespace orvelt {

class TMDIChild;

// The multi-document frame: menus, tool bar, tab strip, status bar and the child windows.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    struct Environment {
        SettingsStore& settings;
        Prompter& prompter;
        QStringList arguments; // files named on the command line
        QString dataDirectory; // where KEYWORDS.TXT, Template/ and Shortcut/ are installed
    };

    explicit TMainForm(Environment env, QWidget* parent = nullptr);
    ~TMainForm() override;

    // Shared with the document windows.
    QString FileToOpen;
    int LastCloseAction = 2;
    int ProgressTotal = 0;
    int ProgressDone = 0;
    bool Closing = false;
    bool FirstActivation = true;
    bool FromTemplate = false;
    bool Sizing = false;
    bool ProjectModified = false;
    QString ProjectFileName;

    [[nodiscard]] const QString& Path() const { return path_; }
    [[nodiscard]] QString LastDir() const { return lastDir_; }
    void SetLastDir(const QString& dir) { lastDir_ = dir; }
    [[nodiscard]] OptionValues& Options() { return options_; }
    [[nodiscard]] const KeywordTable& Keywords() const { return keywords_; }
    [[nodiscard]] Prompter& Prompts() { return prompter_; }
    [[nodiscard]] EscapePoller& Escape() { return *escape_; }
    [[nodiscard]] QMdiArea* MdiArea() const { return mdiArea_; }
    [[nodiscard]] int ChildCount() const;
    // The child the commands act on (a dialog may hold the focus).
    [[nodiscard]] QWidget* ActiveChild() const;
    [[nodiscard]] TMDIChild* ActiveSourceWindow() const;

    // Status bar panels 0..4.
    void SetPanel(int panel, const QString& text);
    [[nodiscard]] QString PanelText(int panel) const;
    void ShowTransientMessage(const QString& text);
    void updateStatus();
    bool EscapePressed() { return escape_->EscapePressed(); }

    void RegisterFile(const QString& name);
    void OpenDocument(const QString& name);
    void RenameWindowEntry(QWidget* child, const QString& name);
    void RemoveWindowEntry(QWidget* child);
    void EnableSave(bool enabled);
    void UpdateMenuItems();
    // Pastes a snippet file's highlighted text (its sidecar) at the active window's caret.
    void SnippetItemClick(const QString& snippetFile);
    // Save one child (source or bibliography); false when nothing was saved.
    bool SaveChild(QWidget* child);

    // Log-off: answers the session manager. Returns false when the log-off must be cancelled.
    bool SessionEnding(bool interactionAllowed);
    // What the end of the run writes (the options), after the message loop.
    void WriteEndOfRunSettings();

    [[nodiscard]] const RecentFiles& Recent() const { return recent_; }
    [[nodiscard]] const QStringList& Windowlist() const { return windowList_; }
    [[nodiscard]] QTabBar* TabControl() const { return tabControl_; }
    [[nodiscard]] QAction* Action(const QString& objectName) const;
    // The open and save dialogs' filters; the second is selected.
    [[nodiscard]] static const QStringList& FileFilters();

public slots:
    void FirstActivate();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateCentralArea();
    QAction* MakeAction(const char* objectName, const QString& caption, const QString& hint);
    QMdiSubWindow* AddChildWindow(QWidget* child);
    void AppendWindowEntry(QWidget* child, const QString& caption);
    void TabChanged(int index);
    // Deactivates the window left, activates the one entered, then refreshes the menus.
    void ActiveWindowChanged();
    void FillRecentMenu();
    void RecentItemClick(int k);
    void CommitData(QSessionManager& manager);
    [[nodiscard]] QList<QWidget*> ChildrenLastToFirst() const;
    [[nodiscard]] QString NewDocumentName() const;
    bool CloseChildWindow(QWidget* child);

    // File and Edit commands
    void FileNewItemClick();
    void FileNewTemplateClick();
    void FileOpenItemClick();
    void FileSaveItemClick();
    void FileSaveAllClick();
    void FileSaveAsItemClick();
    void FileSaveAsTemplateClick();
    void FileSaveAsShortcutClick();
    void FileExitItemClick();
    void EditUndoClick();
    void EditCutClick();
    void EditCopyClick();
    void EditPasteClick();
    void SaveAsInDirectory(const QString& directory, bool asShortcut);

    SettingsStore& settings_;
    Prompter& prompter_;
    QStringList arguments_;
    QString path_;
    QString lastDir_;
    MainSettings placement_;
    OptionValues options_;
    KeywordTable keywords_;
    RecentFiles recent_;
    std::unique_ptr<EscapePoller> escape_;

    QMdiArea* mdiArea_ = nullptr;
    QTabBar* tabControl_ = nullptr;
    QWidget* treePanel_ = nullptr;
    QWidget* sizePanel_ = nullptr;
    QToolBar* speedPanel_ = nullptr;
    std::array<QLabel*, 5> panels_{};
    QTimer timer2_;
    QStringList windowList_;
    QList<QPointer<QWidget>> windowOrder_; // the windows behind windowList_, same order
    std::array<QAction*, RecentFiles::kSize> recentItems_{};
    QMenu* fileMenu_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    QMetaObject::Connection updateMenusConnection_;
    bool sessionEnded_ = false;
    QPointer<QWidget> lastActive_;
    long long shownTenths_ = -1;
    int splitterGrabX_ = 0;
};

} // namespace orvelt
