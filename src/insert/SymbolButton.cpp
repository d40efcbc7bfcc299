#include "insert/SymbolButton.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace orvelt {

namespace {

// TeX's own shapes come closest in the math face; DejaVu Sans has the rest.
const char* const kFaces[] = {"DejaVu Math TeX Gyre", "DejaVu Sans"};

QFont FaceFor(char32_t codePoint, qreal pixels) {
    for (const char* face : kFaces) {
        QFont font(QString::fromLatin1(face));
        font.setPixelSize(static_cast<int>(pixels));
        font.setStyleStrategy(QFont::NoFontMerging);
        if (codePoint == 0 || QFontMetricsF(font).inFontUcs4(codePoint))
            return font;
    }
    QFont font(QString::fromLatin1(kFaces[1]));
    font.setPixelSize(static_cast<int>(pixels));
    return font;
}

} // namespace

SymbolButton::SymbolButton(const QString& command, char32_t codePoint, int pixels, QWidget* parent)
    : QAbstractButton(parent), codePoint_(codePoint) {
    setFixedSize(pixels, pixels);
    setFocusPolicy(Qt::NoFocus);
    setToolTip(command);
    setStatusTip(command);
    setEnabled(!command.isEmpty());
    if (codePoint != 0)
        glyph_ = QString::fromUcs4(&codePoint, 1);
    // The glyph fills about two thirds of the button, less when it is wide.
    const qreal room = pixels - 4;
    font_ = FaceFor(codePoint, pixels * 0.68);
    if (!glyph_.isEmpty()) {
        const qreal wide = QFontMetricsF(font_).horizontalAdvance(glyph_);
        if (wide > room)
            font_.setPixelSize(std::max(6, static_cast<int>(font_.pixelSize() * room / wide)));
    }
}

bool SymbolButton::event(QEvent* event) {
    if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
        hovered_ = event->type() == QEvent::Enter;
        update();
    }
    return QAbstractButton::event(event);
}

void SymbolButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = rect();
    const QPalette& colours = palette();
    painter.fillRect(box, colours.color(QPalette::Button));
    // A raised square that looks pressed while held.
    const bool down = isDown();
    painter.setPen(colours.color(down ? QPalette::Dark : QPalette::Light));
    painter.drawLine(box.topLeft(), box.topRight() - QPointF(1, 0));
    painter.drawLine(box.topLeft(), box.bottomLeft() - QPointF(0, 1));
    painter.setPen(colours.color(down ? QPalette::Light : QPalette::Dark));
    painter.drawLine(box.bottomLeft() - QPointF(0, 1), box.bottomRight() - QPointF(1, 1));
    painter.drawLine(box.topRight() - QPointF(1, 0), box.bottomRight() - QPointF(1, 1));
    if (!isEnabled())
        return;
    if (hovered_)
        painter.fillRect(box.adjusted(1, 1, -1, -1), colours.color(QPalette::Midlight));
    painter.setPen(colours.color(QPalette::ButtonText));
    const QRectF inner = box.translated(down ? 1 : 0, down ? 1 : 0);
    if (codePoint_ == 0) {
        DrawJoin(painter, inner);
        return;
    }
    painter.setFont(font_);
    painter.drawText(inner, Qt::AlignCenter, glyph_);
}

// \Join (U+2A1D) is in neither face: a bow tie whose outer sides reach above and below it.
void SymbolButton::DrawJoin(QPainter& painter, const QRectF& box) const {
    const qreal w = box.width() * 0.46;
    const qreal h = box.height() * 0.26;
    const QPointF c = box.center();
    QPainterPath path;
    path.moveTo(c.x() - w / 2, c.y() - h / 2);
    path.lineTo(c.x() + w / 2, c.y() + h / 2);
    path.moveTo(c.x() - w / 2, c.y() + h / 2);
    path.lineTo(c.x() + w / 2, c.y() - h / 2);
    path.moveTo(c.x() - w / 2, c.y() - h * 0.8);
    path.lineTo(c.x() - w / 2, c.y() + h * 0.8);
    path.moveTo(c.x() + w / 2, c.y() - h * 0.8);
    path.lineTo(c.x() + w / 2, c.y() + h * 0.8);
    painter.setPen(QPen(painter.pen().color(), std::max(1.0, box.height() / 20.0)));
    painter.drawPath(path);
}

} // namespace orvelt
