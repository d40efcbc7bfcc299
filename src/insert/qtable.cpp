#include "insert/qtable.h"

#include "insert/table/TableDesign.h"
#include "widgets/Numedit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <cmath>

namespace orvelt {

TqueryTable::TqueryTable(QWidget* parent)
    : QDialog(parent), Label1(new QLabel("Columns", this)), Label2(new QLabel("Rows", this)),
      EditCols(new TNumEdit(this)), EditRows(new TNumEdit(this)), UpDown1(new TUpDown(this)),
      UpDown2(new TUpDown(this)), Button1(new QPushButton("OK", this)),
      Button2(new QPushButton("Cancel", this)) {
    setObjectName("queryTable");
    setWindowTitle("Make table");
    auto* grid = new QGridLayout(this);
    const struct {
        QLabel* label;
        TNumEdit* edit;
        TUpDown* upDown;
        QPushButton* button;
        const char* name;
    } rows[] = {{Label1, EditCols, UpDown1, Button1, "EditCols"},
                {Label2, EditRows, UpDown2, Button2, "EditRows"}};
    int row = 0;
    for (const auto& r : rows) {
        r.edit->setObjectName(r.name);
        // Each box holds a size the designer can show: at most its 100 columns or rows.
        r.edit->SetMaximum(TableDesign::kMaxSize);
        r.edit->setFixedWidth(48);
        r.upDown->Associate(r.edit);
        r.upDown->SetRange(1, TableDesign::kMaxSize);
        auto* box = new QHBoxLayout;
        box->setSpacing(0);
        box->addWidget(r.edit);
        box->addWidget(r.upDown);
        grid->addWidget(r.label, row, 0);
        grid->addLayout(box, row, 1);
        grid->addWidget(r.button, row, 2);
        ++row;
    }
    Label1->setBuddy(EditCols);
    Label2->setBuddy(EditRows);
    UpDown1->setObjectName("UpDown1");
    UpDown2->setObjectName("UpDown2");
    Button1->setObjectName("Button1");
    Button2->setObjectName("Button2");
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    const QSize button = Button1->sizeHint();
    resize(static_cast<int>(std::lround(3.794 * button.width())), 4 * button.height());
}

void TqueryTable::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TqueryTable::FormShow() {
    EditCols->setText("2");
    EditRows->setText("2");
    EditCols->setFocus();
    EditCols->selectAll();
}

} // namespace orvelt
