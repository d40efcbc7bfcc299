#include "app/ButtonBar.h"

#include "app/TexMenu.h"
#include "options/values/ButtonBarLayout.h"

#include <QAction>
#include <QFontMetrics>
#include <QPushButton>
#include <QResizeEvent>

namespace orvelt {

ButtonBar::ButtonBar(const TexMenu& menu, QWidget* parent) : QWidget(parent), menu_(menu) {
    setObjectName("ButtonBar");
    setFixedHeight(30);
}

void ButtonBar::Build(bool shown) {
    setVisible(shown);
    if (!shown)
        return;
    for (QPushButton* button : buttons_)
        button->deleteLater();
    buttons_.clear();
    // The main window's font, which the buttons inherit.
    const QFontMetrics metrics(parentWidget() ? parentWidget()->font() : font());
    const std::vector<ProgramEntry>& programs = menu_.Programs();
    std::vector<int> widths;
    std::vector<bool> show;
    for (const ProgramEntry& entry : programs) {
        widths.push_back(metrics.horizontalAdvance(QString::fromStdString(entry.name)));
        show.push_back(entry.showButton);
    }
    builtForWidth_ = width();
    const BarLayout layout = LayOutButtonBar(widths, show, width());
    setFixedHeight(layout.height);
    for (const BarButton& placed : layout.buttons) {
        const ProgramEntry& entry = programs[placed.entry];
        const int tag = static_cast<int>(placed.entry) + 1;
        auto* button = new QPushButton(QString::fromStdString(entry.name).replace('&', "&&"), this);
        button->setObjectName(QStringLiteral("TeXButton%1").arg(tag));
        button->setGeometry(placed.left, placed.top, placed.width, placed.height);
        button->setToolTip(QString::fromStdString(entry.command));
        button->setStatusTip(QString::fromStdString(entry.command));
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::NoFocus); // the text keeps the focus
        button->setProperty("tag", tag);
        if (QAction* item = menu_.Item(tag)) {
            button->setEnabled(item->isEnabled());
            connect(item, &QAction::enabledChanged, button, &QPushButton::setEnabled);
            connect(button, &QPushButton::clicked, item, &QAction::trigger);
        } else {
            button->setEnabled(false);
        }
        button->show();
        buttons_.push_back(button);
    }
    emit Rebuilt();
}

void ButtonBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!isHidden() && event->size().width() != builtForWidth_)
        Build(true);
}

} // namespace orvelt
