#include "insert/relop.h"

namespace orvelt {

Trelops::Trelops(QWidget* parent) : TSymbolPalette(SymbolPalette::RelOps, parent) {}

} // namespace orvelt
