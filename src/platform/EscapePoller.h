#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

namespace orvelt {

// Remembers an Escape press for long operations, which poll EscapePressed() between steps.
// While an operation runs, other user input must not re-enter it: keys are held back and
// delivered, in order, when it ends (typing goes on during a long search); mouse input is
// swallowed.
class EscapePoller : public QObject {
    Q_OBJECT
public:
    explicit EscapePoller(QObject* parent = nullptr);

    // True when Escape was pressed since the previous call. Pending events are delivered at
    // most every few milliseconds, so polling after every token stays cheap.
    bool EscapePressed();
    void BeginOperation();
    void EndOperation();
    // For tests: an Escape press as the keyboard would report it.
    void NoteEscape() { pressed_ = true; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct HeldKey {
        QPointer<QObject> target;
        std::unique_ptr<QEvent> event;
    };
    std::vector<HeldKey> held_;
    bool pressed_ = false;
    int depth_ = 0;
    QElapsedTimer sincePoll_;
};

} // namespace orvelt
