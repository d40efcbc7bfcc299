#pragma once

#include "insert/SymbolPalette.h"

namespace orvelt {

// TGreekLetters: the palette of the tool-bar button BtnGreek.
class TGreekLetters : public TSymbolPalette {
    Q_OBJECT
public:
    explicit TGreekLetters(QWidget* parent);
};

} // namespace orvelt
