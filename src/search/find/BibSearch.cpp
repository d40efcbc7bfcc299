#include "search/find/BibSearch.h"

#include <string>

namespace orvelt {
namespace {

// Decodes into a buffer kept across cells: a 5 MB bibliography has some 150,000 of them, most
// of them pure ASCII, and a string made for each would cost more than the search.
void DecodeCell(std::string_view bytes, TextEncoding encoding, std::u16string& text) {
    text.clear();
    if (encoding == TextEncoding::Windows1252) {
        for (const char b : bytes) {
            text.push_back(Windows1252ToChar(static_cast<unsigned char>(b)));
        }
        return;
    }
    bool ascii = true;
    for (const char b : bytes) {
        ascii = ascii && static_cast<unsigned char>(b) < 0x80;
    }
    if (ascii) {
        text.assign(bytes.begin(), bytes.end());
    } else if (encoding == TextEncoding::Dos437) {
        text = DecodeText(bytes, encoding);
    } else {
        // A value never holds a byte-order mark of its own: whatever it starts with is shown.
        text = Utf8ToUtf16(bytes);
    }
}

std::size_t RowCount(const BibEntry& entry) {
    return static_cast<std::size_t>(entry.Data.FieldCount) + entry.Extra.size();
}

const FieldPair& RowPair(const BibEntry& entry, std::size_t row) {
    const auto pairs = static_cast<std::size_t>(entry.Data.FieldCount);
    return row < pairs ? entry.Data.Fields[row] : entry.Extra[row - pairs].Pair;
}

int FirstColumn(int category) {
    return category == StringType ? 0 : 1;
}

} // namespace

std::optional<std::string_view> BibCellText(const BibDatabase& database, BibCell cell) {
    if (cell.Category == OtherTypesCategory) {
        const auto& others = database.UnknownEntries();
        if (cell.Entry < others.size() && cell.Row == 0 && cell.Column == 1) {
            return others[cell.Entry].Text;
        }
        return std::nullopt;
    }
    if (cell.Category < 0 || cell.Category >= EntryTypeCount ||
        cell.Column < FirstColumn(cell.Category) || cell.Column > 1) {
        return std::nullopt;
    }
    const BibCategory& category = database.Category(cell.Category);
    if (cell.Entry >= category.size() || cell.Row >= RowCount(category[cell.Entry])) {
        return std::nullopt;
    }
    const FieldPair& pair = RowPair(category[cell.Entry], cell.Row);
    return cell.Column == 0 ? std::string_view(pair.Name) : std::string_view(pair.Value);
}

std::optional<BibMatch> FindInBibliography(const BibDatabase& database, TextEncoding encoding,
                                           const TextSearch& search, BibCell from,
                                           std::size_t position) {
    if (search.Empty()) {
        return std::nullopt;
    }
    std::u16string text;
    // Only `from` itself starts part-way; every later cell is searched whole.
    const auto look = [&](BibCell cell, std::string_view bytes) -> std::optional<BibMatch> {
        if (cell < from) {
            return std::nullopt;
        }
        DecodeCell(bytes, encoding, text);
        const std::optional<TextMatch> match = search.Find(text, cell == from ? position : 0);
        if (!match) {
            return std::nullopt;
        }
        return BibMatch{cell, *match};
    };
    for (int type = std::max(from.Category, 0); type < EntryTypeCount; ++type) {
        const BibCategory& category = database.Category(type);
        const std::size_t firstEntry = type == from.Category ? from.Entry : 0;
        for (std::size_t e = firstEntry; e < category.size(); ++e) {
            const BibEntry& entry = category[e];
            for (std::size_t row = 0; row < RowCount(entry); ++row) {
                const FieldPair& pair = RowPair(entry, row);
                for (int column = FirstColumn(type); column <= 1; ++column) {
                    const std::optional<BibMatch> found =
                        look(BibCell{type, e, row, column}, column == 0 ? pair.Name : pair.Value);
                    if (found) {
                        return found;
                    }
                }
            }
        }
    }
    const auto& others = database.UnknownEntries();
    const std::size_t firstOther = from.Category == OtherTypesCategory ? from.Entry : 0;
    for (std::size_t e = firstOther; e < others.size(); ++e) {
        const std::optional<BibMatch> found =
            look(BibCell{OtherTypesCategory, e, 0, 1}, others[e].Text);
        if (found) {
            return found;
        }
    }
    return std::nullopt;
}

} // namespace orvelt
