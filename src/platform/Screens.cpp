#include "platform/Screens.h"

#include <QGuiApplication>
#include <QScreen>

namespace orvelt {

QRect AvailableScreenArea(QPoint point) {
    QScreen* screen = QGuiApplication::screenAt(point);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace orvelt
