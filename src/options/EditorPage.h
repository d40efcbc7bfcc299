#pragma once

#include "core/HighlightStyle.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace orvelt {

class OptionHolder;
class Prompter;

// The options dialog's "Editor" page: the highlighting categories and their sample, the brace
// jump, word wrap and line numbers.
class EditorPage : public QWidget {
    Q_OBJECT
public:
    EditorPage(OptionHolder& options, Prompter& prompter, QWidget* parent);

    // The dialog's activation: styles and brace options as stored, so changes that were not
    // confirmed with Close are dropped.
    void Activate();

    QListWidget* Categories;
    QPlainTextEdit* Sample;
    QCheckBox* CheckBrace;
    QLineEdit* EditDelay;
    QComboBox* WordWrapMode;
    QCheckBox* CheckLineNumbers;

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void ChangeCategory();
    void ChangeBackground();
    void ColourSample();

    OptionHolder& options_;
    Prompter& prompter_;
};

} // namespace orvelt
