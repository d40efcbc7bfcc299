#include "app/StatusPanels.h"

#include <QLabel>
#include <QLocale>
#include <QStatusBar>

namespace orvelt {

StatusPanels::StatusPanels(QStatusBar* bar) : QObject(bar) {
    bar->setObjectName("StatusBar");
    bar->setSizeGripEnabled(false);
    bar->setToolTip("Doubleclick to jump to a line.");
    // Panel 0 holds a row number of six digits ("Row: 65940" was cut to "Row: 6594").
    const int rowWidth = bar->fontMetrics().horizontalAdvance(" Row: 1234567 ") + 8;
    const int widths[] = {std::max(70, rowWidth), 70, 0, 30, 50};
    fixedWidths_ = 194 + widths[0] - 70; // what the panels around the hints have always left
    for (int i = 0; i < 5; ++i) {
        auto* label = new QLabel(bar);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        label->setFixedWidth(widths[i]);
        if (i != 4)
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAlignment(Qt::AlignVCenter | (i == 0 ? Qt::AlignRight : Qt::AlignLeft));
        bar->addWidget(label, i == 2 ? 1 : 0);
        panels_[static_cast<std::size_t>(i)] = label;
    }
    panels_[0]->setText("Row: 0");
    panels_[1]->setText("Modified");
    panels_[3]->setText("OVR");
    timer2_.setInterval(3000);
    timer2_.setSingleShot(true);
    connect(&timer2_, &QTimer::timeout, this, [this] { SetPanel(2, {}); });
}

void StatusPanels::FitWidth(int windowWidth) {
    panels_[2]->setFixedWidth(std::max(0, windowWidth - fixedWidths_));
}

void StatusPanels::SetPanel(int panel, const QString& text) {
    panels_[static_cast<std::size_t>(panel)]->setText(text);
    if (panel == 0)
        panels_[0]->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
}

QString StatusPanels::PanelText(int panel) const {
    return panels_[static_cast<std::size_t>(panel)]->text();
}

void StatusPanels::ShowTransientMessage(const QString& text) {
    SetPanel(2, text);
    timer2_.start();
}

void StatusPanels::updateStatus(int done, int total) {
    if (done < 1 || total < 1)
        return;
    // Formatting and repainting only when the shown figure changes keeps a per-token call cheap.
    const long long tenths = (static_cast<long long>(done) * 2000 / total + 1) / 2;
    if (tenths == shownTenths_ && panels_[0]->text().endsWith(QStringLiteral("%  ")))
        return;
    shownTenths_ = tenths;
    const double percent = done * 100.0 / total;
    panels_[0]->setAlignment(Qt::AlignVCenter | Qt::AlignRight);
    panels_[0]->setText(QLocale().toString(percent, 'f', 1) + QStringLiteral("%  "));
    // Painted at once, as no event loop runs during the work; but a thousand paints of one
    // long operation cost more than the eye can see: at most one every 40 ms, and the last.
    if (!painted_.isValid() || painted_.elapsed() >= 40 || done >= total) {
        panels_[0]->repaint();
        painted_.start();
    }
}

} // namespace orvelt
