#include "core/DosDateTime.h"

#include <algorithm>

namespace orvelt {

std::uint32_t PackDosDateTime(int year, int month, int day, int hour, int minute, int second) {
    const auto field = [](int value, int low, int high) {
        return static_cast<std::uint32_t>(std::clamp(value, low, high));
    };
    const std::uint32_t date =
        (field(year, 1980, 2107) - 1980) << 9 | field(month, 1, 12) << 5 | field(day, 1, 31);
    const std::uint32_t time =
        field(hour, 0, 23) << 11 | field(minute, 0, 59) << 5 | field(second, 0, 59) / 2;
    return date << 16 | time;
}

} // namespace orvelt
