#include "options/ProgramsPage.h"

#include "options/OptionHints.h"
#include "options/OptionHolder.h"
#include "options/values/ProgramList.h"
#include "platform/Prompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace orvelt {

ProgramsPage::ProgramsPage(OptionHolder& options, Prompter& prompter, QWidget* parent)
    : QWidget(parent), options_(options), prompter_(prompter) {
    ListPrg = new QListWidget(this);
    ListPrg->setObjectName("ListPrg");
    SetHint(ListPrg, "Press [DEL] to delete entry.", 141);
    ListPrg->installEventFilter(this);
    EditName = new QLineEdit(this);
    EditName->setObjectName("EditName");
    SetHint(EditName, "Caption in menu.", 143);
    EditCommline = new QLineEdit(this);
    EditCommline->setObjectName("EditCommline");
    SetHint(EditCommline, {}, 144);
    EditSCut = new QComboBox(this);
    EditSCut->setObjectName("EditSCut");
    EditSCut->addItem(QString());
    for (const std::string& key : ProgramKeyChoices())
        EditSCut->addItem(QString::fromStdString(key));
    SetHint(EditSCut, "Choose a shortcut.", 145);
    EditForce = new QCheckBox("Force execution on current file.", this);
    EditForce->setObjectName("EditForce");
    SetHint(EditForce, "Always execute this command on the current editor-file.", 146);
    EditButton = new QCheckBox("Show button", this);
    EditButton->setObjectName("EditButton");
    SetHint(EditButton, "Show button in buttonbar?", 147);
    BtnAddPrg = new QPushButton("Add", this);
    BtnAddPrg->setObjectName("BtnAddPrg");
    BtnAddPrg->setAutoDefault(false);
    SetHint(BtnAddPrg, "Add menuitem.", 142);

    auto* grid = new QGridLayout(this);
    grid->addWidget(ListPrg, 0, 0, 7, 1);
    grid->addWidget(new QLabel("Menu", this), 0, 1);
    grid->addWidget(EditName, 0, 2);
    grid->addWidget(new QLabel("Commandline", this), 1, 1);
    grid->addWidget(EditCommline, 1, 2);
    grid->addWidget(new QLabel("Shortcut", this), 2, 1);
    grid->addWidget(EditSCut, 2, 2);
    grid->addWidget(EditForce, 3, 1, 1, 2);
    grid->addWidget(EditButton, 4, 1, 1, 2);
    grid->addWidget(BtnAddPrg, 5, 1);
    grid->addWidget(
        new QLabel("%f - Filename without extension. %n - Current Linenumber in Editor.", this), 7,
        0, 1, 3);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(6, 1);

    connect(BtnAddPrg, &QPushButton::clicked, this, &ProgramsPage::BtnAddPrgClick);
    connect(ListPrg, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!filling_)
            ShowEntry(row < 0 ? std::nullopt : std::optional<std::size_t>(row));
    });
    connect(EditName, &QLineEdit::editingFinished, this, &ProgramsPage::StoreName);
    connect(EditCommline, &QLineEdit::editingFinished, this, &ProgramsPage::StoreCommand);
    connect(EditSCut, &QComboBox::activated, this, &ProgramsPage::StoreKey);
    connect(EditForce, &QCheckBox::clicked, this, [this](bool on) {
        if (shown_)
            options_.Values().programs[*shown_].forceCurrentFile = on;
    });
    connect(EditButton, &QCheckBox::clicked, this, [this](bool on) {
        if (shown_)
            options_.Values().programs[*shown_].showButton = on;
    });
    Activate();
}

void ProgramsPage::Activate() {
    Refill(options_.Values().programs.empty() ? std::nullopt : std::optional<std::size_t>(0));
}

void ProgramsPage::StoreEdits() {
    StoreName();
    StoreCommand();
}

bool ProgramsPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListPrg && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        DeleteSelected();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ProgramsPage::BtnAddPrgClick() {
    StoreEdits();
    const std::optional<std::size_t> added = AddProgram(options_.Values().programs);
    if (!added) {
        prompter_.Message(MessageKind::Error, MessageButtons::Ok,
                          QStringLiteral("The program list is full: it holds at most %1 programs.")
                              .arg(kMaxPrograms));
        return;
    }
    Refill(added);
}

void ProgramsPage::DeleteSelected() {
    if (!shown_)
        return; // an empty list: nothing to delete
    Refill(DeleteProgram(options_.Values().programs, *shown_));
    emit ListChanged();
}

void ProgramsPage::StoreName() {
    if (!shown_)
        return;
    std::vector<ProgramEntry>& programs = options_.Values().programs;
    const std::string name = EditName->text().toStdString();
    if (name == programs[*shown_].name) {
        EditName->setText(QString::fromStdString(name));
        return;
    }
    Refill(RenameProgram(programs, *shown_, name));
}

void ProgramsPage::StoreCommand() {
    if (shown_)
        options_.Values().programs[*shown_].command = EditCommline->text().toStdString();
}

void ProgramsPage::StoreKey() {
    if (shown_)
        options_.Values().programs[*shown_].key =
            ReadKeyValue(EditSCut->currentText().toStdString());
}

void ProgramsPage::Refill(std::optional<std::size_t> select) {
    filling_ = true;
    ListPrg->clear();
    for (const ProgramEntry& entry : options_.Values().programs)
        ListPrg->addItem(QString::fromStdString(entry.name));
    ListPrg->setCurrentRow(select ? static_cast<int>(*select) : -1);
    filling_ = false;
    ShowEntry(select);
}

void ProgramsPage::ShowEntry(std::optional<std::size_t> at) {
    shown_ = at;
    const bool any = at.has_value();
    for (QWidget* field : {static_cast<QWidget*>(EditName), static_cast<QWidget*>(EditCommline),
                           static_cast<QWidget*>(EditSCut), static_cast<QWidget*>(EditForce),
                           static_cast<QWidget*>(EditButton)})
        field->setEnabled(any);
    const ProgramEntry entry = any ? options_.Values().programs[*at] : ProgramEntry{};
    EditName->setText(QString::fromStdString(entry.name));
    EditCommline->setText(QString::fromStdString(entry.command));
    EditSCut->setCurrentIndex(
        std::max(0, EditSCut->findText(QString::fromStdString(WriteKeyValue(entry.key)))));
    EditForce->setChecked(any && entry.forceCurrentFile);
    EditButton->setChecked(any && entry.showButton);
}

} // namespace orvelt
