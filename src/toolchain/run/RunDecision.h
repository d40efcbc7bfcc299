#pragma once

#include "core/ChildKind.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace orvelt {

// One open window, as a run sees it.
struct RunWindow {
    ChildKind kind = ChildKind::Source;
    std::string fileName; // full path; empty for an untitled window
    bool modified = false;
    int row = 0;            // the caret's line (source windows)
    bool inProject = false; // the project lists exactly this file
};

struct RunSituation {
    std::vector<RunWindow> windows; // in the main window's child order
    std::size_t active = 0;         // which of them is active
    std::string projectMainFile;    // empty: no project, or none marked
    bool forceCurrentFile = false;  // the entry always runs on the active window's file
};

enum class RunTarget { ActiveWindow, ProjectMainFile };

struct RunDecision {
    RunTarget target = RunTarget::ActiveWindow;
    // The windows to save first, in order: the active one when modified, then, for the
    // project's main file, every other modified window of the project in child order.
    std::vector<std::size_t> toSave;
    int lineNumber = 0; // the active source window's row; 0 for any other kind
};

[[nodiscard]] RunDecision DecideRun(const RunSituation& situation);

// A target's directory (up to its last '/', without it; "/" for a file at the root; empty
// when it has none) and its file base (the name part without its extension).
struct TargetParts {
    std::string directory;
    std::string fileBase;
};
[[nodiscard]] TargetParts SplitTarget(std::string_view target);

} // namespace orvelt
