#include "widgets/Numedit.h"

#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace orvelt {

TNumEdit::TNumEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        const bool digits = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
            return c >= '0' && c <= '9';
        });
        // Compared as text too: more digits than an int holds are still a large number.
        if (maximum_ > 0 && digits && (text.size() > 9 || text.toInt() > maximum_))
            setText(QString::number(maximum_));
    });
}

int TNumEdit::Number() const {
    bool ok = false;
    const int value = text().toInt(&ok, 10);
    return ok && !text().startsWith('+') && !text().startsWith('-') ? value : 0;
}

void TNumEdit::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter && event->key() != Qt::Key_Backspace && !typed.isEmpty() && typed.at(0).isPrint() &&
        !typed.at(0).isDigit() && !accepted_.contains(typed.at(0))) {
        event->accept(); // discarded
        return;
    }
    if (!typed.isEmpty() && typed.at(0).isDigit() && typed.at(0).unicode() > '9') {
        event->accept(); // digits of other scripts are no decimal digits here
        return;
    }
    QLineEdit::keyPressEvent(event);
    if (enter && keepsEnter_)
        event->accept();
}

TUpDown::TUpDown(QWidget* parent)
    : QWidget(parent), Up(new QToolButton(this)), Down(new QToolButton(this)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    for (QToolButton* button : {Up, Down}) {
        button->setArrowType(button == Up ? Qt::UpArrow : Qt::DownArrow);
        button->setFixedSize(16, 11);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        column->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, button] { Step(button == Up); });
    }
    Up->setObjectName("Up");
    Down->setObjectName("Down");
    setFixedSize(16, 22);
}

void TUpDown::Step(bool up) {
    if (edit_) {
        // The whole part of a number with decimals: 2.5 goes up to 3 and down to 2.
        const QString text = edit_->text();
        qsizetype point = text.indexOf('.');
        if (point < 0)
            point = text.indexOf(',');
        const int whole = text.left(point < 0 ? text.size() : point).toInt();
        const bool fraction = point >= 0 && point + 1 < text.size();
        const int next = up ? whole + 1 : whole - (fraction ? 0 : 1);
        edit_->setText(QString::number(std::clamp(next, minimum_, maximum_)));
    }
    emit Click(up);
}

} // namespace orvelt
