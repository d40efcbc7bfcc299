#include "app/commands/CommandState.h"

namespace orvelt {

bool IsEnabled(EnabledWhen rule, const CommandSituation& situation) {
    const bool source = situation.active == ChildKind::Source;
    switch (rule) {
    case EnabledWhen::Always:
        return true;
    case EnabledWhen::AnyWindow:
        return situation.active.has_value();
    case EnabledWhen::SourceWindow:
        return source;
    case EnabledWhen::ModifiedDocument:
        return source && situation.activeModified;
    case EnabledWhen::Never:
        break;
    }
    return false;
}

} // namespace orvelt
