#pragma once

#include <QList>
#include <QWidget>

class QMdiArea;
class QMdiSubWindow;
class QTabBar;

namespace orvelt {

class ChildWindow;
class PanelSplitter;
class WindowList;

// The main window's client: the tab strip over the document windows, the project tree's
// panel with its splitter, and the multi-document area that holds the children.
class ChildArea : public QWidget {
    Q_OBJECT
public:
    explicit ChildArea(QWidget* parent);

    [[nodiscard]] QMdiArea* Mdi() const { return mdi_; }
    [[nodiscard]] QTabBar* Tabs() const { return tabs_; }
    [[nodiscard]] WindowList& List() const { return *list_; }
    // The project's side panel and the strip that sizes it; hidden while no project is open.
    [[nodiscard]] QWidget* TreePanel() const { return treePanel_; }
    [[nodiscard]] PanelSplitter* Splitter() const { return splitter_; }

    // Takes a child into a frame of its own, which deletes it when it closes.
    QMdiSubWindow* Add(ChildWindow* child);
    // Shows it maximized, gives it a tab and makes it the active window.
    void Show(QMdiSubWindow* sub, ChildWindow* child);
    // A child that failed to load leaves without a trace.
    void Drop(QMdiSubWindow* sub);
    // Brings it to the front.
    void Raise(ChildWindow* child);
    // Closes it with its frame; false when it refused (Cancel, or a save that did not happen).
    bool Close(ChildWindow* child);

    [[nodiscard]] int Count() const;
    // The child the commands act on (a dialog may hold the focus).
    [[nodiscard]] ChildWindow* Active() const;
    // Least recently active first, so that the window that was active is handled last.
    [[nodiscard]] QList<ChildWindow*> LastToFirst() const;
    [[nodiscard]] QList<ChildWindow*> InCreationOrder() const;

signals:
    // Another child became the active one (or none is left).
    void ActiveChanged();

private:
    QTabBar* tabs_;
    QWidget* treePanel_;
    PanelSplitter* splitter_;
    QMdiArea* mdi_;
    WindowList* list_;
};

} // namespace orvelt
