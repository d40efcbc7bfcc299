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
    const int widest = parentWidget()->width() - width() - kRoomBeside;
    const int wanted = std::max(kMinimum, std::min(panel_->width() + x, widest));
    if (wanted != panel_->width()) {
        panel_->setFixedWidth(wanted);
        emit Dragged(wanted);
    }
}

} // namespace orvelt
