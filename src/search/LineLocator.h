#pragma once

#include <QObject>
#include <functional>

class QStatusBar;

namespace orvelt {

class Prompter;
class TMDIChild;

// The line locator: a double-click on the status bar asks for a line number and selects that
// line of the active source window, counted as the gutter counts.
class LineLocator : public QObject {
    Q_OBJECT
public:
    LineLocator(QStatusBar* bar, Prompter& prompter, std::function<TMDIChild*()> activeSource);

    void StatusBarDblClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QStatusBar* bar_;
    Prompter& prompter_;
    std::function<TMDIChild*()> activeSource_;
};

} // namespace orvelt
