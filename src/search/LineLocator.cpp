#include "search/LineLocator.h"

#include "editor/Childwin.h"
#include "platform/Prompter.h"
#include "toolchain/log/LogParser.h"

#include <QEvent>
#include <QStatusBar>

namespace orvelt {

LineLocator::LineLocator(QStatusBar* bar, Prompter& prompter,
                         std::function<TMDIChild*()> activeSource)
    : QObject(bar), bar_(bar), prompter_(prompter), activeSource_(std::move(activeSource)) {
    // The panels cover the bar: a double-click on any of them is one on the bar.
    bar_->installEventFilter(this);
    for (QWidget* panel : bar_->findChildren<QWidget*>())
        panel->installEventFilter(this);
}

bool LineLocator::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        StatusBarDblClick();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void LineLocator::StatusBarDblClick() {
    if (!activeSource_())
        return;
    const std::optional<QString> answer =
        prompter_.InputBox(QStringLiteral("Line locator"), QStringLiteral("Line: "), QString());
    // The question may have closed the window meanwhile.
    TMDIChild* source = activeSource_();
    if (!answer || !source)
        return;
    const LineNumber n = ExtractLineNumber(answer->toStdString());
    switch (n.kind) {
    case LineNumber::Kind::NoDigit:
        return; // as the error list treats a line without a number
    case LineNumber::Kind::NotANumber:
        prompter_.Message(MessageKind::Error, MessageButtons::Ok,
                          "'" + *answer + "' is not a valid line number.");
        return;
    case LineNumber::Kind::Number:
        source->JumpToLine(n.value);
        source->MainEdit->setFocus();
        return;
    }
}

} // namespace orvelt
