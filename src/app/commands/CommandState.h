#pragma once

#include "core/ChildKind.h"

#include <optional>
#include <string_view>

// When a command of the main window may run: a rule per command, decided from the situation.
namespace orvelt {

enum class EnabledWhen {
    Always,
    AnyWindow,          // some child window is open
    NotLogWindow,       // some child window is open and the active one is no log window
    SourceWindow,       // the active window is a source window
    ModifiedDocument,   // the active window is a source or bibliography window with changes
    SourceWithFindText, // a source window, and the find dialog has a text to find
    SourceWithWordList, // a source window, and a dictionary is chosen
    BibWindow,          // the active window is a bibliography window
    ProjectOpen,        // a project is open
};

// Everything the rules look at; it changes when the active window, its modified flag, the
// find text, the dictionary or the project does.
struct CommandSituation {
    std::optional<ChildKind> active; // the active window's kind; none when no window is open
    bool activeModified = false;
    bool findTextEmpty = true;
    bool dictionarySet = false;
    bool projectOpen = false;
};

[[nodiscard]] bool IsEnabled(EnabledWhen rule, const CommandSituation& situation);

// The rule of a command by the object name of its menu entry or tool button ("FileSaveItem",
// "SaveBtn"); TeX menu items ("TeXItem" + n) and their buttons ("TeXButton" + n) share one.
// None for a name that is no command of the main window.
[[nodiscard]] std::optional<EnabledWhen> RuleOf(std::string_view objectName);

} // namespace orvelt
