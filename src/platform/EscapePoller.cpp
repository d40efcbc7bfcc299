#include "platform/EscapePoller.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <utility>

namespace orvelt {

EscapePoller::EscapePoller(QObject* parent) : QObject(parent) {
    QCoreApplication::instance()->installEventFilter(this);
    sincePoll_.start();
}

void EscapePoller::Poll() {
    if (pollsLeft_ > 0 && --pollsLeft_ == 0)
        std::exchange(atPoll_, nullptr)();
    if (sincePoll_.elapsed() >= 30) {
        sincePoll_.restart();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

bool EscapePoller::EscapePressed() {
    Poll();
    return std::exchange(pressed_, false);
}

bool EscapePoller::StopPressed() {
    Poll();
    return stopPressed_;
}

void EscapePoller::BeginOperation(QObject* stopButton) {
    if (depth_++ == 0 || stopButton) {
        stopButton_ = stopButton;
        stopPressed_ = false;
    }
}

void EscapePoller::EndOperation() {
    if (depth_ > 0)
        --depth_;
    if (depth_ > 0)
        return;
    stopButton_ = nullptr;
    stopPressed_ = false;
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
    case QEvent::MouseButtonPress:
        if (depth_ > 0 && stopButton_ && watched == stopButton_)
            stopPressed_ = true;
        return depth_ > 0;
    case QEvent::ShortcutOverride:
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
