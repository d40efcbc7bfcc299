#pragma once

#include "insert/SymbolPalette.h"

namespace orvelt {

// Trelops: the palette of the tool-bar button BtnRelOps.
class Trelops : public TSymbolPalette {
    Q_OBJECT
public:
    explicit Trelops(QWidget* parent);
};

} // namespace orvelt
