#include "bib/bibtex/EntryTypes.h"

#include "core/AsciiCase.h"

namespace orvelt {
namespace {

constexpr std::string_view kArticle[] = {"cite key", "author", "title",  "journal",
                                         "year",     "volume", "number", "pages",
                                         "month",    "note",   "key",    "crossref"};
constexpr std::string_view kBook[] = {"cite key", "author", "editor", "title",  "publisher",
                                      "year",     "volume", "number", "series", "address",
                                      "edition",  "month",  "note",   "key",    "crossref"};
constexpr std::string_view kBooklet[] = {"cite key", "title", "author", "howpublished", "address",
                                         "month",    "year",  "note",   "key",          "crossref"};
constexpr std::string_view kConference[] = {
    "cite key",     "author",    "title",  "booktitle", "year",    "editor",
    "volume",       "number",    "series", "pages",     "address", "month",
    "organization", "publisher", "note",   "key",       "crossref"};
constexpr std::string_view kInBook[] = {
    "cite key", "author", "editor", "title",   "chapter", "pages", "publisher", "year", "volume",
    "number",   "series", "type",   "address", "edition", "month", "note",      "key",  "crossref"};
constexpr std::string_view kInCollection[] = {
    "cite key", "author", "title",  "booktitle", "publisher", "year",  "editor",
    "volume",   "number", "series", "type",      "chapter",   "pages", "address",
    "edition",  "month",  "note",   "key",       "crossref"};
constexpr std::string_view kInProceedings[] = {
    "cite key",     "author",    "title",  "booktitle", "year",    "editor",
    "volume",       "number",    "series", "pages",     "address", "month",
    "organization", "publisher", "note",   "key",       "crossref"};
constexpr std::string_view kManual[] = {"cite key", "title",   "author",  "organization",
                                        "address",  "edition", "month",   "year",
                                        "note",     "key",     "crossref"};
constexpr std::string_view kMastersThesis[] = {"cite key", "author", "title",   "school",
                                               "year",     "type",   "address", "month",
                                               "note",     "key",    "crossref"};
constexpr std::string_view kMisc[] = {"cite key", "author", "title", "howpublished", "month",
                                      "year",     "note",   "key",   "crossref"};
constexpr std::string_view kPhdThesis[] = {"cite key", "author", "title",   "school",
                                           "year",     "type",   "address", "month",
                                           "note",     "key",    "crossref"};
constexpr std::string_view kProceedings[] = {
    "cite key",  "title",        "year",    "editor", "volume", "number", "series",
    "publisher", "organization", "address", "month",  "note",   "key",    "crossref"};
constexpr std::string_view kTechReport[] = {"cite key", "author", "title",   "institution", "year",
                                            "type",     "number", "series",  "address",     "month",
                                            "note",     "key",    "crossref"};
constexpr std::string_view kUnpublished[] = {"cite key", "author", "title", "note",
                                             "month",    "year",   "key",   "crossref"};
constexpr std::string_view kOnePair[] = {""};

} // namespace

const std::array<std::string_view, EntryTypeCount> EntryTypeNames = {
    "ARTICLE",       "BOOK",        "BOOKLET",       "CONFERENCE", "INBOOK",    "INCOLLECTION",
    "INPROCEEDINGS", "MANUAL",      "MASTERSTHESIS", "MISC",       "PHDTHESIS", "PROCEEDINGS",
    "TECHREPORT",    "UNPUBLISHED", "STRING",        "PREAMBLE"};

const std::array<std::string_view, EntryTypeCount> CategoryCaptions = {
    "Article",        "Book",        "Booklet",        "Conference", "In Book",    "In Collection",
    "In Proceedings", "Manual",      "Masters Thesis", "Misc",       "Phd Thesis", "Proceedings",
    "Techreport",     "Unpublished", "Abbreviations",  "Preamble"};

const std::array<std::span<const std::string_view>, EntryTypeCount> EntryFieldTable = {
    kArticle,       kBook,        kBooklet,       kConference, kInBook,    kInCollection,
    kInProceedings, kManual,      kMastersThesis, kMisc,       kPhdThesis, kProceedings,
    kTechReport,    kUnpublished, kOnePair,       kOnePair};

int FindEntryType(std::string_view word) {
    for (int type = 0; type < EntryTypeCount; ++type) {
        if (EqualsIgnoringCase(EntryTypeNames[type], word)) {
            return type;
        }
    }
    return -1;
}

} // namespace orvelt
