#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvelt {

// A file name a line of TeX source reads with \input or \include, as positions in the line.
struct InputName {
    std::size_t start = 0; // the name as written
    std::size_t length = 0;
    std::size_t shownStart = 0; // the part after its last "/" or "\"
};

// The names one line yields, in order. Every command name that begins with "\input" or
// "\include" counts (\includegraphics, \inputencoding too), and comments are not told apart:
// the list is a quick look at what a document may pull in, not TeX's reading of it. A braced
// name runs to the next "}"; "\input name", TeX's own form, takes the word after the blanks.
// Linear in the line's length on any input. CharT: char (bytes) or char16_t (the surface's
// text).
template <class CharT>
[[nodiscard]] std::vector<InputName> ScanInputLine(std::basic_string_view<CharT> line);

// How an input name is found on disk.
struct InputFile {
    enum class Kind {
        Found,    // path names an existing file
        Missing,  // nothing exists; path is what TeX would read first
        Untitled, // a relative name with no directory to take it against
    } kind = Kind::Missing;
    std::string path;
};

// The file TeX would read for `name` (UTF-8, as written in the source). Blanks around it and
// double quotes go, "\" separates directories, a relative name is taken against the
// document's directory and then against the main file's, where TeX runs; a name not ending in
// ".tex" is tried with ".tex" first. Empty directories are unknown ones.
[[nodiscard]] InputFile ResolveInputName(std::string_view name, std::string_view documentDir,
                                         std::string_view mainFileDir,
                                         const std::function<bool(const std::string&)>& exists);

extern template std::vector<InputName> ScanInputLine(std::string_view);
extern template std::vector<InputName> ScanInputLine(std::u16string_view);

} // namespace orvelt
