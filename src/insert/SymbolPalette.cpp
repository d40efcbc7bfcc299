#include "insert/SymbolPalette.h"

#include "insert/SymbolButton.h"

#include <QFrame>

namespace orvelt {

TSymbolPalette::TSymbolPalette(SymbolPalette palette, QWidget* parent)
    : TPaletteWindow(QString::fromUtf8(TableOf(palette).title), false, parent),
      table_(TableOf(palette)) {
    const QString name = QString::fromUtf8(table_.windowClass);
    setObjectName(name.mid(1)); // the form's name: its class without the T
    const int size = table_.buttonPixels;
    setFixedWidth(table_.columns * size + 3);
    for (int slot = 0; slot < table_.columns * table_.rows; ++slot) {
        const bool used = slot < static_cast<int>(table_.symbols.size());
        const PaletteSymbol symbol =
            used ? table_.symbols[static_cast<std::size_t>(slot)] : PaletteSymbol{{}, 0};
        auto* button =
            new SymbolButton(QString::fromUtf8(symbol.command), symbol.codePoint, size, Panel2);
        button->setObjectName(QStringLiteral("SpeedButton%1").arg(slot + 1));
        button->move(1 + (slot % table_.columns) * size,
                     kTitleHeight + 1 + (slot / table_.columns) * size);
        if (used)
            connect(button, &SymbolButton::clicked, this,
                    [this, button] { SpeedButton1Click(button); });
        buttons_.push_back(button);
    }
    setFixedHeight(FullHeight());
}

int TSymbolPalette::FullHeight() const {
    return table_.rows * table_.buttonPixels + kTitleHeight + 3;
}

} // namespace orvelt
