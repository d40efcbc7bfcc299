#pragma once

#include "project/file/Project.h"

#include <string>
#include <string_view>

namespace orvelt {

struct ProjectReadResult {
    bool ok = false;
    Project project;   // in the tree's order, whatever order the file lists them in
    std::string error; // why not, for a diagnostic; the window shows its own message
};

// Whether a line of the project file can hold the path: not empty (an empty FileN ends the
// list), no CR or LF. The writer leaves out any other, so the window refuses to add one.
[[nodiscard]] bool FitsProjectFile(std::string_view path);

// Reads a project file's bytes. Section and key names are matched without regard to case or
// surrounding blanks, the first occurrence wins; a value is everything after the first "=" to
// the line end (LF, CR LF or a lone CR), untrimmed. The files end at the first missing or empty
// FileN. A relative path is taken against the project file's directory. FileNumber missing or
// not a number is no main file; 0, below -1 or beyond the last file fails. PanelWidth missing
// or not a number is 130.
[[nodiscard]] ProjectReadResult ReadProjectFile(std::string_view bytes,
                                                std::string_view projectDirectory);

// The project file's bytes: `existing` (empty for a new file) with the project's keys put in
// place, every other section, key and line and the line ends kept; a new file gets the sections
// Project, ProjectFiles, MainFile with LF. A file at or below the project's directory is written
// relative to it, so a copied project works on its copies; others with full paths.
[[nodiscard]] std::string WriteProjectFile(std::string_view existing, const Project& project,
                                           std::string_view projectDirectory);

} // namespace orvelt
