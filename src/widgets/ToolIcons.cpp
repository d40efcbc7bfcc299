#include "widgets/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>
#include <map>

namespace orvelt {

namespace {

constexpr int kSize = 40; // drawn at twice the 20-pixel display size, crisp on high-DPI too

const QColor kInk(40, 40, 40);
const QColor kPaper(250, 250, 250);
const QColor kBlue(40, 90, 170);

void Page(QPainter& p, QRectF r) {
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 8, r.top());
    path.lineTo(r.right(), r.top() + 8);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setBrush(kPaper);
    p.setPen(QPen(kInk, 2));
    p.drawPath(path);
}

void Lines(QPainter& p, QRectF r, int count) {
    p.setPen(QPen(QColor(120, 120, 120), 2));
    for (int i = 0; i < count; ++i) {
        qreal y = r.top() + 12 + i * 6;
        p.drawLine(QPointF(r.left() + 5, y), QPointF(r.right() - 5, y));
    }
}

void Glyph(QPainter& p, const QString& text, bool bold, int size, QColor color = kInk) {
    QFont font("DejaVu Sans");
    font.setPixelSize(size);
    font.setBold(bold);
    p.setFont(font);
    p.setPen(color);
    p.drawText(QRectF(0, 0, kSize, kSize), Qt::AlignCenter, text);
}

void Floppy(QPainter& p, QRectF r) {
    p.setPen(QPen(kInk, 2));
    p.setBrush(kBlue);
    p.drawRoundedRect(r, 3, 3);
    p.setBrush(kPaper);
    p.drawRect(QRectF(r.left() + 6, r.top() + 3, r.width() - 12, r.height() * 0.38));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(r.left() + 8, r.bottom() - r.height() * 0.35, r.width() - 16,
                      r.height() * 0.35 - 2));
}

using Painter = std::function<void(QPainter&)>;

const std::map<QString, Painter>& Painters() {
    static const std::map<QString, Painter> painters = {
        {"BtnNew", [](QPainter& p) { Page(p, QRectF(8, 3, 24, 34)); }},
        {"OpenBtn",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 2));
             p.setBrush(QColor(230, 180, 60));
             p.drawRect(QRectF(3, 10, 30, 24));
             p.setBrush(QColor(250, 210, 100));
             QPolygonF flap({QPointF(8, 17), QPointF(38, 17), QPointF(33, 34), QPointF(3, 34)});
             p.drawPolygon(flap);
         }},
        {"SaveBtn", [](QPainter& p) { Floppy(p, QRectF(5, 5, 30, 30)); }},
        {"BtnSaveAll",
         [](QPainter& p) {
             Floppy(p, QRectF(2, 2, 24, 24));
             Floppy(p, QRectF(14, 14, 24, 24));
         }},
        {"CutBtn",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 3));
             p.drawLine(QPointF(12, 4), QPointF(26, 26));
             p.drawLine(QPointF(28, 4), QPointF(14, 26));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QRectF(6, 25, 10, 10));
             p.drawEllipse(QRectF(24, 25, 10, 10));
         }},
        {"CopyBtn",
         [](QPainter& p) {
             Page(p, QRectF(4, 3, 20, 26));
             Page(p, QRectF(15, 11, 20, 26));
         }},
        {"PasteBtn",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 2));
             p.setBrush(QColor(190, 140, 80));
             p.drawRoundedRect(QRectF(5, 6, 24, 30), 2, 2);
             p.setBrush(QColor(160, 160, 160));
             p.drawRect(QRectF(11, 3, 12, 6));
             Page(p, QRectF(17, 15, 19, 22));
         }},
        {"BtnFind",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 3));
             p.setBrush(QColor(200, 225, 250));
             p.drawEllipse(QRectF(5, 5, 20, 20));
             p.setPen(QPen(kInk, 5, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(23, 23), QPointF(35, 35));
         }},
        {"BtnLog",
         [](QPainter& p) {
             Page(p, QRectF(7, 3, 26, 34));
             Lines(p, QRectF(7, 3, 26, 34), 4);
         }},
        {"BtnError",
         [](QPainter& p) {
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(200, 40, 40));
             p.drawEllipse(QRectF(4, 4, 32, 32));
             Glyph(p, "!", true, 26, Qt::white);
         }},
        {"BtnInputs",
         [](QPainter& p) {
             Page(p, QRectF(12, 3, 24, 34));
             p.setPen(QPen(kBlue, 4, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(2, 20), QPointF(22, 20));
             p.drawLine(QPointF(15, 13), QPointF(22, 20));
             p.drawLine(QPointF(15, 27), QPointF(22, 20));
         }},
        {"BtnSpell",
         [](QPainter& p) {
             QFont font("DejaVu Sans");
             font.setPixelSize(15);
             font.setBold(true);
             p.setFont(font);
             p.setPen(kInk);
             p.drawText(QRectF(0, 2, kSize, 18), Qt::AlignCenter, "abc");
             p.setPen(QPen(QColor(30, 150, 30), 4, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(10, 28), QPointF(17, 35));
             p.drawLine(QPointF(17, 35), QPointF(32, 21));
         }},
        {"BtnFonts", [](QPainter& p) { Glyph(p, "B", true, 30); }},
        {"BtnTeXCmd", [](QPainter& p) { Glyph(p, "TeX", true, 17); }},
        {"BtnGreek",
         [](QPainter& p) { Glyph(p, QString::fromUtf8("\xCE\xB1\xCE\xB2"), false, 22); }},
        {"BtnBinOps", [](QPainter& p) { Glyph(p, QString::fromUtf8("\xC2\xB1"), false, 30); }},
        {"BtnRelOps", [](QPainter& p) { Glyph(p, QString::fromUtf8("\xE2\x89\xA4"), false, 30); }},
        {"BtnArrows", [](QPainter& p) { Glyph(p, QString::fromUtf8("\xE2\x86\x92"), false, 30); }},
        {"BtnMisc", [](QPainter& p) { Glyph(p, QString::fromUtf8("\xE2\x88\x9E"), false, 30); }},
        {"BtnTable",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 2));
             p.setBrush(kPaper);
             p.drawRect(QRectF(4, 7, 32, 26));
             for (qreal x : {14.7, 25.3})
                 p.drawLine(QPointF(x, 7), QPointF(x, 33));
             for (qreal y : {15.7, 24.3})
                 p.drawLine(QPointF(4, y), QPointF(36, y));
         }},
        // The title bars of the palettes: a pin, roll up, roll down and close.
        {"BtnStick",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(20, 24), QPointF(20, 37));
             p.setBrush(QColor(200, 40, 40));
             p.drawEllipse(QRectF(10, 3, 20, 20));
         }},
        {"Image1",
         [](QPainter& p) {
             p.setPen(Qt::NoPen);
             p.setBrush(kInk);
             p.drawPolygon(QPolygonF({QPointF(6, 28), QPointF(34, 28), QPointF(20, 11)}));
         }},
        {"Image2",
         [](QPainter& p) {
             p.setPen(Qt::NoPen);
             p.setBrush(kInk);
             p.drawPolygon(QPolygonF({QPointF(6, 12), QPointF(34, 12), QPointF(20, 29)}));
         }},
        {"BtnClose",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 5, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(9, 9), QPointF(31, 31));
             p.drawLine(QPointF(31, 9), QPointF(9, 31));
         }},
    };
    return painters;
}

} // namespace

QIcon ToolIcon(const QString& buttonName) {
    auto it = Painters().find(buttonName);
    if (it == Painters().end())
        return {};
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    it->second(painter);
    painter.end();
    return QIcon(pixmap);
}

} // namespace orvelt
