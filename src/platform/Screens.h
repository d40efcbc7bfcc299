#pragma once

#include <QPoint>
#include <QRect>

namespace orvelt {

// The part of the screen at `point` (else the primary screen) that windows may cover; empty
// when there is no screen at all.
[[nodiscard]] QRect AvailableScreenArea(QPoint point);

} // namespace orvelt
