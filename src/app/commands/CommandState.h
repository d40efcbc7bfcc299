#pragma once

#include "core/ChildKind.h"

#include <optional>

// When a command of the main window may run: a rule per command, decided from the situation.
namespace orvelt {

enum class EnabledWhen {
    Always,
    AnyWindow,        // some child window is open
    SourceWindow,     // the active window is a source window
    ModifiedDocument, // ... and it has unsaved changes
    Never,            // its window is not built yet
};

struct CommandSituation {
    std::optional<ChildKind> active; // the active window's kind; none when no window is open
    bool activeModified = false;
};

[[nodiscard]] bool IsEnabled(EnabledWhen rule, const CommandSituation& situation);

} // namespace orvelt
