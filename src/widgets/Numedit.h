#pragma once

#include <QLineEdit>
#include <QString>
#include <QWidget>

class QToolButton;

namespace orvelt {

// TNumEdit: a box for a number. Typed characters other than digits (and the ones allowed in
// addition) are discarded; keys that type nothing pass.
class TNumEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TNumEdit(QWidget* parent = nullptr);

    // The text as a decimal integer; 0 when it is none.
    [[nodiscard]] int Number() const;
    // Characters let through besides the digits (a decimal point).
    void SetAccepted(const QString& characters) { accepted_ = characters; }
    // A larger number typed shows as this one; 0: no limit.
    void SetMaximum(int maximum) { maximum_ = maximum; }
    // Enter applies the box and goes no further (the dialog's default button stays put).
    void SetKeepsEnter(bool keeps) { keepsEnter_ = keeps; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString accepted_;
    int maximum_ = 0;
    bool keepsEnter_ = false;
};

// The up-down arrows beside a number box: a step within the range, never wrapping around.
// Without a box, a click only says which arrow it was.
class TUpDown : public QWidget {
    Q_OBJECT
public:
    explicit TUpDown(QWidget* parent = nullptr);

    void Associate(TNumEdit* edit) { edit_ = edit; }
    void SetRange(int minimum, int maximum) {
        minimum_ = minimum;
        maximum_ = maximum;
    }
    void Step(bool up);

    QToolButton* Up;
    QToolButton* Down;

signals:
    // After the box got its new number.
    void Click(bool up);

private:
    TNumEdit* edit_ = nullptr;
    int minimum_ = 1;
    int maximum_ = 100;
};

} // namespace orvelt
