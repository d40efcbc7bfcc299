#include "bib/BibCellEdit.h"

#include <QKeyEvent>
#include <QValidator>
#include <limits>

namespace orvelt {
namespace {

bool Holds(TextEncoding encoding, const QString& text) {
    for (const char32_t c : text.toUcs4())
        if (!CanEncode(c, encoding))
            return false;
    return true;
}

// Replaces what the code page cannot hold, for text that arrives other than by typing.
class CodePageValidator : public QValidator {
public:
    CodePageValidator(TextEncoding encoding, QObject* parent)
        : QValidator(parent), encoding_(encoding) {}

    State validate(QString& input, int&) const override {
        if (Holds(encoding_, input))
            return Acceptable;
        QString held;
        for (const char32_t c : input.toUcs4())
            held += CanEncode(c, encoding_) ? QString::fromUcs4(&c, 1) : QStringLiteral("?");
        input = held;
        return Acceptable;
    }

private:
    TextEncoding encoding_;
};

} // namespace

BibCellEdit::BibCellEdit(TextEncoding encoding, QWidget* parent)
    : QLineEdit(parent), encoding_(encoding) {
    setFrame(false);
    // An abstract may be long; the default limit would cut it.
    setMaxLength(std::numeric_limits<int>::max());
    if (encoding == TextEncoding::Windows1252)
        setValidator(new CodePageValidator(encoding, this));
}

void BibCellEdit::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
        emit MoveRows(-1);
        return;
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit MoveRows(1);
        return;
    default:
        break;
    }
    if (!event->text().isEmpty() && event->text().at(0).isPrint() &&
        !Holds(encoding_, event->text()))
        return; // not typed: the file could not hold it
    QLineEdit::keyPressEvent(event);
}

} // namespace orvelt
