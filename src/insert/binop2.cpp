#include "insert/binop2.h"

namespace orvelt {

TBinOps::TBinOps(QWidget* parent) : TSymbolPalette(SymbolPalette::BinOps, parent) {}

} // namespace orvelt
