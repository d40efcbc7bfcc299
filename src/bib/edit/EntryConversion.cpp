#include "bib/edit/EntryConversion.h"

#include "bib/bibtex/EntryTypes.h"

namespace orvelt {

BibEntry ConvertEntry(const BibEntry& source, int targetType, const ConversionChoice& choose) {
    BibEntry copy;
    (void)InitEntry(copy.Data, EntryTypeNames.at(static_cast<std::size_t>(targetType)));
    const auto keep = [&copy](const FieldPair& pair) {
        const bool repeat = FindField(copy.Data, pair.Name) >= 0;
        copy.Extra.push_back({pair, repeat, repeat});
    };
    for (int i = 0; i < source.Data.FieldCount && i < Tdata::Capacity; ++i) {
        const FieldPair& pair = source.Data.Fields[i];
        if (pair.Value.empty()) {
            continue;
        }
        int target = pair.Name.empty() ? -1 : FindField(copy.Data, pair.Name);
        if (target < 0) {
            const std::optional<int> chosen = choose(pair.Name);
            target = chosen && *chosen >= 0 && *chosen < copy.Data.FieldCount ? *chosen : -1;
        }
        if (target < 0) {
            keep(pair);
            continue;
        }
        FieldPair& into = copy.Data.Fields[static_cast<std::size_t>(target)];
        if (!into.Value.empty()) {
            keep(pair); // two values chosen for one pair: the first stays, the second is kept
            continue;
        }
        into.Value = pair.Value;
        into.Form = pair.Form;
        into.Given = true;
    }
    for (const ExtraField& extra : source.Extra) {
        keep(extra.Pair);
    }
    return copy;
}

} // namespace orvelt
