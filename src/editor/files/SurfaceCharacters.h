#pragma once

#include <string>

// The editor surface takes a few characters for its own: U+2029 and the frame marks U+FDD0 and
// U+FDD1 end a paragraph, U+2028 breaks a screen line. A file that holds them keeps them: on the
// surface each is held as a lone low surrogate, which no decoded file contains, and it is
// written back as itself.
namespace orvelt {

// In place; every other unit is left as it is, so positions do not move.
void ToSurfaceCharacters(char16_t* text, std::size_t size);
void FromSurfaceCharacters(char16_t* text, std::size_t size);

inline void ToSurfaceCharacters(std::u16string& text) {
    ToSurfaceCharacters(text.data(), text.size());
}
inline void FromSurfaceCharacters(std::u16string& text) {
    FromSurfaceCharacters(text.data(), text.size());
}

} // namespace orvelt
