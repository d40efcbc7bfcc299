#pragma once

#include <string>
#include <string_view>

// The encodings a source file can be read and written in, and the two DOS tables that the
// ASCII setting applies.
namespace orvelt {

enum class TextEncoding { Utf8, Utf8Bom, Windows1252, Dos437 };

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
[[nodiscard]] bool IsValidUtf8(std::string_view bytes);

// Dos437 when the ASCII setting is on; Utf8Bom when valid and starting with EF BB BF; Utf8
// when valid (pure ASCII included); Windows1252 otherwise.
[[nodiscard]] TextEncoding DetectEncoding(std::string_view bytes, bool asciiOption);

// Written with ASCII on: 161..255 through the table, a byte without a counterpart becomes a
// space; bytes below 161 pass unchanged.
[[nodiscard]] unsigned char AnsiToAscii(unsigned char c);
// Read with ASCII on: 129..255 through the table, a byte without a counterpart becomes a
// space; bytes below 129 pass unchanged. Not the inverse of AnsiToAscii.
[[nodiscard]] unsigned char AsciiToAnsi(unsigned char c);

// Utf8Bom drops a leading byte-order mark. Windows1252 maps every byte to exactly one
// character (the five undefined bytes 81 8D 8F 90 9D to U+0081 etc.), so any file comes back
// byte for byte. Dos437 converts bytes from 129 up through AsciiToAnsi first. Invalid UTF-8
// decodes to U+FFFD for each maximal invalid subsequence.
[[nodiscard]] std::u16string DecodeText(std::string_view bytes, TextEncoding enc);

// Windows1252/Dos437: a character the code page cannot hold becomes '?'; Dos437 then passes
// bytes above 160 through AnsiToAscii. UTF-8 forms: a lone surrogate becomes U+FFFD; no
// byte-order mark is added.
[[nodiscard]] std::string EncodeText(std::u16string_view text, TextEncoding enc);

// Whether the character survives a save and a read in the encoding. In Dos437 that excludes
// characters without a counterpart and those whose byte reads back as another (Ç is written
// as 80, which reads as the euro sign).
[[nodiscard]] bool CanEncode(char32_t c, TextEncoding enc);

// One Windows-1252 byte as its character, as DecodeText maps it.
[[nodiscard]] char16_t Windows1252ToChar(unsigned char b);

// The UTF-8 helpers the codecs share: strict in one direction, U+FFFD for the invalid parts.
[[nodiscard]] std::u16string Utf8ToUtf16(std::string_view bytes);
[[nodiscard]] std::string Utf16ToUtf8(std::u16string_view text);

} // namespace orvelt
