#pragma once

#include <QElapsedTimer>
#include <QObject>

namespace orvelt {

// Remembers an Escape press for long operations, which poll EscapePressed() between steps.
// While an operation runs, all other user input is swallowed so that nothing re-enters it.
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
    bool pressed_ = false;
    int depth_ = 0;
    QElapsedTimer sincePoll_;
};

} // namespace orvelt
