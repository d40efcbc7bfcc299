#include "options/values/KeyOwners.h"

#include <gtest/gtest.h>

namespace orvelt {
namespace {

TEST(KeyOwners, TheFirstEnabledCommandOwnsEachKey) {
    struct Case {
        const char* name;
        std::vector<KeyedCommand> commands;
        std::vector<bool> expected;
    };
    const Case cases[] = {
        {"nominal: distinct keys", {{"F9", true}, {"F5", true}}, {true, true}},
        // Two enabled actions with one key made it ambiguous: neither ran.
        {"regression: a shared key goes to the first",
         {{"F9", true}, {"F5", true}, {"F9", true}},
         {true, true, false}},
        {"nominal: a disabled first leaves the key to the next",
         {{"F9", false}, {"F9", true}, {"F9", true}},
         {false, true, false}},
        {"nominal: no key holds nothing", {{std::nullopt, true}, {"", true}}, {false, false}},
        {"nominal: keys differ by modifier",
         {{"Ctrl+J", true}, {"Shift+Ctrl+J", true}},
         {true, true}},
        {"nominal: none", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(KeyOwners(c.commands), c.expected);
    }
}

} // namespace
} // namespace orvelt
