#include "app/ChildArea.h"

#include "app/WindowList.h"
#include "widgets/ChildWindow.h"
#include "widgets/PanelSplitter.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTabBar>
#include <QVBoxLayout>

namespace orvelt {

ChildArea::ChildArea(QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    tabs_ = new QTabBar(this);
    tabs_->setObjectName("TabControl1");
    tabs_->setFixedHeight(25);
    tabs_->setExpanding(false);
    tabs_->setDocumentMode(true);
    column->addWidget(tabs_);

    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    treePanel_ = new QWidget(this);
    treePanel_->setObjectName("TreePanel");
    treePanel_->setFixedWidth(134);
    treePanel_->hide();
    splitter_ = new PanelSplitter(treePanel_, this);
    splitter_->setObjectName("SizePanel");
    splitter_->hide();
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName("MdiArea");
    mdi_->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    row->addWidget(treePanel_);
    row->addWidget(splitter_);
    row->addWidget(mdi_, 1);
    column->addLayout(row, 1);
    list_ = new WindowList(tabs_, mdi_);
    connect(mdi_, &QMdiArea::subWindowActivated, this, &ChildArea::ActiveChanged);
}

QMdiSubWindow* ChildArea::Add(ChildWindow* child) {
    connect(child, &ChildWindow::Renamed, list_,
            [this, child](const QString& name) { list_->Rename(child, name); });
    connect(child, &ChildWindow::Closed, list_, &WindowList::Remove);
    // However a window goes, its tab goes with it.
    connect(child, &QObject::destroyed, list_, [this, child] { list_->Remove(child); });
    QMdiSubWindow* sub = mdi_->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // Restored, a window sized for its maximized start would stick out of the area.
    connect(sub, &QMdiSubWindow::windowStateChanged, this,
            [this, sub](Qt::WindowStates before, Qt::WindowStates now) {
                if ((before & Qt::WindowMaximized) &&
                    !(now & (Qt::WindowMaximized | Qt::WindowMinimized)))
                    sub->resize(sub->size().boundedTo(mdi_->viewport()->size()));
            });
    // The frame's own menu binds the Close key too; two owners would make it do nothing.
    if (QMenu* menu = sub->systemMenu())
        for (QAction* action : menu->actions())
            action->setShortcuts({});
    return sub;
}

void ChildArea::Show(QMdiSubWindow* sub, ChildWindow* child) {
    // Sized first so that its contents get their maximized size at once: shown at its own small
    // size on the way, an editor laid a long line out twice, once a fifth as wide (seconds for
    // a line without a blank).
    sub->ensurePolished();
    sub->resize(mdi_->viewport()->size().grownBy(sub->contentsMargins()));
    sub->showMaximized();
    list_->Append(child, child->windowTitle());
    mdi_->setActiveSubWindow(sub);
}

void ChildArea::Drop(QMdiSubWindow* sub) {
    mdi_->removeSubWindow(sub);
    sub->deleteLater();
}

void ChildArea::Raise(ChildWindow* child) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(child->parentWidget()))
        mdi_->setActiveSubWindow(sub);
}

bool ChildArea::Close(ChildWindow* child) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(child->parentWidget()))
        return sub->close();
    return child->close();
}

int ChildArea::Count() const {
    return static_cast<int>(mdi_->subWindowList().size());
}

ChildWindow* ChildArea::Active() const {
    QMdiSubWindow* sub = mdi_->currentSubWindow();
    return sub ? qobject_cast<ChildWindow*>(sub->widget()) : nullptr;
}

namespace {

QList<ChildWindow*> ChildrenOf(const QList<QMdiSubWindow*>& subs) {
    QList<ChildWindow*> children;
    for (QMdiSubWindow* sub : subs)
        if (auto* child = qobject_cast<ChildWindow*>(sub->widget()))
            children.append(child);
    return children;
}

} // namespace

QList<ChildWindow*> ChildArea::LastToFirst() const {
    return ChildrenOf(mdi_->subWindowList(QMdiArea::ActivationHistoryOrder));
}

QList<ChildWindow*> ChildArea::InCreationOrder() const {
    return ChildrenOf(mdi_->subWindowList(QMdiArea::CreationOrder));
}

} // namespace orvelt
