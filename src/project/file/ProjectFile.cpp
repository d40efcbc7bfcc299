#include "project/file/ProjectFile.h"

#include "core/AsciiCase.h"
#include "core/LineEnd.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <numeric>
#include <optional>
#include <vector>

namespace orvelt {
namespace {

constexpr std::string_view kProjectSection = "Project";
constexpr std::string_view kFilesSection = "ProjectFiles";
constexpr std::string_view kMainSection = "MainFile";
constexpr std::string_view kPanelWidthKey = "PanelWidth";
constexpr std::string_view kFileNumberKey = "FileNumber";
constexpr std::string_view kFileKey = "File";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

enum class Section { None, Project, Files, Main, Other };

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// One line as the ini format sees it. Only a key line's value keeps its blanks: a file name may
// begin or end with one.
struct IniLine {
    enum class Kind { Header, Key, Other } kind = Kind::Other;
    std::string_view name;      // the section a header opens, or a key line's key
    std::size_t valueAt = 0;    // a key line's value starts here
    bool holdsSomething = true; // neither blank nor a comment
};

IniLine ClassifyLine(std::string_view text, bool firstLine) {
    std::size_t start = 0;
    // Editors elsewhere may start the file with a byte-order mark; the first section is still
    // the first section.
    if (firstLine && text.starts_with(kByteOrderMark)) {
        start = kByteOrderMark.size();
    }
    while (start < text.size() && IsBlank(text[start])) {
        ++start;
    }
    IniLine line;
    if (start == text.size() || text[start] == ';' || text[start] == '#') {
        line.holdsSomething = false;
        return line;
    }
    if (text[start] == '[') {
        const std::size_t close = text.find(']', start);
        if (close != std::string_view::npos) {
            line.kind = IniLine::Kind::Header;
            line.name = TrimBlanks(text.substr(start + 1, close - start - 1));
            return line;
        }
    }
    const std::size_t equals = text.find('=', start);
    if (equals != std::string_view::npos) {
        const std::string_view key = TrimBlanks(text.substr(start, equals - start));
        if (!key.empty()) {
            line.kind = IniLine::Kind::Key;
            line.name = key;
            line.valueAt = equals + 1;
        }
    }
    return line;
}

Section SectionNamed(std::string_view name) {
    if (EqualsIgnoringCase(name, kProjectSection)) {
        return Section::Project;
    }
    if (EqualsIgnoringCase(name, kFilesSection)) {
        return Section::Files;
    }
    if (EqualsIgnoringCase(name, kMainSection)) {
        return Section::Main;
    }
    return Section::Other;
}

// n for the key "File" followed by n in decimal (no leading zero: "File01" is another key).
std::optional<std::size_t> FileKeyNumber(std::string_view key) {
    if (key.size() <= kFileKey.size() ||
        !EqualsIgnoringCase(key.substr(0, kFileKey.size()), kFileKey)) {
        return std::nullopt;
    }
    const std::string_view digits = key.substr(kFileKey.size());
    if (digits.front() < '1' || digits.front() > '9') {
        return std::nullopt;
    }
    std::size_t n = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return n;
}

// A decimal number, blanks around it allowed; one too large for the type saturates, so that
// it still counts as beyond every file.
std::optional<long long> ParseDecimal(std::string_view text) {
    text = TrimBlanks(text);
    const bool negative = text.starts_with('-');
    const std::string_view digits = text.substr(negative ? 1 : 0);
    if (digits.empty() ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) {
        return negative ? std::numeric_limits<long long>::min()
                        : std::numeric_limits<long long>::max();
    }
    return value;
}

// The directory relative values are taken against, without its trailing '/' ("" for the
// root); none when the project file's directory is unknown.
std::optional<std::string_view> DirectoryBase(std::string_view directory) {
    if (directory.empty()) {
        return std::nullopt;
    }
    while (!directory.empty() && directory.back() == '/') {
        directory.remove_suffix(1);
    }
    return directory;
}

std::string ResolvedPath(std::string_view value, std::optional<std::string_view> base) {
    if (!base || value.starts_with('/')) {
        return std::string(value);
    }
    std::string path;
    path.reserve(base->size() + 1 + value.size());
    path.append(*base).append(1, '/').append(value);
    return path;
}

// Relative when the file is below the directory and the rest reads back as relative.
std::string_view StoredPath(std::string_view path, std::optional<std::string_view> base) {
    if (base && path.size() > base->size() + 1 && path.starts_with(*base) &&
        path[base->size()] == '/' && path[base->size() + 1] != '/') {
        return path.substr(base->size() + 1);
    }
    return path;
}

struct ParsedLine {
    TextLine<char> line;
    IniLine ini;
    Section section = Section::None; // the one the line lies in; a header's own
};

std::vector<ParsedLine> ParseLines(std::string_view bytes) {
    std::vector<ParsedLine> parsed;
    Section section = Section::None;
    for (const TextLine<char>& line : SplitLines(bytes)) {
        const IniLine ini = ClassifyLine(line.text, parsed.empty());
        if (ini.kind == IniLine::Kind::Header) {
            section = SectionNamed(ini.name);
        }
        parsed.push_back({line, ini, section});
    }
    return parsed;
}

bool IsKey(const ParsedLine& line, Section section, std::string_view key) {
    return line.section == section && line.ini.kind == IniLine::Kind::Key &&
           EqualsIgnoringCase(line.ini.name, key);
}

std::optional<std::size_t> FileNumberOf(const ParsedLine& line) {
    if (line.section != Section::Files || line.ini.kind != IniLine::Kind::Key) {
        return std::nullopt;
    }
    return FileKeyNumber(line.ini.name);
}

std::string_view ValueOf(const ParsedLine& line) {
    return line.line.text.substr(line.ini.valueAt);
}

} // namespace

bool FitsProjectFile(std::string_view path) {
    return !path.empty() && path.find_first_of("\r\n") == std::string_view::npos;
}

ProjectReadResult ReadProjectFile(std::string_view bytes, std::string_view projectDirectory) {
    const std::vector<ParsedLine> lines = ParseLines(bytes);
    std::optional<std::string_view> panelWidth;
    std::optional<std::string_view> fileNumber;
    // A list runs on from File1 without a gap, so a number beyond the count of lines is
    // never reached.
    std::vector<std::optional<std::string_view>> fileValues(lines.size() + 1);
    for (const ParsedLine& line : lines) {
        if (!panelWidth && IsKey(line, Section::Project, kPanelWidthKey)) {
            panelWidth = ValueOf(line);
        } else if (!fileNumber && IsKey(line, Section::Main, kFileNumberKey)) {
            fileNumber = ValueOf(line);
        } else if (const auto n = FileNumberOf(line); n && *n < fileValues.size()) {
            if (!fileValues[*n]) {
                fileValues[*n] = ValueOf(line);
            }
        }
    }

    const std::optional<std::string_view> base = DirectoryBase(projectDirectory);
    std::vector<std::string> listed;
    for (std::size_t n = 1; n < fileValues.size() && fileValues[n] && !fileValues[n]->empty();
         ++n) {
        listed.push_back(ResolvedPath(*fileValues[n], base));
    }

    ProjectReadResult result;
    std::optional<std::size_t> listedMain;
    if (const auto number = fileNumber ? ParseDecimal(*fileNumber) : std::nullopt;
        number && *number != -1) {
        if (*number < 1 || static_cast<unsigned long long>(*number) > listed.size()) {
            result.error = "FileNumber " + std::string(TrimBlanks(*fileNumber)) +
                           " names no file: the project lists " + std::to_string(listed.size());
            return result;
        }
        listedMain = static_cast<std::size_t>(*number - 1);
    }
    if (const auto width = panelWidth ? ParseDecimal(*panelWidth) : std::nullopt;
        width && *width >= std::numeric_limits<int>::min() &&
        *width <= std::numeric_limits<int>::max()) {
        result.project.panelWidth = static_cast<int>(*width);
    }

    // Whatever order the file lists them in; equal paths keep theirs, so the main file stays
    // the one the number named.
    std::vector<std::size_t> order(listed.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return TreeOrderLess(listed[a], listed[b]);
    });
    result.project.files.reserve(listed.size());
    for (const std::size_t at : order) {
        if (listedMain == at) {
            result.project.mainFile = result.project.files.size();
        }
        result.project.files.push_back(std::move(listed[at]));
    }
    result.ok = true;
    return result;
}

