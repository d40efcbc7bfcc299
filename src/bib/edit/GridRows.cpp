#include "bib/edit/GridRows.h"

#include <algorithm>
#include <cstddef>

namespace orvelt {
namespace {

bool IsNameCharacter(char c) {
    // What BibTeX allows in an abbreviation's name or a bare number, as far as a grid edit
    // needs to tell: anything but white space and the characters that end or join a value.
    switch (c) {
    case ' ':
    case '\t':
    case '\r':
    case '\n':
    case '"':
    case '#':
    case '%':
    case '\'':
    case '(':
    case ')':
    case ',':
    case '=':
    case '{':
    case '}':
        return false;
    default:
        return true;
    }
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The end of the delimited part starting at `at` ('{' or '"'), or npos when it never closes.
std::size_t DelimitedEnd(std::string_view text, std::size_t at) {
    int depth = 0;
    const bool quoted = text[at] == '"';
    for (std::size_t i = at; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth < 0) {
                return std::string_view::npos;
            }
            if (!quoted && depth == 0) {
                return i + 1;
            }
        } else if (c == '"' && quoted && depth == 0 && i > at) {
            return i + 1;
        }
    }
    return std::string_view::npos;
}

// Whether `text` can be held between double quotes: a quote inside must be inside braces.
bool FitsQuotes(std::string_view text) {
    int depth = 0;
    for (const char c : text) {
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            --depth;
        } else if (c == '"' && depth == 0) {
            return false;
        }
    }
    return true;
}

// An edited value: the form it had while it can still hold the text, else braces.
void SetValue(FieldPair& pair, const std::string& value) {
    pair.Value = value;
    pair.Given = !value.empty();
    if ((pair.Form == ValueForm::Raw && !IsRawExpression(value)) ||
        (pair.Form == ValueForm::Quoted && !FitsQuotes(value))) {
        pair.Form = ValueForm::Delimited;
    }
}

} // namespace

bool IsRawExpression(std::string_view text) {
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() && IsBlank(text[i])) {
            ++i;
        }
    };
    bool expectPart = true;
    bool any = false;
    skipBlanks();
    while (i < text.size()) {
        if (!expectPart) {
            if (text[i] != '#') {
                return false;
            }
            ++i;
            expectPart = true;
        } else if (text[i] == '{' || text[i] == '"') {
            const std::size_t end = DelimitedEnd(text, i);
            if (end == std::string_view::npos) {
                return false;
            }
            i = end;
            expectPart = false;
        } else if (IsNameCharacter(text[i])) {
            while (i < text.size() && IsNameCharacter(text[i])) {
                ++i;
            }
            expectPart = false;
        } else {
            return false;
        }
        any = true;
        skipBlanks();
    }
    return any && !expectPart;
}

std::vector<GridRow> EntryRows(const BibEntry& entry) {
    std::vector<GridRow> rows;
    rows.reserve(static_cast<std::size_t>(entry.Data.FieldCount) + entry.Extra.size());
    for (int i = 0; i < entry.Data.FieldCount && i < Tdata::Capacity; ++i) {
        rows.push_back({entry.Data.Fields[i].Name, entry.Data.Fields[i].Value});
    }
    for (const ExtraField& extra : entry.Extra) {
        rows.push_back({extra.Pair.Name, extra.Pair.Value});
    }
    return rows;
}

bool RowsToEntry(BibEntry& entry, const std::vector<GridRow>& shown,
                 const std::vector<GridRow>& edited) {
    bool changed = false;
    const std::size_t pairs = static_cast<std::size_t>(entry.Data.FieldCount);
    const std::size_t rows = std::min({shown.size(), edited.size(), pairs + entry.Extra.size()});
    for (std::size_t row = 0; row < rows; ++row) {
        if (edited[row] == shown[row]) {
            continue;
        }
        FieldPair& pair = row < pairs ? entry.Data.Fields[row] : entry.Extra[row - pairs].Pair;
        if (edited[row].Name != shown[row].Name) {
            pair.Name = edited[row].Name;
        }
        if (edited[row].Value != shown[row].Value) {
            SetValue(pair, edited[row].Value);
        }
        changed = true;
    }
    return changed;
}

} // namespace orvelt
