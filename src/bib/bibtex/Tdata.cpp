#include "bib/bibtex/Tdata.h"

#include "bib/bibtex/EntryTypes.h"
#include "core/AsciiCase.h"

namespace orvelt {

bool InitEntry(Tdata& entry, std::string_view typeWord) {
    const int type = FindEntryType(typeWord);
    const auto names = type >= 0 ? EntryFieldTable[type] : std::span<const std::string_view>{};
    for (std::size_t i = 0; i < entry.Fields.size(); ++i) {
        FieldPair& pair = entry.Fields[i];
        pair.Name = i < names.size() ? names[i] : std::string_view{};
        pair.Value.clear();
        pair.Form = ValueForm::Delimited;
        pair.Given = false;
    }
    entry.FieldCount = static_cast<std::int32_t>(names.size());
    return type >= 0;
}

bool SetField(Tdata& entry, std::string_view name, std::string_view value, ValueForm form) {
    const int index = FindField(entry, name);
    if (index < 0) {
        return false;
    }
    entry.Fields[index].Value = value;
    entry.Fields[index].Form = form;
    return true;
}

int FindField(const Tdata& entry, std::string_view name) {
    for (int i = 0; i < entry.FieldCount && i < Tdata::Capacity; ++i) {
        if (EqualsIgnoringCase(entry.Fields[i].Name, name)) {
            return i;
        }
    }
    return -1;
}

std::string EntryCaption(const Tdata& entry) {
    if (entry.FieldCount == 1) {
        return entry.Fields[0].Name.empty() ? std::string("Preamble") : entry.Fields[0].Name;
    }
    for (std::string_view name : {CiteKeyName, std::string_view("TITLE")}) {
        const int index = FindField(entry, name);
        if (index >= 0 && !entry.Fields[index].Value.empty()) {
            return entry.Fields[index].Value;
        }
    }
    return "?????";
}

std::string_view StripDelimiters(std::string_view text) {
    if (text.empty() || (text.front() != '"' && text.front() != '(' && text.front() != '{')) {
        return text;
    }
    if (text.size() == 1) {
        return {};
    }
    return text.substr(1, text.size() - 2);
}

} // namespace orvelt
