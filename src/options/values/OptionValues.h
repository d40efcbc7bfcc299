#pragma once

#include "core/HighlightStyle.h"
#include "settings/SettingValues.h"
#include "settings/SettingsStore.h"

#include <optional>
#include <string>
#include <vector>

namespace orvelt {

struct ProgramEntry {
    std::string name;
    std::optional<KeyChord> key; // none or F2..F10
    std::string command;         // with the placeholders %f and %n
    bool forceCurrentFile = false;
    bool showButton = true;
    bool operator==(const ProgramEntry&) const = default;
};

struct SnippetKey {
    KeyChord key; // Ctrl+ or Shift+Ctrl+ and a letter
    std::string file;
    bool operator==(const SnippetKey&) const = default;
};

// How long lines are shown and saved. Off: no wrapping. ScreenOnly: wrapped on screen, the file
// keeps its lines and every line number is the file's, as TeX reports them. SavedBreaks: each
// wrapped screen line is saved as a line of its own ending in the soft-break comment, so TeX's
// line numbers match the screen.
enum class WrapMode { Off = 0, SavedBreaks = 1, ScreenOnly = 2 };

// Every option the user configures, with the defaults of an empty store.
struct OptionValues {
    std::uint32_t background = 0xFFFFFF; // white
    StyleSet styles = DefaultStyles();
    bool braces = true;
    std::string braceDelay = "500"; // one to four digits
    std::vector<ProgramEntry> programs;
    std::vector<SnippetKey> snippets;
    std::string dictionary;
    bool buttonbar = true;
    bool autoSave = false;
    int autoSaveInterval = 5; // minutes
    bool filterSpecials = false;
    bool specials = false;
    int specialsInterval = 2;
    bool ascii = false;
    bool useBibEdit = true;
    bool convertKeys = true;
    bool lineNumbers = true; // the gutter beside the text
    WrapMode wordWrap = WrapMode::ScreenOnly;

    static StyleSet DefaultStyles();
};

// The names and encodings of the options live in the .cpp, in one table each.
// Reads in the order the options are created in: styles, braces, programs, snippets, the rest.
// While the program list was never written, it is DefaultPrograms(); once written, even empty,
// the store holds. Only the first kMaxPrograms stored entries are read; they are sorted as
// SortPrograms does.
[[nodiscard]] OptionValues ReadOptionValues(const SettingsStore& store);
// How many stored program entries lie beyond the list's slots (and are not read).
[[nodiscard]] std::size_t StoredProgramsBeyondLimit(const SettingsStore& store);
// The highlighting and brace options, which the options dialog reads again at each showing.
void ReadStyleOptions(const SettingsStore& store, OptionValues& options);
// What the options dialog writes when it is closed with its Close button.
void WriteOptionsOnClose(SettingsStore& store, const OptionValues& options);
// What is written at every closing of the options dialog and at the end of the run: the program
// list, the snippet keys, the dictionary's name and the options that take effect at once.
void WriteOptionsAtEnd(SettingsStore& store, const OptionValues& options);
void WriteSnippetKeys(SettingsStore& store, const std::vector<SnippetKey>& snippets);

} // namespace orvelt
