#include "bib/bibtex/BibWriter.h"

#include "core/AsciiCase.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace orvelt {
namespace {

// Cross-references chained deeper than this are not ordered further; BibTeX itself follows
// only one level.
constexpr int kMaxCrossrefDepth = 32;

// Where the tables of the ordinary types put the key and the crossref.
struct TablePlaces {
    std::array<int, StringType> Key{};
    std::array<int, StringType> Crossref{};
};

const TablePlaces& Places() {
    static const TablePlaces places = [] {
        TablePlaces found;
        for (int type = 0; type < StringType; ++type) {
            const std::span<const std::string_view> names = EntryFieldTable[type];
            const auto indexOf = [&](std::string_view name) {
                return static_cast<int>(std::find(names.begin(), names.end(), name) -
                                        names.begin());
            };
            found.Key[type] = indexOf(CiteKeyName);
            found.Crossref[type] = indexOf("crossref");
        }
        return found;
    }();
    return places;
}

// The index of the pair `name` that the type's table puts at `index`: there, where `InitEntry`
// put it, or found by name in an entry made otherwise. Looking up every entry's key and
// crossref by name took a fifth of a write.
int PairIndex(const Tdata& entry, int index, std::string_view name) {
    if (index < entry.FieldCount && entry.Fields[index].Name == name) {
        return index;
    }
    return FindField(entry, name);
}

// Builds the text in one string, with the database's line end.
class BibWriter {
public:
    explicit BibWriter(LineEnd lineEnd) : eol_(LineEndText(lineEnd)) {}

    void Reserve(std::size_t bytes) { text_.reserve(bytes); }
    std::string Take() { return std::move(text_); }

    // The pairs in table order, then the fields kept beyond them in the order they were read.
    //
    // The key always comes first with its comma, also when it is empty: without one BibTeX takes
    // the first field's name for the key. A key holding "}" (read, as BibTeX reads it, from an
    // entry in parentheses) is written in parentheses again.
    void Ordinary(int type, const BibEntry& entry) {
        const Tdata& data = entry.Data;
        const int keyIndex = PairIndex(data, Places().Key[type], CiteKeyName);
        const std::string_view key =
            keyIndex >= 0 ? std::string_view(data.Fields[keyIndex].Value) : std::string_view();
        const bool parentheses = key.find('}') != std::string_view::npos;
        Append("@");
        Append(EntryTypeNames[type]);
        Append(parentheses ? "(" : "{");
        Append(key);
        Append(",");
        EndLine();
        for (int i = 0; i < data.FieldCount && i < Tdata::Capacity; ++i) {
            const FieldPair& pair = data.Fields[i];
            if (i == keyIndex || pair.Name.empty() || (pair.Value.empty() && !pair.Given)) {
                continue;
            }
            Field(pair);
        }
        for (const ExtraField& extra : entry.Extra) {
            Field(extra.Pair);
        }
        Close(parentheses ? ")" : "}");
    }

    // No comma after the value: BibTeX reports one in an abbreviation as an error. Further pairs
    // read in the same abbreviation are kept behind it, where BibTeX ignores them as it did.
    void Abbreviation(const BibEntry& entry) {
        const FieldPair& pair = entry.Data.Fields[0];
        if (pair.Name.empty()) {
            return; // nothing could refer to it, and BibTeX cannot read it
        }
        Append("@STRING{   ");
        AppendText(pair.Name);
        Append(" = ");
        Value(pair);
        for (const ExtraField& extra : entry.Extra) {
            Append(",");
            EndLine();
            Append("   ");
            AppendText(extra.Pair.Name);
            Append(" = ");
            Value(extra.Pair);
        }
        EndLine();
        Close();
    }

    void Unknown(const UnknownEntry& entry) {
        AppendText(entry.Text);
        EndLine();
        EndLine();
    }

    // The text stays delimited (or in the form it was read in) so that it reads back as a value.
    void Preamble(const Tdata& entry) {
        Append("@PREAMBLE{");
        Value(entry.Fields[0]);
        EndLine();
        Close();
    }

private:
    void Append(std::string_view text) { text_.append(text); }
    void EndLine() { text_.append(eol_); }
    void Close(std::string_view closer = "}") {
        Append(closer);
        EndLine();
        EndLine();
    }
    void Field(const FieldPair& pair) {
        Append("   ");
        AppendText(pair.Name);
        Append(" = ");
        Value(pair);
        Append(",");
        EndLine();
    }
    void Value(const FieldPair& pair) {
        switch (pair.Form) {
        case ValueForm::Raw:
            AppendText(pair.Value);
            break;
        case ValueForm::Quoted:
            text_.push_back('"');
            AppendText(pair.Value);
            text_.push_back('"');
            break;
        case ValueForm::Delimited:
            text_.push_back('{');
            AppendText(pair.Value);
            text_.push_back('}');
            break;
        }
    }
    // Text read from a file (a name, a value, a kept entry), its line ends made the database's.
    // Such text from a file with mixed line ends could otherwise hold the first line end of the
    // text written, and the next read would take the file for one of the other convention: a
    // lone CR counts as a line end too. CRs right before a line feed go with it, so that a
    // second save changes nothing more.
    void AppendText(std::string_view text) {
        // Most text holds no CR: then a quick search for line feeds alone does.
        const bool crs = text.find('\r') != std::string_view::npos;
        const auto next = [&](std::size_t from) {
            return crs ? text.find_first_of("\r\n", from) : text.find('\n', from);
        };
        std::size_t from = 0;
        for (std::size_t at = next(0); at != std::string_view::npos; at = next(from)) {
            text_.append(text.substr(from, at - from));
            std::size_t next = at + 1;
            if (text[at] == '\r') {
                const std::size_t run = text.find_first_not_of('\r', at);
                if (run != std::string_view::npos && text[run] == '\n')
                    next = run + 1;
            }
            text_.append(eol_);
            from = next;
        }
        text_.append(text.substr(from));
    }

