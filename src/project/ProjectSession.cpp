#include "project/ProjectSession.h"

#include "platform/FileIo.h"
#include "platform/Prompter.h"
#include "project/ProjectTree.h"
#include "project/file/ProjectFile.h"
#include "widgets/PanelSplitter.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QVBoxLayout>

namespace orvelt {

namespace {

QString DirectoryOf(const QString& file) {
    return QFileInfo(file).absolutePath();
}
const QStringList& ProjectFilters() {
    static const QStringList filters = {QStringLiteral("Orvelt projects (*.orp *.ORP)")};
    return filters;
}

} // namespace

ProjectSession::ProjectSession(Parts parts, QObject* parent)
    : QObject(parent), prompter_(parts.prompter), lastDir_(parts.lastDir), panel_(parts.panel),
      splitter_(parts.splitter), tree_(new ProjectTree(parts.panel)) {
    auto* layout = new QVBoxLayout(panel_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tree_);
    connect(tree_->AddFileItem, &QAction::triggered, this, &ProjectSession::Addfile2Click);
    connect(tree_->RemoveFileItem, &QAction::triggered, this, &ProjectSession::Removefile2Click);
    connect(tree_->MainFileItem, &QAction::triggered, this, &ProjectSession::Mainfile2Click);
    connect(tree_, &ProjectTree::FileActivated, this, &ProjectSession::OpenRequested);
    // The width is the project's, written with its next save; dragging changes nothing else.
    connect(splitter_, &PanelSplitter::Dragged, this,
            [this](int width) { project_.panelWidth = width; });
}

QString ProjectSession::MainFile() const {
    if (!open_ || !project_.mainFile)
        return {};
    return PathOfBytes(project_.files[*project_.mainFile]);
}

bool ProjectSession::Holds(const QString& path) const {
    return open_ && ProjectHolds(project_, PathBytes(path));
}

bool ProjectSession::AskToSave() {
    if (!open_ || !modified_)
        return true;
    if (prompter_.Message(MessageKind::Confirmation, MessageButtons::YesNo,
                          "Save current project?") != Answer::Yes)
        return true;
    return Save(fileName_);
}

bool ProjectSession::Load(const QString& file) {
    if (UpperExtensionOf(file) != ".ORP")
        return false;
    const QString full = QFileInfo(file).absoluteFilePath();
    // Asked first: a Yes may write the very file about to be read.
    if (!AskToSave())
        return false;
    // Read the whole file before anything changes: a load that fails leaves the open project,
    // or none, as it was.
    Project loaded;
    std::string bytes;
    if (FileResult read = ReadFileBytes(full, bytes); read.ok) {
        ProjectReadResult parsed = ReadProjectFile(bytes, PathBytes(DirectoryOf(full)));
        if (!parsed.ok) {
            prompter_.Message(MessageKind::Error, MessageButtons::Ok,
                              "Error opening project " + full);
            return false;
        }
        loaded = std::move(parsed.project);
    } else if (QFileInfo::exists(full) || QFileInfo(full).isSymLink() ||
               !QFileInfo(DirectoryOf(full)).isDir()) {
        // Only a missing file is an empty project: read as one, the next save would replace
        // the real project.
        prompter_.Message(MessageKind::Error, MessageButtons::Ok, "Error opening project " + full);
        return false;
    }
    loaded.panelWidth = std::max(loaded.panelWidth, PanelSplitter::kMinimum);
    lastDir_ = DirectoryOf(full);
    emit Loaded(full);
    project_ = std::move(loaded);
    fileName_ = full;
    modified_ = false;
    Show();
    return true;
}

bool ProjectSession::Save(const QString& file, Report report) {
    const auto failed = [&](const QString& reason) {
        if (report == Report::Failures)
            prompter_.Message(MessageKind::Error, MessageButtons::Ok,
                              "Error writing " + file + ": " + reason);
        return false;
    };
    std::string existing;
    if (QFileInfo::exists(file)) {
        // Its other sections and keys are kept: a file that cannot be read is not replaced.
        if (FileResult read = ReadFileBytes(file, existing); !read.ok)
            return failed(read.error);
    }
    const std::string bytes = WriteProjectFile(existing, project_, PathBytes(DirectoryOf(file)));
    if (FileResult written = WriteFileAtomically(file, bytes); !written.ok)
        return failed(written.error);
    emit TransientText("Project saved successfully.");
    if (file == fileName_)
        SetModified(false);
    return true;
}

bool ProjectSession::Close() {
    if (!open_)
        return true;
    if (!AskToSave())
        return false; // the changes could not be saved: the project stays open
    open_ = false;
    panel_->hide();
    splitter_->hide();
    emit StateChanged();
    return true;
}

QString ProjectSession::ChooseSaveName(const FileDialogRequest& request) {
    const std::optional<QString> chosen = prompter_.SaveFileName(request);
    if (!chosen)
        return {};
    const QString name = PathOfBytes(ProjectFileName(PathBytes(*chosen)));
    // The dialog asked about the name it returned, not about the one formed from it.
    if (name != *chosen && QFileInfo::exists(name) &&
        prompter_.Message(MessageKind::Confirmation, MessageButtons::YesNoCancel,
                          QStringLiteral("OK to overwrite %1?").arg(name)) != Answer::Yes)
        return {};
    return name;
}

void ProjectSession::New1Click() {
    if (!AskToSave())
        return;
    const QString name =
        ChooseSaveName({"Save project", lastDir_, {}, ProjectFilters(), 0, false, {}});
    if (name.isEmpty())
        return;
    const int width = open_ ? project_.panelWidth : std::max(panel_->width(), kDefaultPanelWidth);
    project_ = Project{};
    project_.panelWidth = width; // a new project keeps the panel as it is
    fileName_ = name;
    modified_ = false;
    Show();
}

void ProjectSession::Open1Click() {
    FileDialogRequest request{"Open project", lastDir_, {}, ProjectFilters(), 0, true, {}};
    if (auto file = prompter_.OpenFileName(request))
        Load(*file);
}

void ProjectSession::Save1Click() {
    if (open_)
        Save(fileName_);
}

void ProjectSession::Saveas1Click() {
    if (!open_)
        return;
    const QString name =
        ChooseSaveName({"Save project as", lastDir_, {}, TexFileFilters(), 1, false, {}});
    if (name.isEmpty())
        return;
    // A copy: the project keeps its own file, and its changes are still to be saved there.
    const bool wasModified = modified_;
    if (Save(name))
        SetModified(wasModified);
}

void ProjectSession::Addfile2Click() {
    if (!open_)
        return;
    FileDialogRequest request{"Add file to project", lastDir_, {}, TexFileFilters(), 1, true, {}};
    auto file = prompter_.OpenFileName(request);
    if (!file)
        return;
    if (!FitsProjectFile(PathBytes(*file))) {
        prompter_.Message(MessageKind::Error, MessageButtons::Ok,
                          "A project cannot hold a file whose name has a line break: " + *file);
        return;
    }
    const std::size_t at = AddProjectFile(project_, PathBytes(QFileInfo(*file).absoluteFilePath()));
    SetModified(true);
    tree_->ShowProject(fileName_, project_);
    tree_->SelectFile(at);
}

void ProjectSession::Removefile2Click() {
    const std::optional<std::size_t> at = tree_->SelectedFile();
    if (!open_ || !at)
        return;
    const QString text = tree_->currentItem()->text(0);
    if (prompter_.Message(MessageKind::Confirmation, MessageButtons::YesNo,
                          "Remove file " + text + " from project?") != Answer::Yes)
        return;
    RemoveProjectFile(project_, *at);
    SetModified(true);
    tree_->ShowProject(fileName_, project_);
}

void ProjectSession::Mainfile2Click() {
    const std::optional<std::size_t> at = tree_->SelectedFile();
    if (!open_ || !at)
        return;
    SetMainProjectFile(project_, *at);
    SetModified(true);
    tree_->ShowProject(fileName_, project_);
    tree_->SelectFile(*at);
}

void ProjectSession::Show() {
    open_ = true;
    tree_->ShowProject(fileName_, project_);
    panel_->setFixedWidth(project_.panelWidth);
    panel_->show();
    splitter_->show();
    emit StateChanged();
}

void ProjectSession::SetModified(bool modified) {
    modified_ = modified;
    emit StateChanged();
}

} // namespace orvelt
