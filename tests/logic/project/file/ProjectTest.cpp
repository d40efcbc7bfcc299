#include "project/file/Project.h"

#include <gtest/gtest.h>

namespace orvelt {
namespace {

TEST(Project, AddingKeepsTheTreeOrderAndTheMainFile) {
    Project project;
    const std::vector<std::pair<std::string, std::size_t>> adds = {
        {"/b/intro.tex", 0}, {"/a/intro.tex", 0}, {"/z/a.tex", 0}, {"/a/intro.tex", 2}};
    for (const auto& [path, position] : adds) {
        SCOPED_TRACE(path);
        EXPECT_EQ(AddProjectFile(project, path), position);
        if (project.files.size() == 1) {
            SetMainProjectFile(project, 0);
        }
    }
    EXPECT_EQ(project.files, (std::vector<std::string>{"/z/a.tex", "/a/intro.tex", "/a/intro.tex",
                                                       "/b/intro.tex"}));
    EXPECT_EQ(project.mainFile, 3u);
    RemoveProjectFile(project, 1);
    EXPECT_EQ(project.mainFile, 2u);
    RemoveProjectFile(project, 2);
    EXPECT_EQ(project.mainFile, std::nullopt);
}

TEST(Project, HoldsComparesWholePathsByteForByte) {
    Project project;
    AddProjectFile(project, "/p/a.tex");
    for (const char* other : {"/p/A.tex", "/p//a.tex", "/p/a.tex ", "a.tex"}) {
        EXPECT_FALSE(ProjectHolds(project, other)) << other;
    }
    EXPECT_TRUE(ProjectHolds(project, "/p/a.tex"));
}

TEST(Project, SavedNameOpensAsAProject) {
    const std::pair<const char*, const char*> rows[] = {
        {"/a/thesis", "/a/thesis.orp"},
        {"/a/v1.2/thesis", "/a/v1.2/thesis.orp"},
        {"/a/thesis.v2", "/a/thesis.v2.orp"},
        {"/a/x.ORP", "/a/x.ORP"},
        {"/a/x.orp", "/a/x.orp"},
    };
    for (const auto& [chosen, saved] : rows) {
        EXPECT_EQ(ProjectFileName(chosen), saved) << chosen;
    }
}

} // namespace
} // namespace orvelt
