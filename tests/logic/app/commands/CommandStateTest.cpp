#include "app/commands/CommandState.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace orvelt {
namespace {

// Commands standing for each rule; the expectations are written out, never computed.
const std::vector<std::string> kProbes = {
    "FileSaveItem",      "FileSaveAsItem",    "FileSaveAsTemplateItem", "EditCutItem",
    "ViewRefreshItem",   "EditFindAgainItem", "EditSpellItem",          "BtnGreek",
    "FileImportBibItem", "FileSaveAllItem",   "ProjectSaveItem",        "TeXItem3",
    "TeXButton3",        "FileOpenItem",
};

std::string States(const CommandSituation& s) {
    std::string states;
    for (const std::string& name : kProbes)
        states += RuleOf(name) && IsEnabled(*RuleOf(name), s) ? '+' : '-';
    return states;
}

TEST(CommandState, EachSituationEnablesWhatItServes) {
    const auto Source = ChildKind::Source;
    const auto Bib = ChildKind::Bibliography;
    const auto Log = ChildKind::Log;
    struct Case {
        const char* name;
        CommandSituation situation;
        const char* expected; // one sign per probe, in kProbes' order
    };
    const Case cases[] = {
        {"nominal: nothing open", {}, "-------------+"},
        {"nominal: a clean source window", {Source}, "-++++--+-+-+++"},
        {"nominal: a modified source window", {Source, true}, "+++++--+-+-+++"},
        {"nominal: find text and dictionary", {Source, false, false, true}, "-+++++++-+-+++"},
        {"log window only: saving, editing, finding and running are off",
         {Log, false},
         "---------+---+"},
        {"log window, even one flagged modified", {Log, true}, "---------+---+"},
        {"bibliography window: its own save and import, no TeX text commands",
         {Bib, true},
         "++-++---++-+++"},
        {"modified -> clean switch to a bibliography window", {Bib, false}, "-+-++---++-+++"},
        {"find text without a window", {std::nullopt, false, false, true, false}, "-------------+"},
        {"a project open with nothing else",
         {std::nullopt, false, true, false, true},
         "----------+--+"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(States(c.situation), c.expected);
    }
}

TEST(CommandState, EveryNameHasOneRuleOrNone) {
    for (const char* known : {"WindowCloseChild", "N31", "HelpContentsItem", "BtnTable"})
        EXPECT_TRUE(RuleOf(known).has_value()) << known;
    for (const char* unknown : {"", "N61", "N1", "FileSaveItems", "TeX", "SpeedPanel"})
        EXPECT_FALSE(RuleOf(unknown).has_value()) << unknown;
}

} // namespace
} // namespace orvelt
