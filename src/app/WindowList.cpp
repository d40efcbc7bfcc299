#include "app/WindowList.h"

#include "platform/FileIo.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTabBar>

namespace orvelt {

WindowList::WindowList(QTabBar* tabs, QMdiArea* area) : QObject(tabs), tabs_(tabs), area_(area) {
    // Tied to the window, not its caption: two windows may share one.
    connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0 && index < windows_.size() && windows_.at(index))
            Activate(windows_.at(index));
    });
}

void WindowList::Activate(QWidget* child) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(child->parentWidget()))
        area_->setActiveSubWindow(sub);
}

void WindowList::Append(QWidget* child, const QString& caption) {
    captions_.append(caption);
    windows_.append(child);
    QSignalBlocker block(tabs_);
    tabs_->addTab(NamePartOf(caption));
}

void WindowList::Remove(QWidget* child) {
    const int index = static_cast<int>(windows_.indexOf(child));
    if (index < 0)
        return;
    windows_.removeAt(index);
    captions_.removeAt(index);
    QSignalBlocker block(tabs_);
    tabs_->removeTab(index);
}

void WindowList::Rename(QWidget* child, const QString& caption) {
    const int index = static_cast<int>(windows_.indexOf(child));
    if (index < 0)
        return;
    captions_[index] = caption;
    tabs_->setTabText(index, NamePartOf(caption));
}

void WindowList::Select(QWidget* child) {
    const int index = static_cast<int>(windows_.indexOf(child));
    if (index >= 0 && index != tabs_->currentIndex()) {
        QSignalBlocker block(tabs_);
        tabs_->setCurrentIndex(index);
    }
}

void WindowList::ListIn(QMenu* menu) {
    const auto fixed = menu->actions().size();
    connect(menu, &QMenu::aboutToShow, this, [this, menu, fixed] {
        const auto actions = menu->actions();
        for (auto i = fixed; i < actions.size(); ++i) {
            menu->removeAction(actions[i]);
            delete actions[i];
        }
        int n = 1;
        for (QMdiSubWindow* sub : area_->subWindowList()) {
            QAction* item = menu->addAction(
                QStringLiteral("&%1 %2").arg(n++).arg(sub->widget()->windowTitle()));
            item->setCheckable(true);
            item->setChecked(sub == area_->currentSubWindow());
            connect(item, &QAction::triggered, this,
                    [this, sub] { area_->setActiveSubWindow(sub); });
        }
    });
}

void WindowList::ArrangeIcons() {
    int x = 0;
    for (QMdiSubWindow* sub : area_->subWindowList()) {
        if (!sub->isMinimized())
            continue;
        sub->move(x, area_->viewport()->height() - sub->height());
        x += sub->width();
    }
}

} // namespace orvelt
