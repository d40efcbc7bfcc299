#include "widgets/PanelSplitter.h"

#include <QMouseEvent>

namespace orvelt {

PanelSplitter::PanelSplitter(QWidget* panel, QWidget* parent) : QWidget(parent), panel_(panel) {
    setFixedWidth(5);
    setCursor(Qt::SizeHorCursor);
}

void PanelSplitter::mousePressEvent(QMouseEvent*) {
    sizing_ = true;
}

void PanelSplitter::mouseReleaseEvent(QMouseEvent*) {
    sizing_ = false;
}

void PanelSplitter::mouseMoveEvent(QMouseEvent* event) {
    if (!sizing_)
        return;
    const int x = static_cast<int>(event->position().x());
    if (parentWidget()->width() > panel_->width() + x + width())
        panel_->setFixedWidth(std::max(0, panel_->width() + x));
}

} // namespace orvelt
