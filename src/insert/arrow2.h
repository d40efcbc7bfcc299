#pragma once

#include "insert/SymbolPalette.h"

namespace orvelt {

// Tarrows: the palette of the tool-bar button BtnArrows.
class Tarrows : public TSymbolPalette {
    Q_OBJECT
public:
    explicit Tarrows(QWidget* parent);
};

} // namespace orvelt
