#include "project/ProjectTree.h"

#include "platform/FileIo.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>

namespace orvelt {

namespace {

// The three 16 x 16 pictures, drawn: the offscreen platform has no icon theme.
QIcon NodeIcon(int image) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    if (image == 0) {
        p.setPen(QColor(0x80, 0x60, 0x00));
        p.setBrush(QColor(0xF0, 0xC8, 0x30));
        p.drawRect(1, 5, 13, 9);
        p.drawRect(1, 3, 6, 2);
        return QIcon(pixmap);
    }
    QPainterPath page;
    page.moveTo(3, 1);
    page.lineTo(10, 1);
    page.lineTo(13, 4);
    page.lineTo(13, 14);
    page.lineTo(3, 14);
    page.closeSubpath();
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.drawLine(10, 1, 10, 4);
    p.drawLine(10, 4, 13, 4);
    p.setPen(QColor(0x70, 0x70, 0xA0));
    for (int y = 6; y <= 12; y += 2)
        p.drawLine(5, y, 11, y);
    if (image == 2) {
        p.setPen(QPen(QColor(0xCC, 0x00, 0x00), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(1, 1, 14, 14);
    }
    return QIcon(pixmap);
}

QTreeWidgetItem* Node(const QString& text, const QString& path, int image) {
    auto* item = new QTreeWidgetItem({text});
    item->setData(0, ProjectTree::kPathRole, path);
    item->setData(0, ProjectTree::kImageRole, image);
    item->setIcon(0, NodeIcon(image));
    item->setToolTip(0, path);
    return item;
}

} // namespace

ProjectTree::ProjectTree(QWidget* parent) : QTreeWidget(parent) {
    setObjectName("TreeView1");
    setToolTip("This is your project window.");
    setStatusTip("This is your project window.");
    header()->hide();
    setRootIsDecorated(false);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setIconSize(QSize(16, 16));

    auto* menu = new QMenu(this);
    AddFileItem = menu->addAction("&Add file...");
    RemoveFileItem = menu->addAction("&Remove file");
    menu->addSeparator();
    MainFileItem = menu->addAction("&Main file");
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this, menu](const QPoint& at) {
        // The node under the pointer is the one the entries act on.
        if (QTreeWidgetItem* item = itemAt(at))
            setCurrentItem(item);
        menu->popup(viewport()->mapToGlobal(at));
    });
    // Opening a project from its own tree rebuilds the tree: not inside the tree's handler.
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (!item || item == root_)
            return;
        const QString path = item->data(0, kPathRole).toString();
        QMetaObject::invokeMethod(
            this, [this, path] { emit FileActivated(path); }, Qt::QueuedConnection);
    });
}

void ProjectTree::ShowProject(const QString& projectFile, const Project& project) {
    clear();
    root_ = Node(NamePartOf(projectFile), projectFile, 0);
    addTopLevelItem(root_);
    for (std::size_t i = 0; i < project.files.size(); ++i) {
        const QString path = QString::fromStdString(project.files[i]);
        root_->addChild(Node(NamePartOf(path), path, project.mainFile == i ? 2 : 1));
    }
    expandAll();
}

std::optional<std::size_t> ProjectTree::SelectedFile() const {
    QTreeWidgetItem* item = currentItem();
    if (!item || !root_ || item->parent() != root_)
        return std::nullopt;
    return static_cast<std::size_t>(root_->indexOfChild(item));
}

void ProjectTree::SelectFile(std::size_t at) {
    if (root_ && static_cast<int>(at) < root_->childCount())
        setCurrentItem(root_->child(static_cast<int>(at)));
}

} // namespace orvelt
