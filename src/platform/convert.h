#pragma once

#include <QDialog>
#include <optional>

class QLabel;
class QListWidget;
class QPushButton;

namespace orvelt {

// TNoField: "which of these takes it?" for a value without a place, as a list of choices with
// OK (only while one is selected; a double click is OK) and Ignore (also Escape and the close
// box). The prompter's list question; made once and shown again for each question.
class TNoField : public QDialog {
    Q_OBJECT
public:
    explicit TNoField(QWidget* parent = nullptr);

    // The chosen row, or none for Ignore.
    std::optional<int> Ask(const QString& title, const QString& prompt, const QStringList& items,
                           int current);

    QLabel* LabelName;
    QLabel* LabelText;
    QListWidget* ListBox;
    QPushButton* ButtonOK;
    QPushButton* ButtonIgnore;
};

} // namespace orvelt
