#include "options/values/OptionValues.h"

#include "options/values/ProgramList.h"

#include <algorithm>
#include <climits>
#include <variant>

namespace orvelt {

namespace {

struct StyleDefault {
    const char* prefix;
    StyleKind kind;
    std::uint32_t color;
    const char* styleLetters;
};

// Read order of the categories; the settings names are the prefixes + the four suffixes.
// Colours are 0xBBGGRR: darker shades of the classic red, lime, yellow and cyan, which are too
// light to read on white; each default reaches 4.5:1 against the white background.
constexpr StyleDefault kStyleRows[] = {
    {"Befehl", StyleKind::TexCommand, 0x0000CC, "B"},
    {"Befehl2", StyleKind::UserCommand, 0x000080, "B"},
    {"Text", StyleKind::Text, 0x000000, ""},
    {"Klammer1", StyleKind::Brace, 0x008000, "B"},
    {"Klammer2", StyleKind::Bracket, 0x007070, "B"},
    {"Kommentar", StyleKind::Comment, 0xFF0000, "I"},
    {"Mathematik", StyleKind::Math, 0x808000, "IB"},
};
constexpr const char* kDefaultFace = "Courier New";
constexpr int kDefaultSize = 10;
constexpr int kMaxSize = 200;
// The size's name keeps its o-umlaut and sharp s (UTF-8 in our settings file).
constexpr const char* kSizeSuffix = "Schriftgr\xC3\xB6\xC3\x9F"
                                    "e";

using Field = std::variant<bool OptionValues::*, int OptionValues::*, std::string OptionValues::*,
                           WrapMode OptionValues::*>;
struct IntRange {
    int low = INT_MIN;
    int high = INT_MAX;
};
// How a text value is checked when read.
enum class TextRule { Any, Delay };
struct ScalarRow {
    ScalarRow(const char* name, Field field, bool atClose, bool atEnd, IntRange range = {})
        : name(name), field(field), atClose(atClose), atEnd(atEnd), range(range) {}
    ScalarRow(const char* name, Field field, bool atClose, bool atEnd, TextRule rule)
        : name(name), field(field), atClose(atClose), atEnd(atEnd), rule(rule) {}
    const char* name;
    Field field;
    bool atClose;   // written when the dialog is closed
    bool atEnd;     // written at the end of the run
    IntRange range; // an integer read outside it is clamped into it
    TextRule rule = TextRule::Any;
};

// Read in this order after the styles, programs and snippets (Braces and BraceDelay are read
// with the styles, see ReadStyleOptions).
const ScalarRow kScalarRows[] = {
    {"Braces", &OptionValues::braces, true, false},
    {"BraceDelay", &OptionValues::braceDelay, true, false, TextRule::Delay},
    {"Dictionary", &OptionValues::dictionary, false, true},
    {"Buttonbar", &OptionValues::buttonbar, true, false},
    {"AutoSave", &OptionValues::autoSave, true, false},
    // 0 made a timer with no period; a huge value overflowed the interval in milliseconds.
    {"AutoSaveInterval", &OptionValues::autoSaveInterval, true, false, {1, 60}},
    {"FilterSpecials", &OptionValues::filterSpecials, true, false},
    {"Specials", &OptionValues::specials, true, false},
    // 0 divided by zero.
    {"SpecialsInterval", &OptionValues::specialsInterval, true, false, {1, 100}},
    {"ASCII", &OptionValues::ascii, true, false},
    {"UseBIBEdit", &OptionValues::useBibEdit, false, true},
    {"ConvertKeys", &OptionValues::convertKeys, false, true},
    {"LineNumbers", &OptionValues::lineNumbers, false, true},
    {"WordWrap", &OptionValues::wordWrap, false, true},
};
constexpr std::size_t kStyleScalarRows = 2; // Braces, BraceDelay

// 0 and 1 are what older settings files hold (the check box off and on); a value that is none
// of the three modes reads as the default.
WrapMode ReadWrapMode(const std::optional<std::string>& raw, WrapMode fallback) {
    const int value = ReadIntegerValue(raw, -1);
    return value >= 0 && value <= 2 ? static_cast<WrapMode>(value) : fallback;
}

// The delay field takes up to four digits; an emptied field is no delay. Anything else was
// written by hand or by another program and reads as the default.
std::string ReadDelay(const std::optional<std::string>& raw, const std::string& fallback) {
    if (!raw)
        return fallback;
    if (raw->empty())
        return "0";
    const bool digits = raw->size() <= 4 && std::all_of(raw->begin(), raw->end(), [](char c) {
                            return c >= '0' && c <= '9';
                        });
    return digits ? *raw : fallback;
}

void ReadScalar(const SettingsStore& store, const ScalarRow& row, OptionValues& o) {
    auto raw = store.Read(row.name);
    std::visit(
        [&](auto member) {
            using T = std::decay_t<decltype(o.*member)>;
            if constexpr (std::is_same_v<T, bool>)
                o.*member = ReadBooleanValue(raw, o.*member);
            else if constexpr (std::is_same_v<T, int>)
                o.*member =
                    std::clamp(ReadIntegerValue(raw, o.*member), row.range.low, row.range.high);
            else if constexpr (std::is_same_v<T, WrapMode>)
                o.*member = ReadWrapMode(raw, o.*member);
            else if (row.rule == TextRule::Delay)
                o.*member = ReadDelay(raw, o.*member);
            else
                o.*member = raw.value_or(o.*member);
        },
        row.field);
}

void WriteScalar(SettingsStore& store, const ScalarRow& row, const OptionValues& o) {
    std::visit(
        [&](auto member) {
            using T = std::decay_t<decltype(o.*member)>;
            if constexpr (std::is_same_v<T, bool>)
                store.Write(row.name, WriteBooleanValue(o.*member));
            else if constexpr (std::is_same_v<T, int>)
                store.Write(row.name, WriteIntegerValue(o.*member));
            else if constexpr (std::is_same_v<T, WrapMode>)
                store.Write(row.name, WriteIntegerValue(static_cast<int>(o.*member)));
            else
                store.Write(row.name, o.*member);
        },
        row.field);
}

std::string Name(const char* prefix, const char* suffix) {
    return std::string(prefix) + suffix;
}
std::string Numbered(const char* stem, std::size_t n, const char* tail = "") {
    return stem + std::to_string(n) + tail;
}

} // namespace

StyleSet OptionValues::DefaultStyles() {
    StyleSet set;
    for (const StyleDefault& row : kStyleRows) {
        HighlightStyle& style = set[static_cast<int>(row.kind)];
        style.face = kDefaultFace;
        style.size = kDefaultSize;
        style.color = row.color;
        style.styles = ReadFontStyleValue(row.styleLetters);
    }
    return set;
}

void ReadStyleOptions(const SettingsStore& store, OptionValues& options) {
    // Values missing from the store read as the defaults, not as what the dialog shows now:
    // changes not confirmed with Close are dropped.
    OptionValues o;
    o.background = static_cast<std::uint32_t>(
        ReadIntegerValue(store.Read("HintergrundFarbe"), static_cast<int>(o.background)));
    for (const StyleDefault& row : kStyleRows) {
        HighlightStyle& style = o.styles[static_cast<int>(row.kind)];
        style.color = static_cast<std::uint32_t>(
            ReadIntegerValue(store.Read(Name(row.prefix, "Farbe")), static_cast<int>(style.color)));
        style.face = store.Read(Name(row.prefix, "Schriftname")).value_or(style.face);
        const int size = ReadIntegerValue(store.Read(Name(row.prefix, kSizeSuffix)), style.size);
        style.size = size >= 1 && size <= kMaxSize ? size : kDefaultSize;
        if (auto letters = store.Read(Name(row.prefix, "Schriftstil")))
            style.styles = ReadFontStyleValue(*letters);
    }
    for (std::size_t i = 0; i < kStyleScalarRows; ++i)
        ReadScalar(store, kScalarRows[i], o);
    options.background = o.background;
    options.styles = std::move(o.styles);
    options.braces = o.braces;
    options.braceDelay = std::move(o.braceDelay);
}

OptionValues ReadOptionValues(const SettingsStore& store) {
    OptionValues o;
    ReadStyleOptions(store, o);

    // A store that never held the list (a first start) offers the defaults; one that was
    // written holds, even when the user emptied the list.
    if (!store.Read(Numbered("TeXProgsName", 1))) {
        o.programs = DefaultPrograms();
    } else {
        for (std::size_t n = 1; n <= kMaxPrograms; ++n) {
            ProgramEntry entry;
            entry.name = store.Read(Numbered("TeXProgsName", n)).value_or("");
            if (entry.name.empty())
                break;
            entry.key = ReadKeyValue(store.Read(Numbered("TeXProgsCut", n)).value_or(""));
            entry.command = store.Read(Numbered("TeXProgsCommand", n)).value_or("");
            entry.forceCurrentFile =
                ReadBooleanValue(store.Read(Numbered("TeXProgsASave", n)), false);
            entry.showButton = ReadBooleanValue(store.Read(Numbered("TeXProgsButton", n)), true);
            o.programs.push_back(std::move(entry));
        }
        // A hand-edited file may hold them in any order; positions are menu tags from here on.
        SortPrograms(o.programs);
    }
    // An empty key ends the table. A key this program cannot read (a hand-edited
    // "Ctrl+Shift+J") skips its row only: ending there lost every row after it at the next save.
    for (std::size_t n = 1;; ++n) {
        const std::string text = store.Read(Numbered("Shortcut", n, "1")).value_or("");
        if (text.empty())
            break;
        if (auto key = ReadKeyValue(text))
            o.snippets.push_back({*key, store.Read(Numbered("Shortcut", n, "2")).value_or("")});
    }
    for (std::size_t i = kStyleScalarRows; i < std::size(kScalarRows); ++i)
        ReadScalar(store, kScalarRows[i], o);
    return o;
}

std::size_t StoredProgramsBeyondLimit(const SettingsStore& store) {
    std::size_t count = 0;
    while (!store.Read(Numbered("TeXProgsName", count + 1)).value_or("").empty())
        ++count;
    return count > kMaxPrograms ? count - kMaxPrograms : 0;
}

void WriteSnippetKeys(SettingsStore& store, const std::vector<SnippetKey>& snippets) {
    for (std::size_t i = 0; i < snippets.size(); ++i) {
        store.Write(Numbered("Shortcut", i + 1, "1"), WriteKeyValue(snippets[i].key));
        store.Write(Numbered("Shortcut", i + 1, "2"), snippets[i].file);
    }
    store.Write(Numbered("Shortcut", snippets.size() + 1, "1"), "");
}

void WriteOptionsOnClose(SettingsStore& store, const OptionValues& o) {
    store.Write("HintergrundFarbe", WriteIntegerValue(static_cast<int>(o.background)));
    for (const StyleDefault& row : kStyleRows) {
        const HighlightStyle& style = o.styles[static_cast<int>(row.kind)];
        store.Write(Name(row.prefix, "Farbe"), WriteIntegerValue(static_cast<int>(style.color)));
        store.Write(Name(row.prefix, "Schriftname"), style.face);
        store.Write(Name(row.prefix, kSizeSuffix), WriteIntegerValue(style.size));
        store.Write(Name(row.prefix, "Schriftstil"), WriteFontStyleValue(style.styles));
    }
    for (const ScalarRow& row : kScalarRows)
        if (row.atClose)
            WriteScalar(store, row, o);
    WriteSnippetKeys(store, o.snippets);
}

void WriteOptionsAtEnd(SettingsStore& store, const OptionValues& o) {
    // An empty name ends the list when it is read: such an entry is left out, not the rest.
    std::size_t n = 0;
    for (const ProgramEntry& p : o.programs) {
        if (p.name.empty())
            continue;
        ++n;
        store.Write(Numbered("TeXProgsName", n), p.name);
        store.Write(Numbered("TeXProgsCut", n), WriteKeyValue(p.key));
        store.Write(Numbered("TeXProgsCommand", n), p.command);
        store.Write(Numbered("TeXProgsASave", n), WriteBooleanValue(p.forceCurrentFile));
        store.Write(Numbered("TeXProgsButton", n), WriteBooleanValue(p.showButton));
    }
    store.Write(Numbered("TeXProgsName", n + 1), "");
    for (const ScalarRow& row : kScalarRows)
        if (row.atEnd)
            WriteScalar(store, row, o);
    WriteSnippetKeys(store, o.snippets);
}

} // namespace orvelt
