#include "bib/edit/SaveCheck.h"

#include "bib/bibtex/EntryTypes.h"
#include "bib/edit/GridRows.h"

#include <string_view>

namespace orvelt {
namespace {

bool BracesBalance(std::string_view text) {
    int depth = 0;
    for (const char c : text) {
        if (c == '{') {
            ++depth;
        } else if (c == '}' && --depth < 0) {
            return false;
        }
    }
    return depth == 0;
}

std::optional<std::string> ValueProblem(const FieldPair& pair) {
    if (pair.Value.empty()) {
        return std::nullopt;
    }
    switch (pair.Form) {
    case ValueForm::Raw:
        if (!IsRawExpression(pair.Value)) {
            return "its value is not a valid BibTeX expression";
        }
        break;
    case ValueForm::Quoted:
    case ValueForm::Delimited:
        if (!BracesBalance(pair.Value)) {
            return "its value has unbalanced braces";
        }
        break;
    }
    return std::nullopt;
}

std::optional<std::string> NameProblem(std::string_view name, std::string_view what) {
    for (const char c : name) {
        switch (c) {
        case ' ':
        case '\t':
        case '\r':
        case '\n':
            return std::string(what) + " contains a blank";
        case ',':
        case '=':
        case '#':
        case '{':
        case '}':
        case '(':
        case ')':
        case '"':
            return std::string(what) + " contains \"" + c + "\"";
        default:
            break;
        }
    }
    return std::nullopt;
}

std::optional<std::string> EntryProblem(int type, const BibEntry& entry, std::string& field) {
    const Tdata& data = entry.Data;
    for (int i = 0; i < data.FieldCount && i < Tdata::Capacity; ++i) {
        const FieldPair& pair = data.Fields[i];
        field = pair.Name;
        std::optional<std::string> problem;
        if (type == StringType && i == 0) {
            problem = NameProblem(pair.Name, "the abbreviation's name");
        } else if (pair.Name == CiteKeyName) {
            problem = NameProblem(pair.Value, "the citation key");
        }
        if (!problem) {
            problem = ValueProblem(pair);
        }
        if (problem) {
            return problem;
        }
    }
    for (const ExtraField& extra : entry.Extra) {
        field = extra.Pair.Name;
        if (auto problem = NameProblem(extra.Pair.Name, "the field's name")) {
            return problem;
        }
        if (auto problem = ValueProblem(extra.Pair)) {
            return problem;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<UnreadablePart> FindUnreadablePart(const BibDatabase& database) {
    for (int type = 0; type < EntryTypeCount; ++type) {
        const BibCategory& category = database.Category(type);
        for (std::size_t index = 0; index < category.size(); ++index) {
            std::string field;
            if (auto problem = EntryProblem(type, category[index], field)) {
                return UnreadablePart{type, index, std::move(field), std::move(*problem)};
            }
        }
    }
    return std::nullopt;
}

} // namespace orvelt
