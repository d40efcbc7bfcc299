#pragma once

// The kinds of window the main window holds; what a command may act on depends on it.
namespace orvelt {

enum class ChildKind { Source, Bibliography, Log };

} // namespace orvelt
