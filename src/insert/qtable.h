#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace orvelt {

class TNumEdit;
class TUpDown;

// TqueryTable: the table command's first question, how many columns and rows.
class TqueryTable : public QDialog {
    Q_OBJECT
public:
    explicit TqueryTable(QWidget* parent = nullptr);

    QLabel* Label1;
    QLabel* Label2;
    TNumEdit* EditCols;
    TNumEdit* EditRows;
    TUpDown* UpDown1;
    TUpDown* UpDown2;
    QPushButton* Button1; // OK
    QPushButton* Button2; // Cancel

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
};

} // namespace orvelt
