#pragma once

#include <QWidget>

namespace orvelt {

// A thin strip beside a side panel: dragging it widens or narrows the panel, which never
// reaches the width of the area that holds both.
class PanelSplitter : public QWidget {
    Q_OBJECT
public:
    PanelSplitter(QWidget* panel, QWidget* parent);
    [[nodiscard]] bool IsSizing() const { return sizing_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QWidget* panel_;
    bool sizing_ = false;
};

} // namespace orvelt
