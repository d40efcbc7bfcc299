#include "project/file/Project.h"

#include "core/FileNames.h"

#include <algorithm>

namespace orvelt {

bool TreeOrderLess(std::string_view a, std::string_view b) {
    // std::string_view compares as unsigned bytes: the same order under every locale.
    const int byName = NamePart(a).compare(NamePart(b));
    return byName != 0 ? byName < 0 : a < b;
}

std::size_t AddProjectFile(Project& project, std::string path) {
    // After its equals, so a repeated path is added beside the one already there.
    const auto at = std::upper_bound(
        project.files.begin(), project.files.end(), path,
        [](const std::string& a, const std::string& b) { return TreeOrderLess(a, b); });
    const auto position = static_cast<std::size_t>(at - project.files.begin());
    project.files.insert(at, std::move(path));
    if (project.mainFile && *project.mainFile >= position) {
        ++*project.mainFile;
    }
    return position;
}

void RemoveProjectFile(Project& project, std::size_t at) {
    if (at >= project.files.size()) {
        return;
    }
    project.files.erase(project.files.begin() + static_cast<std::ptrdiff_t>(at));
    if (project.mainFile == at) {
        project.mainFile.reset();
    } else if (project.mainFile && *project.mainFile > at) {
        --*project.mainFile;
    }
}

void SetMainProjectFile(Project& project, std::size_t at) {
    if (at < project.files.size()) {
        project.mainFile = at;
    }
}

bool ProjectHolds(const Project& project, std::string_view path) {
    return std::find(project.files.begin(), project.files.end(), path) != project.files.end();
}

std::string ProjectFileName(std::string_view chosen) {
    std::string name(chosen);
    if (UpperExtension(chosen) != ".ORP") {
        name += ".orp";
    }
    return name;
}

} // namespace orvelt
