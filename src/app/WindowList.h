#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

class QMdiArea;
class QMenu;
class QTabBar;
class QWidget;

namespace orvelt {

// The document windows as the user picks them: the tab strip and its parallel list of full
// captions, in the order the windows were opened, and the list at the end of the Window menu.
class WindowList : public QObject {
    Q_OBJECT
public:
    WindowList(QTabBar* tabs, QMdiArea* area);

    void Append(QWidget* child, const QString& caption);
    // By the window itself rather than the selected tab, so that a shutdown cancelled halfway
    // leaves no tabs of windows that are gone.
    void Remove(QWidget* child);
    void Rename(QWidget* child, const QString& caption);
    // Shows the tab of the active window.
    void Select(QWidget* child);
    [[nodiscard]] const QStringList& Captions() const { return captions_; }

    // The menu lists the open windows after its own entries, rebuilt whenever it opens.
    void ListIn(QMenu* menu);
    // Minimized windows line up along the bottom, as icons do.
    void ArrangeIcons();

private:
    void Activate(QWidget* child);

    QTabBar* tabs_;
    QMdiArea* area_;
    QStringList captions_;
    QList<QPointer<QWidget>> windows_; // the windows behind captions_, same order
};

} // namespace orvelt
