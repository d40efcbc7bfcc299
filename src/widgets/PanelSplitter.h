#pragma once

#include <QWidget>

namespace orvelt {

// A thin strip beside a side panel: dragging it widens or narrows the panel, which stays at
// least kMinimum wide and leaves the area beside it room.
class PanelSplitter : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMinimum = 30;
    static constexpr int kRoomBeside = 100;

    PanelSplitter(QWidget* panel, QWidget* parent);
    [[nodiscard]] bool IsSizing() const { return sizing_; }

signals:
    // A drag gave the panel this width.
    void Dragged(int width);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QWidget* panel_;
    bool sizing_ = false;
};

} // namespace orvelt
