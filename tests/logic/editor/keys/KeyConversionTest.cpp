#include "editor/keys/KeyConversion.h"

#include <gtest/gtest.h>

namespace orvelt {
namespace {

TEST(KeyConversion, UmlautsAndSharpSBecomeTheLetterAfterAQuote) {
    struct Row {
        const char* name;
        char32_t typed;
        std::optional<char> letter;
    };
    const Row rows[] = {
        {"nominal: a small umlaut keeps its case", U'\u00E4', 'a'},
        {"nominal: a capital umlaut keeps its case", U'\u00DC', 'U'},
        {"nominal: sharp s becomes s", U'\u00DF', 's'},
        {"boundary: e acute is not German", U'\u00E9', std::nullopt},
        {"boundary: the plain letter stays", U'a', std::nullopt},
        {"boundary: capital sharp s is not in the table", U'\u1E9E', std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(UmlautLetter(row.typed), row.letter);
    }
}

} // namespace
} // namespace orvelt
