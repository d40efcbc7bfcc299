#pragma once

#include "insert/SymbolPalette.h"

namespace orvelt {

// Tmisc: the palette of the tool-bar button BtnMisc.
class Tmisc : public TSymbolPalette {
    Q_OBJECT
public:
    explicit Tmisc(QWidget* parent);
};

} // namespace orvelt
