#pragma once

#include "project/file/Project.h"

#include <QTreeWidget>
#include <optional>

class QAction;

namespace orvelt {

// TreeView1: the open project as a tree, its file's name at the root and a node per file in
// the project's order; the main file's node has a document framed in red.
class ProjectTree : public QTreeWidget {
    Q_OBJECT
public:
    // The picture of a node, kept in this data role: 0 the project, 1 a file, 2 the main file.
    static constexpr int kImageRole = Qt::UserRole + 1;
    static constexpr int kPathRole = Qt::UserRole;

    explicit ProjectTree(QWidget* parent);

    void ShowProject(const QString& projectFile, const Project& project);
    // The selected file node's position among the files; none for the root or nothing.
    [[nodiscard]] std::optional<std::size_t> SelectedFile() const;
    void SelectFile(std::size_t at);

    // The pop-up menu's entries.
    QAction* AddFileItem;
    QAction* RemoveFileItem;
    QAction* MainFileItem;

signals:
    // A file node was double-clicked (delivered after the click's handling is over).
    void FileActivated(const QString& path);

private:
    QTreeWidgetItem* root_ = nullptr;
};

} // namespace orvelt
