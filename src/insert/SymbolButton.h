#pragma once

#include <QAbstractButton>
#include <QFont>

namespace orvelt {

// A symbol palette's button: the symbol's glyph drawn as text, so it is sharp at any scale,
// made smaller where it would not fit (the long arrows). Its hint is the command it inserts.
// Without a command the button is a blank, inert slot.
class SymbolButton : public QAbstractButton {
    Q_OBJECT
public:
    SymbolButton(const QString& command, char32_t codePoint, int pixels, QWidget* parent);

    [[nodiscard]] char32_t CodePoint() const { return codePoint_; }
    // The face that holds the glyph, at the size it is drawn.
    [[nodiscard]] const QFont& GlyphFont() const { return font_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    void DrawJoin(QPainter& painter, const QRectF& box) const;

    char32_t codePoint_;
    QString glyph_;
    QFont font_;
    bool hovered_ = false;
};

} // namespace orvelt
