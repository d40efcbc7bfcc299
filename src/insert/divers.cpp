#include "insert/divers.h"

namespace orvelt {

Tmisc::Tmisc(QWidget* parent) : TSymbolPalette(SymbolPalette::Misc, parent) {}

} // namespace orvelt
