#include "toolchain/run/RunDecision.h"

#include "core/FileNames.h"

namespace orvelt {

RunDecision DecideRun(const RunSituation& situation) {
    RunDecision decision;
    const std::vector<RunWindow>& windows = situation.windows;
    const std::size_t active = situation.active;
    if (active < windows.size()) {
        if (windows[active].modified)
            decision.toSave.push_back(active);
        if (windows[active].kind == ChildKind::Source)
            decision.lineNumber = windows[active].row;
    }
    if (situation.projectMainFile.empty() || situation.forceCurrentFile)
        return decision;
    decision.target = RunTarget::ProjectMainFile;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        if (i != active && windows[i].modified && windows[i].inProject)
            decision.toSave.push_back(i);
    }
    return decision;
}

TargetParts SplitTarget(std::string_view target) {
    const std::size_t slash = target.find_last_of('/');
    TargetParts parts;
    if (slash != std::string_view::npos)
        parts.directory = std::string(target.substr(0, slash == 0 ? 1 : slash));
    parts.fileBase = StripExtension(NamePart(target));
    return parts;
}

} // namespace orvelt
