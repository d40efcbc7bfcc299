#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvelt {

inline constexpr int kDefaultPanelWidth = 130;

// A project: the files of one TeX document, in the tree's order, and the one TeX is run on.
// Paths are full paths, the file system's bytes.
struct Project {
    std::vector<std::string> files;
    std::optional<std::size_t> mainFile; // index into files
    int panelWidth = kDefaultPanelWidth;
    bool operator==(const Project&) const = default;
};

// The tree's order: the name part (after the last '/') byte by byte, then the full path, so the
// order, and with it the stored main-file number, is the same on every machine.
[[nodiscard]] bool TreeOrderLess(std::string_view a, std::string_view b);

// Each keeps the tree's order and the main file on the same file. Adding returns the new
// file's position; a position past the end changes nothing.
std::size_t AddProjectFile(Project& project, std::string path);
// Removes the file at `at`; the main file is none afterwards when it was that one.
void RemoveProjectFile(Project& project, std::size_t at);
void SetMainProjectFile(Project& project, std::size_t at);

// Exact, byte-wise: whether the file is one of the project's.
[[nodiscard]] bool ProjectHolds(const Project& project, std::string_view path);

// The name a project is saved under: the chosen path with ".orp" added to its name part unless
// that already ends in ".orp" (any case), so that opening it later loads it as a project.
[[nodiscard]] std::string ProjectFileName(std::string_view chosen);

} // namespace orvelt
