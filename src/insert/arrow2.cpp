#include "insert/arrow2.h"

namespace orvelt {

Tarrows::Tarrows(QWidget* parent) : TSymbolPalette(SymbolPalette::Arrows, parent) {}

} // namespace orvelt
