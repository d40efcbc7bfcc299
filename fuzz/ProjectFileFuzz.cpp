#include "project/file/ProjectFile.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

// A project read from any bytes is in the tree's order and every path fits a line. Saved into
// those bytes or into a new file it reads back as the same project, and saving the result
// again changes no byte.
void ReadWriteRead(std::string_view bytes, std::string_view directory) {
    const orvelt::ProjectReadResult read = orvelt::ReadProjectFile(bytes, directory);
    if (!read.ok) {
        Check(!read.error.empty());
        return;
    }
    const orvelt::Project& project = read.project;
    Check(std::is_sorted(
        project.files.begin(), project.files.end(),
        [](const std::string& a, const std::string& b) { return orvelt::TreeOrderLess(a, b); }));
    Check(std::all_of(project.files.begin(), project.files.end(), orvelt::FitsProjectFile));
    Check(!project.mainFile || *project.mainFile < project.files.size());
    for (const std::string_view existing : {bytes, std::string_view()}) {
        const std::string written = orvelt::WriteProjectFile(existing, project, directory);
        const orvelt::ProjectReadResult back = orvelt::ReadProjectFile(written, directory);
        Check(back.ok && back.project == project);
        Check(orvelt::WriteProjectFile(written, project, directory) == written);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The usual directory, the root (every full path lies below it) and none known.
    for (const std::string_view directory : {"/home/u/thesis", "/", ""}) {
        ReadWriteRead(bytes, directory);
    }
    return 0;
}
