#include "app/CommandTable.h"

#include "app/Main.h"
#include "widgets/ToolIcons.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <set>

namespace orvelt {

namespace {

using F = TMainForm;

// Submenus are rows without a handler that other rows hang under (see kMenus); a command whose
// window is still to come has no handler yet and stays disabled. When each may run is the
// logic's RuleOf, by object name.
const CommandRow kCommands[] = {
    {"FileNewMenu", "&New", "Create new document", nullptr, nullptr, nullptr, nullptr},
    {"FileNewTemplateItem", "&From Template...", "Create new document from file...", nullptr,
     &F::FileNewTemplateClick, nullptr, nullptr},
    {"FileNewBibItem", "&BIB file", "Create new BIB file", nullptr, &F::FileNewBibItemClick,
     nullptr, nullptr},
    {"FileNewItem", "&Nothing special", "Create some other file (*.TEX, etc.)", "Ctrl+N",
     &F::FileNewItemClick, "BtnNew", "New"},
    {"FileOpenItem", "&Open...", "Open existing document", "Ctrl+O", &F::FileOpenItemClick,
     "OpenBtn", "Open"},
    {"FileSaveItem", "&Save", "Save current file", "Ctrl+S", &F::FileSaveItemClick, "SaveBtn",
     "Save"},
    {"FileSaveAllItem", "Save a&ll", "Saves all modified files", nullptr, &F::FileSaveAllClick,
     "BtnSaveAll", "Save all open files"},
    {"FileSaveAsMenu", "Save &as", "Save current file as...", nullptr, nullptr, nullptr, nullptr},
    {"FileSaveAsShortcutItem", "&Shortcut",
     "Save file in the default Shortcut-directory and define a key for it.", nullptr,
     &F::FileSaveAsShortcutClick, nullptr, nullptr},
    {"FileSaveAsTemplateItem", "&Template", "Save the file in the default Template-directory.",
     nullptr, &F::FileSaveAsTemplateClick, nullptr, nullptr},
    {"FileSaveAsItem", "&Nothing special", "Just do an ordinary Save as...", "Ctrl+Shift+S",
     &F::FileSaveAsItemClick, nullptr, nullptr},
    {"FileImportBibItem", "&Import BIB file...", "Import a BIB file into the current one", nullptr,
     &F::FileImportBibItemClick, nullptr, nullptr},
    {"FileExitItem", "E&xit", "Exit Orvelt 95", "Ctrl+Q", &F::FileExitItemClick, nullptr, nullptr},
    {"EditUndoItem", "&Undo", "", nullptr, &F::EditUndoClick, nullptr, nullptr},
    {"EditRedoItem", "&Redo", "Redo what was undone", "Ctrl+Shift+Z|Ctrl+Y", &F::EditRedoClick,
     nullptr, nullptr},
    {"EditCutItem", "&Cut", "Cut to clipboard", "Ctrl+X", &F::EditCutClick, "CutBtn", "Cut"},
    {"EditCopyItem", "Co&py", "Copy to clipboard", "Ctrl+C", &F::EditCopyClick, "CopyBtn", "Copy"},
    {"EditPasteItem", "&Paste", "Paste from clipboard", "Ctrl+V", &F::EditPasteClick, "PasteBtn",
     "Paste"},
    {"EditFindItem", "&Find...", "Find and replace text", "Ctrl+F", &F::Find1Click, "BtnFind",
     "Find"},
    {"EditFindAgainItem", "Find &again", "Find the text again", "F3", &F::Findagain1Click, nullptr,
     nullptr},
    {"EditReformatItem", "Reformat &Block", "Removes all hard linebreaks from current selection.",
     nullptr, &F::ReformatBlockClick, nullptr, nullptr},
    {"EditSpellItem", "Spellcheck", "Check the spelling from the caret on", nullptr,
     &F::Spellcheck1Click, "BtnSpell", "Spellcheck"},
    {"ViewLogFileItem", "Log &File", "Show Log-file of current document", "F11", &F::LogDatei1Click,
     "BtnLog", "View Log-File"},
    {"ViewErrorsItem", "&Errors && Warnings", "Show the errors and warnings of the last run", "F12",
     &F::ErrorsWarnings1Click, "BtnError", "Errors & Warnings"},
    {"ViewRefreshItem", "Refresh &layout", "Apply changes of editor-layout on current window.",
     nullptr, &F::ViewRefreshClick, nullptr, nullptr},
    {"ViewOptionsItem", "&Options...", "Change the options of the editor.", nullptr,
     &F::ViewOptionsClick, nullptr, nullptr},
    {"ProjectNewItem", "&New", "Start a new project", nullptr, &F::New1Click, nullptr, nullptr},
    {"ProjectOpenItem", "&Open", "Open a project", nullptr, &F::Open1Click, nullptr, nullptr},
    {"ProjectSaveItem", "&Save", "Save the project", nullptr, &F::Save1Click, nullptr, nullptr},
    {"ProjectSaveAsItem", "Save &as...", "Save a copy of the project under another name", nullptr,
     &F::Saveas1Click, nullptr, nullptr},
    {"ProjectCloseItem", "&Close", "Close the project", nullptr, &F::Close1Click, nullptr, nullptr},
    {"ProjectAddFileItem", "&Add file...", "Add a file to the project", nullptr, &F::Addfile2Click,
     nullptr, nullptr},
    {"ProjectRemoveFileItem", "&Remove file", "Remove the selected file from the project", nullptr,
     &F::Removefile2Click, nullptr, nullptr},
    {"ProjectMainFileItem", "&Main file", "Make the selected file the main file", nullptr,
     &F::Mainfile2Click, nullptr, nullptr},
    {"WindowTileItem", "&Tile", "", nullptr, &F::WindowTileItemClick, nullptr, nullptr},
    {"WindowCascadeItem", "&Cascade", "", nullptr, &F::WindowCascadeItemClick, nullptr, nullptr},
    {"WindowArrangeItem", "&Arrange Icons", "", nullptr, &F::WindowArrangeItemClick, nullptr,
     nullptr},
    {"HelpContentsItem", "&Contents", "Show the contents of the help", nullptr, nullptr, nullptr,
     nullptr},
    {"HelpLaTeXItem", "&LaTeX", "Show the LaTeX help", nullptr, nullptr, nullptr, nullptr},
    {"HelpAboutItem", "&About", "Who made this fantastic editor?", nullptr, &F::HelpAboutItemClick,
     nullptr, nullptr},
    // Tool buttons with no menu entry: each action has its button's name.
    {"BtnTable", "Create table", "Create table", nullptr, &F::BtnTableClick, "BtnTable",
     "Create table"},
    {"BtnFonts", "Fonts", "Fonts", nullptr, &F::BtnFontsClick, "BtnFonts", "Fonts"},
    {"BtnTeXCmd", "TeX-commands", "TeX-commands", nullptr, &F::BtnTeXCmdClick, "BtnTeXCmd",
     "TeX-commands"},
    {"BtnGreek", "Greek letters", "Greek letters", nullptr, &F::BtnGreekClick, "BtnGreek",
     "Greek letters"},
    {"BtnBinOps", "Binary operators", "Binary operators", nullptr, &F::BtnBinOpsClick, "BtnBinOps",
     "Binary operators"},
    {"BtnRelOps", "Relations", "Relations", nullptr, &F::BtnRelOpsClick, "BtnRelOps", "Relations"},
    {"BtnArrows", "Arrows", "Arrows", nullptr, &F::BtnArrowsClick, "BtnArrows", "Arrows"},
    {"BtnMisc", "Misc", "Misc", nullptr, &F::BtnMiscClick, "BtnMisc", "Misc"},
    {"BtnInputs", "Show input files.", "Show input files.", nullptr, &F::BtnInputsClick,
     "BtnInputs", "Show input files."},
};

// The menu bar: a menu's caption, then its entries by object name; ">" opens the submenu of
// that row, "<" closes it, "-" is a separator.
struct MenuLayout {
    const char* caption;
    std::vector<const char*> entries;
};
const MenuLayout kMenus[] = {
    {"&File",
     {">FileNewMenu", "FileNewTemplateItem", "FileNewBibItem", "FileNewItem", "<", "FileOpenItem",
      "FileSaveItem", "FileSaveAllItem", ">FileSaveAsMenu", "FileSaveAsShortcutItem",
      "FileSaveAsTemplateItem", "FileSaveAsItem", "<", "FileImportBibItem", "-", "FileExitItem"}},
    {"&Edit",
     {"EditUndoItem", "EditRedoItem", "-", "EditCutItem", "EditCopyItem", "EditPasteItem", "-",
      "EditFindItem", "EditFindAgainItem", "-", "EditReformatItem", "EditSpellItem"}},
    {"&View",
     {"ViewLogFileItem", "ViewErrorsItem", "-", "ViewRefreshItem", "-", "ViewOptionsItem"}},
    {"&Project",
     {"ProjectNewItem", "ProjectOpenItem", "ProjectSaveItem", "ProjectSaveAsItem",
      "ProjectCloseItem", "-", "ProjectAddFileItem", "ProjectRemoveFileItem", "-",
      "ProjectMainFileItem"}},
    {"&TeX", {}}, // the program list's entries
    {"&Window", {"WindowTileItem", "WindowCascadeItem", "WindowArrangeItem", "-"}},
    {"&Help", {"HelpContentsItem", "HelpLaTeXItem", "-", "HelpAboutItem"}},
};

// The tool bar's buttons in order; "|" is a gap.
const char* const kToolBar[] = {
    "BtnNew",   "OpenBtn",   "SaveBtn",   "BtnSaveAll", "|",        "CutBtn",
    "CopyBtn",  "PasteBtn",  "|",         "BtnFind",    "|",        "BtnLog",
    "BtnError", "BtnInputs", "BtnSpell",  "|",          "BtnFonts", "BtnTeXCmd",
    "BtnGreek", "BtnBinOps", "BtnRelOps", "BtnArrows",  "BtnMisc",  "BtnTable",
};

const CommandRow* RowOfButton(std::string_view button) {
    for (const CommandRow& row : kCommands)
        if (row.toolButton && button == row.toolButton)
            return &row;
    return nullptr;
}

} // namespace

CommandTable::CommandTable(TMainForm& form) : form_(form) {
    std::set<std::string_view> submenus;
    for (const MenuLayout& layout : kMenus)
        for (std::string_view entry : layout.entries)
            if (entry.front() == '>')
                submenus.insert(entry.substr(1));
    for (const CommandRow& row : kCommands) {
        if (!row.objectName || submenus.contains(row.objectName))
            continue; // submenus get their menu's own action
        auto* action = new QAction(QString::fromUtf8(row.caption), &form_);
        action->setObjectName(QString::fromLatin1(row.objectName));
        action->setStatusTip(QString::fromUtf8(row.hint));
        if (row.key) {
            // "|" parts a command's alternative keys; the first is the one the menu shows.
            QList<QKeySequence> keys;
            for (const QString& key : QString::fromLatin1(row.key).split('|'))
                keys.append(QKeySequence::fromString(key));
            action->setShortcuts(keys);
        }
        if (row.handler) {
            QObject::connect(action, &QAction::triggered, &form_, row.handler);
            connected_.insert(action->objectName());
        }
        actions_.insert(action->objectName(), action);
    }
    for (std::string_view submenu : submenus)
        connected_.insert(QString::fromLatin1(submenu));
    BuildMenus(form_.menuBar());
    BuildToolBar();
}

QAction* CommandTable::Action(const QString& objectName) const {
    return actions_.value(objectName);
}

QMenu* CommandTable::Menu(const QString& caption) const {
    return menus_.value(caption);
}

void CommandTable::BuildMenus(QMenuBar* bar) {
    for (const MenuLayout& layout : kMenus) {
        QMenu* menu = bar->addMenu(QString::fromUtf8(layout.caption));
        menus_.insert(menu->title(), menu);
        std::vector<QMenu*> open{menu};
        for (std::string_view entry : layout.entries) {
            if (entry == "-") {
                open.back()->addSeparator();
            } else if (entry == "<") {
                open.pop_back();
            } else if (entry.front() == '>') {
                const QString name = QString::fromLatin1(entry.substr(1));
                const CommandRow* row = nullptr;
                for (const CommandRow& r : kCommands)
                    if (r.objectName && name == QLatin1String(r.objectName))
                        row = &r;
                QMenu* sub = open.back()->addMenu(QString::fromUtf8(row->caption));
                sub->menuAction()->setObjectName(name);
                sub->menuAction()->setStatusTip(QString::fromUtf8(row->hint));
                actions_.insert(name, sub->menuAction());
                open.push_back(sub);
            } else {
                open.back()->addAction(Action(QString::fromLatin1(entry)));
            }
        }
    }
}

void CommandTable::BuildToolBar() {
    toolBar_ = form_.addToolBar("SpeedPanel");
    toolBar_->setObjectName("SpeedPanel");
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(20, 20));
    toolBar_->setFixedHeight(31);
    for (std::string_view name : kToolBar) {
        if (name == "|") {
            toolBar_->addSeparator();
            continue;
        }
        const CommandRow* row = RowOfButton(name);
        auto* button = new QToolButton(toolBar_);
        button->setObjectName(QString::fromLatin1(name));
        button->setFixedSize(25, 25);
        button->setIconSize(QSize(20, 20));
        button->setAutoRaise(true);
        button->setIcon(ToolIcon(row->toolButton));
        button->setToolTip(QString::fromUtf8(row->toolHint));
        button->setStatusTip(QString::fromUtf8(row->toolHint));
        if (QAction* action = row->objectName ? Action(row->objectName) : nullptr) {
            QObject::connect(button, &QToolButton::clicked, action, &QAction::trigger);
            QObject::connect(action, &QAction::enabledChanged, button, &QToolButton::setEnabled);
            button->setEnabled(action->isEnabled());
        } else {
            button->setEnabled(false); // its window is still to come
        }
        toolBar_->addWidget(button);
    }
}

void CommandTable::Apply(const CommandSituation& situation) {
    for (auto it = actions_.begin(); it != actions_.end(); ++it) {
        const std::optional<EnabledWhen> rule = RuleOf(it.key().toStdString());
        it.value()->setEnabled(connected_.contains(it.key()) && rule &&
                               IsEnabled(*rule, situation));
    }
}

} // namespace orvelt
