#include "insert/greek.h"

namespace orvelt {

TGreekLetters::TGreekLetters(QWidget* parent) : TSymbolPalette(SymbolPalette::Greek, parent) {}

} // namespace orvelt
