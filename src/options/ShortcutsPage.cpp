#include "options/ShortcutsPage.h"

#include "options/OptionHints.h"
#include "options/OptionHolder.h"
#include "options/values/SnippetTable.h"
#include "platform/DataFolders.h"
#include "platform/Prompter.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

namespace orvelt {

ShortcutsPage::ShortcutsPage(OptionHolder& options, Prompter& prompter, QString programDirectory,
                             QWidget* parent)
    : QWidget(parent), options_(options), prompter_(prompter),
      programDirectory_(std::move(programDirectory)) {
    StringGrid1 = new QTableWidget(1, 2, this);
    StringGrid1->setObjectName("StringGrid1");
    StringGrid1->setHorizontalHeaderLabels({"Shortcut", "TeX-command"});
    StringGrid1->setColumnWidth(0, 97);
    StringGrid1->setColumnWidth(1, 300);
    StringGrid1->horizontalHeader()->setStretchLastSection(true);
    StringGrid1->verticalHeader()->setDefaultSectionSize(18);
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->installEventFilter(this);
    SetHint(StringGrid1,
            "Press [DEL] to delete an entry. Doubleclick on an entry to edit the file.", 151);
    EditShCut = new QComboBox(this);
    EditShCut->setObjectName("EditShCut");
    EditShCut->addItem(QString());
    for (const std::string& key : SnippetKeyChoices())
        EditShCut->addItem(QString::fromStdString(key));
    SetHint(EditShCut, "Choose a shortcut", 152);
    EditCommand = new QLineEdit(this);
    EditCommand->setObjectName("EditCommand");
    SetHint(EditCommand, "Enter the name and location of the file to be inserted.", 153);
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName("SpeedButton1");
    SpeedButton1->setText("...");
    SetHint(SpeedButton1, "Browse");
    BtnAddScut = new QPushButton("Add", this);
    BtnAddScut->setObjectName("BtnAddScut");
    BtnAddScut->setAutoDefault(false);
    SetHint(BtnAddScut, {}, 154);

    auto* grid = new QGridLayout(this);
    grid->addWidget(StringGrid1, 0, 0, 1, 4);
    grid->addWidget(EditShCut, 1, 0);
    grid->addWidget(EditCommand, 1, 1);
    grid->addWidget(SpeedButton1, 1, 2);
    grid->addWidget(BtnAddScut, 1, 3);
    grid->setColumnStretch(1, 1);

    connect(BtnAddScut, &QPushButton::clicked, this, &ShortcutsPage::BtnAddScutClick);
    // Enter in the file field adds the row; the dialog has no default button to close it.
    connect(EditCommand, &QLineEdit::returnPressed, this, &ShortcutsPage::BtnAddScutClick);
    connect(SpeedButton1, &QToolButton::clicked, this, &ShortcutsPage::Browse);
    connect(StringGrid1, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        const auto& snippets = options_.Values().snippets;
        if (row >= 0 && static_cast<std::size_t>(row) < snippets.size() &&
            !snippets[row].file.empty())
            emit OpenRequested(QString::fromStdString(snippets[row].file));
    });
    FillGrid();
}

bool ShortcutsPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == StringGrid1 && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        DeleteRow();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ShortcutsPage::BtnAddScutClick() {
    const std::string key = EditShCut->currentText().toStdString();
    switch (AddSnippet(options_.Values().snippets, key, EditCommand->text().toStdString(),
                       options_.OccupiedKeys())) {
    case SnippetAdd::NothingToAdd:
        return;
    case SnippetAdd::Occupied:
        prompter_.Message(MessageKind::Error, MessageButtons::Ok,
                          QString::fromStdString(key) + " is already occupied!");
        return;
    case SnippetAdd::Added:
        FillGrid();
        EditShCut->setCurrentIndex(0);
        EditCommand->clear();
        return;
    }
}

void ShortcutsPage::DeleteRow() {
    auto& snippets = options_.Values().snippets;
    const int row = StringGrid1->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= snippets.size())
        return; // the empty row: nothing to delete
    const QString file = QString::fromStdString(snippets[row].file);
    if (!file.isEmpty() &&
        prompter_.Message(MessageKind::Confirmation, MessageButtons::YesNo,
                          "Delete the file '" + file + "', too?") == Answer::Yes) {
        for (const QString& doomed : {file, file + ".orv"}) {
            if (FileResult removed = RemoveFile(doomed); !removed.ok)
                prompter_.Message(MessageKind::Error, MessageButtons::Ok,
                                  "Error deleting " + doomed + ": " + removed.error);
        }
    }
    snippets.erase(snippets.begin() + row);
    FillGrid();
}

void ShortcutsPage::Browse() {
    FileDialogRequest request{"Choose shortcut",
                              programDirectory_ + "/Shortcut",
                              {},
                              {QStringLiteral("TeX-files (*.tex *.TEX)")},
                              0,
                              true,
                              {UserDataFolder("Shortcut"), programDirectory_ + "/Shortcut"}};
    if (auto file = prompter_.OpenFileName(request))
        EditCommand->setText(*file);
}

void ShortcutsPage::FillGrid() {
    const auto& snippets = options_.Values().snippets;
    // One row always, empty when the table is.
    StringGrid1->setRowCount(std::max<int>(1, static_cast<int>(snippets.size())));
    StringGrid1->clearContents();
    for (std::size_t i = 0; i < snippets.size(); ++i) {
        const int row = static_cast<int>(i);
        StringGrid1->setItem(row, 0,
                             new QTableWidgetItem(QString::fromStdString(
                                 WriteKeyValue(std::optional<KeyChord>(snippets[i].key)))));
        StringGrid1->setItem(row, 1,
                             new QTableWidgetItem(QString::fromStdString(snippets[i].file)));
    }
}

} // namespace orvelt
