#include "project/scan/InputNames.h"

#include <algorithm>
#include <filesystem>

namespace orvelt {

namespace {

// No file system takes a longer path; a longer "name" is the text between an \input's brace
// and a far "}", and copying each of those would make a line of them quadratic.
constexpr std::size_t kLongestName = 4096;

template <class CharT> constexpr bool IsBlank(CharT c) {
    return c == CharT(' ') || c == CharT('\t');
}

template <class CharT> constexpr bool IsSeparator(CharT c) {
    return c == CharT('/') || c == CharT('\\');
}

// The next place of a needle at or after a position, for positions that only grow: each
// search starts where the last one found its answer, so a line is searched once per needle.
template <class CharT> class NextOf {
public:
    using View = std::basic_string_view<CharT>;
    NextOf(View text, View needle) : text_(text), needle_(needle) {}

    std::size_t At(std::size_t from) {
        if (!searched_ || (found_ != View::npos && found_ < from)) {
            found_ = text_.find(needle_, from);
            searched_ = true;
        }
        return found_;
    }

private:
    View text_;
    View needle_;
    std::size_t found_ = View::npos;
    bool searched_ = false;
};

// The last separator before a position, for positions that only grow.
template <class CharT> class LastSeparator {
public:
    explicit LastSeparator(std::basic_string_view<CharT> text) : text_(text) {}

    std::size_t Before(std::size_t end) {
        for (; scanned_ < end; ++scanned_) {
            if (IsSeparator(text_[scanned_])) {
                last_ = scanned_;
            }
        }
        return last_;
    }

private:
    std::basic_string_view<CharT> text_;
    std::size_t scanned_ = 0;
    std::size_t last_ = std::basic_string_view<CharT>::npos;
};

// Nothing but blanks and quotes: nothing TeX would read.
template <class CharT> bool IsEmptyName(std::basic_string_view<CharT> name) {
    return std::all_of(name.begin(), name.end(),
                       [](CharT c) { return IsBlank(c) || c == CharT('"'); });
}

} // namespace

template <class CharT> std::vector<InputName> ScanInputLine(std::basic_string_view<CharT> line) {
    using View = std::basic_string_view<CharT>;
    static constexpr CharT kInput[] = {'\\', 'i', 'n', 'p', 'u', 't'};
    static constexpr CharT kInclude[] = {'\\', 'i', 'n', 'c', 'l', 'u', 'd', 'e'};
    static constexpr CharT kOpen[] = {'{'};
    static constexpr CharT kClose[] = {'}'};
    constexpr std::size_t npos = View::npos;

    NextOf<CharT> input(line, View(kInput, std::size(kInput)));
    NextOf<CharT> include(line, View(kInclude, std::size(kInclude)));
    NextOf<CharT> open(line, View(kOpen, 1));
    NextOf<CharT> close(line, View(kClose, 1));
    LastSeparator<CharT> separator(line);
    std::vector<InputName> names;
    const auto add = [&](std::size_t start, std::size_t end, std::size_t shown) {
        const View name = line.substr(start, end - start);
        if (name.size() <= kLongestName && !IsEmptyName(name)) {
            names.push_back({start, end - start, shown});
        }
    };

    std::size_t from = 0;
    for (;;) {
        const std::size_t atInput = input.At(from);
        const std::size_t at = std::min(atInput, include.At(from));
        if (at == npos) {
            break;
        }
        if (at == atInput) {
            // "\input chap1": the word after the blanks is the name.
            std::size_t word = at + std::size(kInput);
            while (word < line.size() && IsBlank(line[word])) {
                ++word;
            }
            const bool bare = word > at + std::size(kInput) && word < line.size() &&
                              line[word] != CharT('{') && line[word] != CharT('\\') &&
                              line[word] != CharT('%');
            if (bare) {
                std::size_t end = word;
                std::size_t shown = word;
                for (; end < line.size(); ++end) {
                    const CharT c = line[end];
                    if (IsBlank(c) || c == CharT('%') || c == CharT('{') || c == CharT('}')) {
                        break;
                    }
                    if (IsSeparator(c)) {
                        shown = end + 1;
                    }
                }
                add(word, end, shown);
                from = end;
                continue;
            }
        }
        const std::size_t brace = open.At(at);
        if (brace == npos) {
            break;
        }
        const std::size_t start = brace + 1;
        if (const std::size_t end = close.At(start); end != npos) {
            const std::size_t last = separator.Before(end);
            add(start, end, last != npos && last >= start ? last + 1 : start);
        }
        // The next command may stand inside this one's braces, as the text after "{" is.
        from = start;
    }
    return names;
}

template std::vector<InputName> ScanInputLine(std::string_view);
template std::vector<InputName> ScanInputLine(std::u16string_view);

namespace {

std::string CleanName(std::string_view name) {
    std::string clean;
    for (const char c : name) {
        if (c == '"') {
            continue;
        }
        clean.push_back(c == '\\' ? '/' : c);
    }
    const auto first = clean.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return clean.substr(first, clean.find_last_not_of(" \t") - first + 1);
}

bool IsAbsolute(std::string_view name) {
    const bool drive = name.size() >= 3 && name[1] == ':' && name[2] == '/' &&
                       ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
    return name.starts_with('/') || drive;
}

std::string Join(std::string_view directory, std::string_view name) {
    std::filesystem::path path(
        directory.empty() ? std::string(name) : std::string(directory) + "/" + std::string(name));
    return path.lexically_normal().generic_string();
}

} // namespace

InputFile ResolveInputName(std::string_view name, std::string_view documentDir,
                           std::string_view mainFileDir,
                           const std::function<bool(const std::string&)>& exists) {
    const std::string clean = CleanName(name);
    std::vector<std::string_view> directories;
    if (IsAbsolute(clean)) {
        directories.emplace_back();
    } else {
        for (const std::string_view directory : {documentDir, mainFileDir}) {
            if (!directory.empty() &&
                std::find(directories.begin(), directories.end(), directory) == directories.end()) {
                directories.push_back(directory);
            }
        }
        if (directories.empty()) {
            return {InputFile::Kind::Untitled, {}};
        }
    }
    // TeX's order: with ".tex" added first, unless the name ends in it already.
    std::vector<std::string> candidates;
    for (const std::string_view directory : directories) {
        if (!clean.ends_with(".tex")) {
            candidates.push_back(Join(directory, clean + ".tex"));
        }
        candidates.push_back(Join(directory, clean));
    }
    for (const std::string& candidate : candidates) {
        if (exists(candidate)) {
            return {InputFile::Kind::Found, candidate};
        }
    }
    return {InputFile::Kind::Missing, candidates.front()};
}

} // namespace orvelt
