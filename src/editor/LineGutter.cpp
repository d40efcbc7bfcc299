#include "editor/LineGutter.h"

#include "editor/MyRich.h"

#include <QPaintEvent>

namespace orvelt {

LineGutter::LineGutter(TMyRichEdit& surface) : QWidget(&surface), surface_(surface) {
    setObjectName("LineGutter");
}

QSize LineGutter::sizeHint() const {
    return {surface_.GutterWidth(), 0};
}

void LineGutter::paintEvent(QPaintEvent* event) {
    surface_.PaintLineNumbers(*this, event->rect());
}

} // namespace orvelt
