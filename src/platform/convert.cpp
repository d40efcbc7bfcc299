#include "platform/convert.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvelt {

TNoField::TNoField(QWidget* parent) : QDialog(parent) {
    setObjectName("NoField");
    setModal(true);
    LabelName = new QLabel(this);
    LabelText = new QLabel(this);
    LabelText->setWordWrap(true);
    ListBox = new QListWidget(this);
    ListBox->setObjectName("ListBox");
    ButtonOK = new QPushButton("OK", this);
    ButtonOK->setDefault(true);
    ButtonIgnore = new QPushButton("Ignore", this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonOK);
    buttons->addWidget(ButtonIgnore);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelName);
    layout->addWidget(LabelText);
    layout->addWidget(ListBox);
    layout->addLayout(buttons);
    setFixedSize(260, 300);

    connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonIgnore, &QPushButton::clicked, this, &QDialog::reject);
    connect(ListBox, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    // OK only with a field selected: the current row alone (the list takes one with the focus)
    // is not a choice.
    connect(ListBox, &QListWidget::itemSelectionChanged, this,
            [this] { ButtonOK->setEnabled(!ListBox->selectedItems().isEmpty()); });
}

std::optional<int> TNoField::Ask(const QString& title, const QString& prompt,
                                 const QStringList& items, int current) {
    setWindowTitle(title);
    // The first line names the field; the rest says what to do about it.
    const qsizetype lineEnd = prompt.indexOf('\n');
    LabelName->setText(prompt.left(lineEnd));
    LabelText->setText(lineEnd < 0 ? QString() : prompt.mid(lineEnd + 1));
    ListBox->clear();
    ListBox->addItems(items);
    if (current >= 0 && current < items.size())
        ListBox->setCurrentRow(current);
    ButtonOK->setEnabled(!ListBox->selectedItems().isEmpty());
    ListBox->setFocus();
    if (exec() != QDialog::Accepted || ListBox->selectedItems().isEmpty())
        return std::nullopt;
    return ListBox->row(ListBox->selectedItems().constFirst());
}

} // namespace orvelt
