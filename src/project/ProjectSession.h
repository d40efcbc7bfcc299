#pragma once

#include "project/file/Project.h"

#include <QObject>
#include <QString>

namespace orvelt {

struct FileDialogRequest;
class PanelSplitter;
class ProjectTree;
class Prompter;

// The open project: its file, its files and main file, whether it has unsaved changes, and
// the tree and side panel that show it. The Project menu's commands act here.
class ProjectSession : public QObject {
    Q_OBJECT
public:
    struct Parts {
        Prompter& prompter;
        QString& lastDir; // the dialogs' folder, shared with the main window
        QWidget* panel;   // TreePanel, which holds the tree
        PanelSplitter* splitter;
    };
    explicit ProjectSession(Parts parts, QObject* parent = nullptr);

    [[nodiscard]] bool IsOpen() const { return open_; }
    [[nodiscard]] bool IsModified() const { return modified_; }
    [[nodiscard]] const QString& FileName() const { return fileName_; }
    [[nodiscard]] const Project& Model() const { return project_; }
    [[nodiscard]] ProjectTree* Tree() const { return tree_; }
    // ProjectMainFile: empty when no project is open or it has none.
    [[nodiscard]] QString MainFile() const;
    // IsInProject: exact comparison of full paths; false while no project is open.
    [[nodiscard]] bool Holds(const QString& path) const;

    // LoadProject: false when the file is no project file or did not load; a failed load
    // changes nothing.
    bool Load(const QString& file);
    // SaveProject: false when it could not be written (said with the system's reason, unless
    // no question or message may be shown, as at a log-off).
    enum class Report { Failures, Silently };
    bool Save(const QString& file, Report report = Report::Failures);
    // Asks about unsaved changes first; false when the project stays (a failed save).
    bool Close();
    // Asks "Save current project?" when modified; false when a Yes could not save.
    bool AskToSave();

    void New1Click();
    void Open1Click();
    void Save1Click();
    void Saveas1Click();
    void Close1Click() { (void)Close(); }
    void Addfile2Click();
    void Removefile2Click();
    void Mainfile2Click();

signals:
    // Opened, closed, changed: the menus follow.
    void StateChanged();
    // A tree node asks for its file.
    void OpenRequested(const QString& path);
    // A project file was loaded: it heads the recent files.
    void Loaded(const QString& file);
    void TransientText(const QString& text);

private:
    void Show();
    void SetModified(bool modified);
    // The name a path chosen in the save dialog is saved under; empty when none was chosen or
    // the user would not overwrite.
    [[nodiscard]] QString ChooseSaveName(const FileDialogRequest& request);

    Prompter& prompter_;
    QString& lastDir_;
    QWidget* panel_;
    PanelSplitter* splitter_;
    ProjectTree* tree_;
    Project project_;
    QString fileName_;
    bool open_ = false;
    bool modified_ = false;
};

} // namespace orvelt
