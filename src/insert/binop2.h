#pragma once

#include "insert/SymbolPalette.h"

namespace orvelt {

// TBinOps: the palette of the tool-bar button BtnBinOps.
class TBinOps : public TSymbolPalette {
    Q_OBJECT
public:
    explicit TBinOps(QWidget* parent);
};

} // namespace orvelt
