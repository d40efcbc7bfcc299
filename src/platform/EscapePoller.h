#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <functional>
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
    // The same for a Stop button: true when `button` was pressed since the operation began.
    // The press is taken, so that it does not click the button again once the operation ends.
    bool StopPressed();
    void BeginOperation(QObject* stopButton = nullptr);
    void EndOperation();
    // For tests: an Escape press as the keyboard would report it.
    void NoteEscape() { pressed_ = true; }
    // For tests: `act` runs at the `poll`-th poll from now (1: the next), before it answers.
    void AtPoll(int poll, std::function<void()> act) {
        pollsLeft_ = poll;
        atPoll_ = std::move(act);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct HeldKey {
        QPointer<QObject> target;
        std::unique_ptr<QEvent> event;
    };
    std::vector<HeldKey> held_;
    void Poll();

    bool pressed_ = false;
    QPointer<QObject> stopButton_;
    bool stopPressed_ = false;
    int depth_ = 0;
    int pollsLeft_ = 0;
    std::function<void()> atPoll_;
    QElapsedTimer sincePoll_;
};

} // namespace orvelt
