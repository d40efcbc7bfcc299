#include "toolchain/run/RunDecision.h"

#include <gtest/gtest.h>

namespace orvelt {
namespace {

using Saves = std::vector<std::size_t>;
constexpr auto kActive = RunTarget::ActiveWindow;
constexpr auto kMain = RunTarget::ProjectMainFile;

TEST(RunDecision, SavesWhatTheProgramWillRead) {
    // In child order: kind, file, modified, row, in the project.
    const std::vector<RunWindow> windows = {
        {ChildKind::Source, "/p/intro.tex", true, 3, true},
        {ChildKind::Source, "/other/notes.tex", true, 7, false},
        {ChildKind::Bibliography, "/p/refs.bib", true, 0, true},
        {ChildKind::Source, "/p/main.tex", false, 1, true},
        {ChildKind::Source, "/p/ch2.tex", true, 40, true},
    };
    const struct {
        const char* name;
        std::size_t active;
        const char* mainFile;
        bool force;
        RunTarget target;
        Saves toSave;
        int line;
    } cases[] = {
        {"no project: the active window, saved when modified", 1, "", false, kActive, {1}, 7},
        {"no project: an unmodified window saves nothing", 3, "", false, kActive, {}, 1},
        {"project, active outside: it first, then the project's in child order",
         1,
         "/p/main.tex",
         false,
         kMain,
         {1, 0, 2, 4},
         7},
        {"project, active inside: saved once", 4, "/p/main.tex", false, kMain, {4, 0, 2}, 40},
        {"project, forced on the current file: the active window alone",
         0,
         "/p/main.tex",
         true,
         kActive,
         {0},
         3},
        {"bibliography active: line 0", 2, "", false, kActive, {2}, 0},
        {"robustness: no active window", 9, "/p/main.tex", false, kMain, {0, 2, 4}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const RunDecision decision = DecideRun({windows, c.active, c.mainFile, c.force});
        EXPECT_EQ(decision.target, c.target);
        EXPECT_EQ(decision.toSave, c.toSave);
        EXPECT_EQ(decision.lineNumber, c.line);
    }
}

TEST(RunDecision, SplitsTheTargetIntoDirectoryAndFileBase) {
    const struct {
        const char* target;
        const char* directory;
        const char* fileBase;
    } cases[] = {
        {"/home/ann/paper.tex", "/home/ann", "paper"},
        {"/paper.tex", "/", "paper"},
        {"paper.tex", "", "paper"},
        {"/home/ann/my.paper.tex", "/home/ann", "my.paper"},
        {"/home/ann/v1.2/notes", "/home/ann/v1.2", "notes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        const TargetParts parts = SplitTarget(c.target);
        EXPECT_EQ(parts.directory, c.directory);
        EXPECT_EQ(parts.fileBase, c.fileBase);
    }
}

} // namespace
} // namespace orvelt
