#pragma once

#include <cstdint>

// File times as the product has always kept them: the 32-bit packed DOS date and time.
namespace orvelt {

// Date in the high 16 bits ((year - 1980) << 9 | month << 5 | day), time in the low 16 bits
// (hours << 11 | minutes << 5 | seconds / 2). Each field is clamped to what its bits hold, so
// a time before 1980 packs as 1980.
[[nodiscard]] std::uint32_t PackDosDateTime(int year, int month, int day, int hour, int minute,
                                            int second);

} // namespace orvelt
