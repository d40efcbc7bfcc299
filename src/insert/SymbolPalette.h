#pragma once

#include "insert/PaletteWindow.h"
#include "insert/palettes/PaletteTables.h"

#include <vector>

namespace orvelt {

class SymbolButton;

// A palette of symbol buttons in a grid, from one of the symbol tables.
class TSymbolPalette : public TPaletteWindow {
    Q_OBJECT
public:
    TSymbolPalette(SymbolPalette palette, QWidget* parent);

    // Every slot in button order, the blank ones after the last symbol included.
    [[nodiscard]] const std::vector<SymbolButton*>& Buttons() const { return buttons_; }

protected:
    [[nodiscard]] int FullHeight() const override;

private:
    const SymbolTable& table_;
    std::vector<SymbolButton*> buttons_;
};

} // namespace orvelt
