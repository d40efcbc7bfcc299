#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <array>

class QLabel;
class QStatusBar;

namespace orvelt {

// The main window's five status panels: 0 the caret's row or a long operation's percentage,
// 1 "Modified", 2 hints and messages, 3 "INS"/"OVR", 4 spare.
class StatusPanels : public QObject {
    Q_OBJECT
public:
    explicit StatusPanels(QStatusBar* bar);

    void SetPanel(int panel, const QString& text);
    [[nodiscard]] QString PanelText(int panel) const;
    // Panel 2, cleared 3000 ms later.
    void ShowTransientMessage(const QString& text);
    // The percentage done in panel 0, repainted at once: long operations run without events.
    void updateStatus(int done, int total);
    // The hint panel takes what the fixed panels leave of the window's width.
    void FitWidth(int windowWidth);

private:
    std::array<QLabel*, 5> panels_{};
    QTimer timer2_;
    long long shownTenths_ = -1;
    QElapsedTimer painted_; // since the percentage was last painted
    int fixedWidths_ = 0;   // the window width the panels around the hint panel leave out
};

} // namespace orvelt
