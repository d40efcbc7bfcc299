#pragma once

#include "insert/PaletteWindow.h"

class QComboBox;
class QPushButton;

namespace orvelt {

class TUpDown;

// Tfonts: the font palette. A font row and a size row, each a button that inserts its
// declaration, up-down arrows that step through the choices and a drop-down list of them. The
// button, the list and the arrows always show one and the same choice.
class Tfonts : public TPaletteWindow {
    Q_OBJECT
public:
    explicit Tfonts(QWidget* parent);

    // Choices count from 1: roman ... typewriter, tiny ... Huge.
    void SetFont(int choice);
    void SetSize(int choice);
    void ListFontChange();
    void ListSizeChange();
    void SpinFontClick(bool upperArrow);
    void SpinSizeClick(bool upperArrow);

    QPushButton* BtnFont;
    TUpDown* SpinFont;
    QComboBox* ListFont;
    QPushButton* BtnSize;
    TUpDown* SpinSize;
    QComboBox* ListSize;

protected:
    [[nodiscard]] int FullHeight() const override;
    void FormShow() override;

private:
    int font_ = 1;
    int size_ = 1;
};

} // namespace orvelt
