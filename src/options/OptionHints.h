#pragma once

#include <QString>
#include <QWidget>

namespace orvelt {

// A control's hint shows as its tool tip and in status panel 2; its help topic is what F1 on
// it shows (0: none).
inline void SetHint(QWidget* control, const QString& hint, int helpTopic = 0) {
    if (!hint.isEmpty()) {
        control->setToolTip(hint);
        control->setStatusTip(hint);
    }
    if (helpTopic != 0)
        control->setProperty("helpTopic", helpTopic);
}

} // namespace orvelt
