#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace orvelt {

class OptionHolder;
class Prompter;

// The options dialog's "Dictionary" page: which word list the spell checker uses.
class DictionaryPage : public QWidget {
    Q_OBJECT
public:
    DictionaryPage(OptionHolder& options, Prompter& prompter, QString programDirectory,
                   QWidget* parent);

    QLineEdit* EditDict;
    QToolButton* BrowseDict;

signals:
    // Another list was chosen: whether one is set decides whether spelling can be checked.
    void Chosen();

private:
    void Browse();

    OptionHolder& options_;
    Prompter& prompter_;
    QString programDirectory_;
};

} // namespace orvelt
