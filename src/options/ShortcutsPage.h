#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QToolButton;

namespace orvelt {

class OptionHolder;
class Prompter;

// The options dialog's "Shortcuts" page: keys that insert a snippet file.
class ShortcutsPage : public QWidget {
    Q_OBJECT
public:
    ShortcutsPage(OptionHolder& options, Prompter& prompter, QString programDirectory,
                  QWidget* parent);

    QTableWidget* StringGrid1;
    QComboBox* EditShCut;
    QLineEdit* EditCommand;
    QToolButton* SpeedButton1;
    QPushButton* BtnAddScut;

signals:
    // A row was double-clicked: its file is to be opened (and the dialog closed).
    void OpenRequested(const QString& file);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BtnAddScutClick();
    void DeleteRow();
    void Browse();
    void FillGrid();

    OptionHolder& options_;
    Prompter& prompter_;
    QString programDirectory_;
};

} // namespace orvelt
