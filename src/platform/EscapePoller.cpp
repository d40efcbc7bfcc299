#include "platform/EscapePoller.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace orvelt {

EscapePoller::EscapePoller(QObject* parent) : QObject(parent) {
    QCoreApplication::instance()->installEventFilter(this);
    sincePoll_.start();
}

bool EscapePoller::EscapePressed() {
    if (sincePoll_.elapsed() >= 30) {
        sincePoll_.restart();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    bool was = pressed_;
    pressed_ = false;
    return was;
}

void EscapePoller::BeginOperation() {
    ++depth_;
}

void EscapePoller::EndOperation() {
    if (depth_ > 0)
        --depth_;
    if (depth_ > 0)
        return;
    for (HeldKey& key : held_)
        if (key.target)
            QCoreApplication::postEvent(key.target, key.event.release());
    held_.clear();
}

bool EscapePoller::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::InputMethod:
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            pressed_ = true;
            return depth_ > 0;
        }
        // Keys typed meanwhile were lost: a quick "xyz}abcdef" in a big file became "xyz}".
        if (depth_ > 0 && !(event->type() == QEvent::KeyRelease &&
                            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape))
            held_.push_back({watched, std::unique_ptr<QEvent>(event->clone())});
        return depth_ > 0;
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::Drop:
        return depth_ > 0;
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace orvelt
