#pragma once

#include <QWidget>
#include <cstddef>
#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace orvelt {

class OptionHolder;
class Prompter;

// The options dialog's "TeX-programs" page: the program list and one entry's fields.
class ProgramsPage : public QWidget {
    Q_OBJECT
public:
    ProgramsPage(OptionHolder& options, Prompter& prompter, QWidget* parent);

    // Showing the dialog selects the first entry.
    void Activate();
    // Stores a field that is being edited: the dialog may close before it is left.
    void StoreEdits();

    QListWidget* ListPrg;
    QLineEdit* EditName;
    QLineEdit* EditCommline;
    QComboBox* EditSCut;
    QCheckBox* EditForce;
    QCheckBox* EditButton;
    QPushButton* BtnAddPrg;

signals:
    // An entry was deleted: the TeX menu follows at once.
    void ListChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BtnAddPrgClick();
    void DeleteSelected();
    void StoreName();
    void StoreCommand();
    void StoreKey();
    // Fills the list and shows the entry at `select` (none: no entry).
    void Refill(std::optional<std::size_t> select);
    void ShowEntry(std::optional<std::size_t> at);

    OptionHolder& options_;
    Prompter& prompter_;
    // The entry whose fields are shown: the one their edits go to, whatever the list's selection
    // does meanwhile.
    std::optional<std::size_t> shown_;
    bool filling_ = false;
};

} // namespace orvelt
