#include "app/commands/CommandState.h"

namespace orvelt {

namespace {

using W = EnabledWhen;

struct RuleRow {
    std::string_view name;
    EnabledWhen rule;
};

// Every command of the menus and the tool bar that is not always enabled.
constexpr RuleRow kRules[] = {
    {"FileSaveItem", W::ModifiedDocument},
    {"SaveBtn", W::ModifiedDocument},
    {"FileSaveAsMenu", W::NotLogWindow},
    {"FileSaveAsItem", W::NotLogWindow},
    // A template or snippet is a TeX text.
    {"FileSaveAsShortcutItem", W::SourceWindow},
    {"FileSaveAsTemplateItem", W::SourceWindow},
    {"FileImportBibItem", W::BibWindow},
    {"FileSaveAllItem", W::AnyWindow},
    {"BtnSaveAll", W::AnyWindow},
    {"EditUndoItem", W::NotLogWindow},
    {"EditRedoItem", W::NotLogWindow},
    {"EditCutItem", W::NotLogWindow},
    {"EditCopyItem", W::NotLogWindow},
    {"EditPasteItem", W::NotLogWindow},
    {"CutBtn", W::NotLogWindow},
    {"CopyBtn", W::NotLogWindow},
    {"PasteBtn", W::NotLogWindow},
    {"EditFindItem", W::NotLogWindow},
    {"BtnFind", W::NotLogWindow},
    {"EditFindAgainItem", W::SourceWithFindText},
    {"EditReformatItem", W::SourceWindow},
    {"EditSpellItem", W::SourceWithWordList},
    {"BtnSpell", W::SourceWithWordList},
    {"ViewLogFileItem", W::NotLogWindow},
    {"BtnLog", W::NotLogWindow},
    {"ViewRefreshItem", W::NotLogWindow},
    {"ViewErrorsItem", W::SourceWindow},
    {"BtnError", W::SourceWindow},
    {"BtnInputs", W::SourceWindow},
    {"BtnFonts", W::SourceWindow},
    {"BtnTeXCmd", W::SourceWindow},
    {"BtnGreek", W::SourceWindow},
    {"BtnBinOps", W::SourceWindow},
    {"BtnRelOps", W::SourceWindow},
    {"BtnArrows", W::SourceWindow},
    {"BtnMisc", W::SourceWindow},
    {"BtnTable", W::SourceWindow},
    {"ProjectSaveItem", W::ProjectOpen},
    {"ProjectSaveAsItem", W::ProjectOpen},
    {"ProjectCloseItem", W::ProjectOpen},
    {"ProjectAddFileItem", W::ProjectOpen},
    {"ProjectRemoveFileItem", W::ProjectOpen},
    {"ProjectMainFileItem", W::ProjectOpen},
    {"WindowTileItem", W::AnyWindow},
    {"WindowCascadeItem", W::AnyWindow},
    {"WindowArrangeItem", W::AnyWindow},
    {"WindowCloseChild", W::AnyWindow},
};

// Commands that may always run.
constexpr std::string_view kAlways[] = {
    "FileNewMenu",     "FileNewTemplateItem", "FileNewBibItem",  "FileNewItem",
    "FileOpenItem",    "FileExitItem",        "BtnNew",          "OpenBtn",
    "ViewOptionsItem", "ProjectNewItem",      "ProjectOpenItem", "HelpContentsItem",
    "HelpLaTeXItem",   "HelpAboutItem",
};

} // namespace

bool IsEnabled(EnabledWhen rule, const CommandSituation& s) {
    const bool source = s.active == ChildKind::Source;
    switch (rule) {
    case W::Always:
        return true;
    case W::AnyWindow:
        return s.active.has_value();
    case W::NotLogWindow:
        return s.active.has_value() && s.active != ChildKind::Log;
    case W::SourceWindow:
        return source;
    case W::ModifiedDocument:
        return (source || s.active == ChildKind::Bibliography) && s.activeModified;
    case W::SourceWithFindText:
        return source && !s.findTextEmpty;
    case W::SourceWithWordList:
        return source && s.dictionarySet;
    case W::BibWindow:
        return s.active == ChildKind::Bibliography;
    case W::ProjectOpen:
        return s.projectOpen;
    }
    return false;
}

std::optional<EnabledWhen> RuleOf(std::string_view name) {
    for (const RuleRow& row : kRules)
        if (row.name == name)
            return row.rule;
    for (std::string_view always : kAlways)
        if (always == name)
            return W::Always;
    // The recent files' entries ("N11" .. "N51") are always enabled.
    if (name.size() == 3 && name[0] == 'N' && name[1] >= '1' && name[1] <= '5' && name[2] == '1')
        return W::Always;
    // Running a program acts on the active document, which a log window is not.
    if (name.starts_with("TeXItem") || name.starts_with("TeXButton"))
        return W::NotLogWindow;
    return std::nullopt;
}

} // namespace orvelt