std::string WriteProjectFile(std::string_view existing, const Project& project,
                             std::string_view projectDirectory) {
    const std::string_view eol = LineEndText(DetectLineEnd(existing));
    const std::optional<std::string_view> base = DirectoryBase(projectDirectory);

    std::string fileLines;
    std::size_t written = 0;
    std::optional<std::size_t> mainNumber;
    for (std::size_t i = 0; i < project.files.size(); ++i) {
        // No line can hold such a name; the window refuses to add one.
        if (!FitsProjectFile(project.files[i])) {
            continue;
        }
        ++written;
        if (project.mainFile == i) {
            mainNumber = written;
        }
        fileLines.append(kFileKey).append(std::to_string(written)).append(1, '=');
        fileLines.append(StoredPath(project.files[i], base)).append(eol);
    }
    const std::string width = std::to_string(project.panelWidth);
    const std::string number = mainNumber ? std::to_string(*mainNumber) : "-1";

    const std::vector<ParsedLine> lines = ParseLines(existing);
    constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
    std::size_t widthLine = kNone;
    std::size_t numberLine = kNone;
    std::size_t firstFileLine = kNone;
    // Missing keys go after the last line of their section's first occurrence that holds
    // something, so a blank line or a comment before the next section stays there.
    std::size_t sectionEnd[] = {kNone, kNone, kNone, kNone, kNone};
    int occurrences[] = {0, 0, 0, 0, 0};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ParsedLine& line = lines[i];
        const auto section = static_cast<std::size_t>(line.section);
        if (line.ini.kind == IniLine::Kind::Header) {
            ++occurrences[section];
        }
        if (line.ini.holdsSomething && occurrences[section] == 1) {
            sectionEnd[section] = i;
        }
        if (widthLine == kNone && IsKey(line, Section::Project, kPanelWidthKey)) {
            widthLine = i;
        } else if (numberLine == kNone && IsKey(line, Section::Main, kFileNumberKey)) {
            numberLine = i;
        } else if (firstFileLine == kNone && FileNumberOf(line)) {
            firstFileLine = i;
        }
    }
    const std::size_t projectEnd = sectionEnd[static_cast<std::size_t>(Section::Project)];
    const std::size_t filesEnd = sectionEnd[static_cast<std::size_t>(Section::Files)];
    const std::size_t mainEnd = sectionEnd[static_cast<std::size_t>(Section::Main)];

    std::string out;
    out.reserve(existing.size() + fileLines.size() + 64);
    // A line added after the file's last line gives that one its line end first.
    const auto startLine = [&] {
        if (!out.empty() && out.back() != '\n' && out.back() != '\r') {
            out.append(eol);
        }
    };
    const auto appendKey = [&](std::string_view key, std::string_view value) {
        startLine();
        out.append(key).append(1, '=').append(value).append(eol);
    };
    const auto appendEnd = [&](const ParsedLine& line) {
        if (line.line.end) {
            out.append(LineEndText(*line.line.end));
        }
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ParsedLine& line = lines[i];
        if (i == firstFileLine) {
            out.append(fileLines);
        } else if (FileNumberOf(line)) {
            // The whole list is the project's: a stale File7 would join a longer list later.
        } else if (i == widthLine || i == numberLine) {
            // Only the value changes; the key keeps its spelling and its blanks.
            out.append(line.line.text.substr(0, line.ini.valueAt));
            out.append(i == widthLine ? width : number);
            appendEnd(line);
        } else if (line.line.text.empty() && line.line.end == LineEnd::Lf && out.ends_with('\r')) {
            // A written line ending in a lone CR would take this empty line's LF for the rest
            // of a CR LF, and the next save would write that line differently.
        } else {
            out.append(line.line.text);
            appendEnd(line);
        }
        if (i == projectEnd && widthLine == kNone) {
            appendKey(kPanelWidthKey, width);
        }
        if (i == filesEnd && firstFileLine == kNone && !fileLines.empty()) {
            startLine();
            out.append(fileLines);
        }
        if (i == mainEnd && numberLine == kNone) {
            appendKey(kFileNumberKey, number);
        }
    }

    const auto appendSection = [&](std::string_view name) {
        startLine();
        out.append(1, '[').append(name).append(1, ']').append(eol);
    };
    if (projectEnd == kNone) {
        appendSection(kProjectSection);
        appendKey(kPanelWidthKey, width);
    }
    if (filesEnd == kNone) {
        appendSection(kFilesSection);
        out.append(fileLines);
    }
    if (mainEnd == kNone) {
        appendSection(kMainSection);
        appendKey(kFileNumberKey, number);
    }
    return out;
}

} // namespace orvelt
