#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvelt {

// A program-list command made ready to start, without a shell.
struct CommandLine {
    // The words, placeholders filled: the program first, then its arguments.
    std::vector<std::string> words;
    // The command as typed with its placeholders filled, for the messages.
    std::string display;
    // The file base holds "%f" itself: nothing may be started (words and display stay empty).
    bool fileBaseRejected = false;
};

// Splits the command into words first, then fills the placeholders inside each word in one
// pass ("%f" the file base, "%n" the line number in decimal; text filled in is not scanned
// again). Blanks (space, tab) part words outside double quotes; a double quote opens or closes a
// quoted run and is dropped; three in a row give one literal double quote, inside a quoted run
// or outside, and leave the quoting as it was; `""` is an empty argument; an unclosed quote
// runs to the end.
[[nodiscard]] CommandLine SubstituteCommandLine(std::string_view command, std::string_view fileBase,
                                                int lineNumber);

} // namespace orvelt
