#pragma once

#include <cstdint>

// File times as the sidecar check compares them: the 32-bit packed DOS date and time.
namespace orvelt {

// Date in the high 16 bits ((year - 1980) << 9 | month << 5 | day), time in the low 16 bits
// (hours << 11 | minutes << 5 | seconds / 2). Each field is clamped to what its bits hold, so
// a time before 1980 packs as 1980.
[[nodiscard]] std::uint32_t PackDosDateTime(int year, int month, int day, int hour, int minute,
                                            int second);

// The sidecar is current when the packed times differ by less than 161: a few minutes within
// the same hour, but not across an hour (10:58 and 11:01 differ by 224).
[[nodiscard]] bool SidecarTimesMatch(std::uint32_t sourceTime, std::uint32_t sidecarTime);

} // namespace orvelt