    std::string_view eol_;
    std::string text_;
};

// An entry to be written: one of the sixteen types, or one kept as its text.
struct Placed {
    int Type = -1;
    const BibEntry* Entry = nullptr;
    const UnknownEntry* Other = nullptr;
    int Depth = 0; // below the entries that cross-reference it

    [[nodiscard]] std::string_view Value(int index) const {
        return index >= 0 ? std::string_view(Entry->Data.Fields[index].Value) : std::string_view();
    }
    [[nodiscard]] std::string_view Key() const {
        return Other != nullptr ? std::string_view(Other->Key)
                                : Value(PairIndex(Entry->Data, Places().Key[Type], CiteKeyName));
    }
    [[nodiscard]] std::string_view Crossref() const {
        return Other != nullptr
                   ? std::string_view(Other->Crossref)
                   : Value(PairIndex(Entry->Data, Places().Crossref[Type], "crossref"));
    }
};

// The entries in writing order: the sixteen types' entries in tree order, then those of other
// types, with every cross-referenced entry moved after all entries that refer to it, whatever
// their types. Entries sharing a cite key move together, since BibTeX may take any one of them.
std::vector<Placed> EntryOrder(const BibDatabase& database) {
    std::vector<Placed> order;
    for (int type = 0; type < StringType; ++type) {
        for (const BibEntry& entry : database.Category(type)) {
            order.push_back(Placed{type, &entry, nullptr, 0});
        }
    }
    for (const UnknownEntry& other : database.UnknownEntries()) {
        order.push_back(Placed{-1, nullptr, &other, 0});
    }
    const bool anyCrossref = std::any_of(order.begin(), order.end(), [&](const Placed& placed) {
        return !placed.Crossref().empty();
    });
    if (!anyCrossref) {
        return order;
    }
    // Group of each entry: one per cite key (any case); an entry without a key is its own.
    std::unordered_map<std::string, std::size_t> groupOfKey;
    std::vector<std::size_t> group(order.size());
    std::size_t groups = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const std::string_view key = order[i].Key();
        group[i] =
            key.empty() ? groups++ : groupOfKey.try_emplace(UpperAscii(key), groups).first->second;
        groups = std::max(groups, group[i] + 1);
    }
    std::vector<std::pair<std::size_t, std::size_t>> references; // (child group, parent group)
    for (std::size_t i = 0; i < order.size(); ++i) {
        const std::string_view crossref = order[i].Crossref();
        const auto found =
            crossref.empty() ? groupOfKey.end() : groupOfKey.find(UpperAscii(crossref));
        if (found != groupOfKey.end() && found->second != group[i]) {
            references.emplace_back(group[i], found->second);
        }
    }
    // Depth of each group below the groups that refer to it, relaxed until stable.
    std::vector<int> depth(groups, 0);
    for (int pass = 0; pass < kMaxCrossrefDepth; ++pass) {
        bool changed = false;
        for (const auto& [child, parent] : references) {
            if (depth[parent] < depth[child] + 1 && depth[child] + 1 <= kMaxCrossrefDepth) {
                depth[parent] = depth[child] + 1;
                changed = true;
            }
        }
        if (!changed) {
            break;
        }
    }
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i].Depth = depth[group[i]];
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const Placed& a, const Placed& b) { return a.Depth < b.Depth; });
    return order;
}

} // namespace

std::string WriteBIB(const BibDatabase& database) {
    BibWriter out(database.LineEnding);
    std::size_t estimate = 0;
    for (int type = 0; type < EntryTypeCount; ++type) {
        for (const BibEntry& entry : database.Category(type)) {
            estimate += 16;
            for (int i = 0; i < entry.Data.FieldCount && i < Tdata::Capacity; ++i) {
                if (!entry.Data.Fields[i].Value.empty()) {
                    estimate +=
                        entry.Data.Fields[i].Value.size() + entry.Data.Fields[i].Name.size() + 12;
                }
            }
            for (const ExtraField& extra : entry.Extra) {
                estimate += extra.Pair.Value.size() + extra.Pair.Name.size() + 12;
            }
        }
    }
    for (const UnknownEntry& other : database.UnknownEntries()) {
        estimate += other.Text.size() + 4;
    }
    out.Reserve(estimate);
    for (const BibEntry& entry : database.Category(StringType)) {
        out.Abbreviation(entry);
    }
    for (const BibEntry& entry : database.Category(PreambleType)) {
        out.Preamble(entry.Data);
    }
    for (const Placed& placed : EntryOrder(database)) {
        if (placed.Other != nullptr) {
            out.Unknown(*placed.Other);
        } else {
            out.Ordinary(placed.Type, *placed.Entry);
        }
    }
    return out.Take();
}

} // namespace orvelt
