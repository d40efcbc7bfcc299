#pragma once

#include "app/commands/CommandState.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QToolButton;

namespace orvelt {

class TMainForm;

// One row per command of the main window: what it is called, what it says, its key and what
// runs it. The menus and the tool bar are built from the rows; when each may run is RuleOf's.
struct CommandRow {
    const char* objectName; // null for a tool button whose command is still to come
    const char* caption;
    const char* hint; // shown in status panel 2
    const char* key;  // portable key text, alternatives parted by "|", or null
    void (TMainForm::*handler)();
    const char* toolButton; // the tool bar button that runs it, or null
    const char* toolHint;
};

class CommandTable {
public:
    // Makes every command's action (owned by the form), the menus and the tool bar.
    explicit CommandTable(TMainForm& form);

    [[nodiscard]] QAction* Action(const QString& objectName) const;
    [[nodiscard]] QMenu* Menu(const QString& caption) const;
    [[nodiscard]] QToolBar* ToolBar() const { return toolBar_; }
    // Enables every command, and its tool button, as its rule says for this situation; one
    // without a handler stays disabled.
    void Apply(const CommandSituation& situation);

private:
    void BuildMenus(QMenuBar* bar);
    void BuildToolBar();

    TMainForm& form_;
    QHash<QString, QAction*> actions_;
    QHash<QString, QMenu*> menus_;
    QSet<QString> connected_; // commands with a handler; the others wait for their window
    QToolBar* toolBar_ = nullptr;
};

} // namespace orvelt
