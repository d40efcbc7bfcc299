#pragma once

#include <QIcon>
#include <QString>

namespace orvelt {

// The tool bar's pictures, drawn here so that they look the same on every desktop, with or
// without an icon theme. Unknown names give an empty icon.
[[nodiscard]] QIcon ToolIcon(const QString& buttonName);

} // namespace orvelt
