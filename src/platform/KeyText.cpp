#include "platform/KeyText.h"

#include "settings/SettingValues.h"

namespace orvelt {

std::optional<std::string> KeyTextOf(const QKeySequence& sequence) {
    if (sequence.count() != 1)
        return std::nullopt;
    const QKeyCombination combination = sequence[0];
    const Qt::KeyboardModifiers held = combination.keyboardModifiers();
    if (held & Qt::MetaModifier)
        return std::nullopt;
    KeyChord chord;
    if (held & Qt::ShiftModifier)
        chord.modifiers |= kShift;
    if (held & Qt::ControlModifier)
        chord.modifiers |= kCtrl;
    if (held & Qt::AltModifier)
        chord.modifiers |= kAlt;
    chord.name = QKeySequence(combination.key()).toString(QKeySequence::PortableText).toStdString();
    // Only names the settings can read back are keys of theirs.
    if (!ReadKeyValue(WriteKeyValue(chord)))
        return std::nullopt;
    return WriteKeyValue(chord);
}

QKeySequence SequenceOfKeyText(const std::string& text) {
    return QKeySequence::fromString(QString::fromStdString(text), QKeySequence::PortableText);
}

} // namespace orvelt
