#include "app/CommandTable.h"

#include "app/Main.h"
#include "widgets/ToolIcons.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace orvelt {

namespace {

using W = EnabledWhen;
using F = TMainForm;

// Submenus are rows without a handler that other rows hang under (see kMenus).
const CommandRow kCommands[] = {
    {"FileNewMenu", "&New", "Create new document", nullptr, nullptr, nullptr, nullptr, W::Always},
    {"FileNewTemplateItem", "&From Template...", "Create new document from file...", nullptr,
     &F::FileNewTemplateClick, nullptr, nullptr, W::Always},
    {"FileNewBibItem", "&BIB file", "Create new BIB file", nullptr, nullptr, nullptr, nullptr,
     W::Never},
    {"FileNewItem", "&Nothing special", "Create some other file (*.TEX, etc.)", "Ctrl+N",
     &F::FileNewItemClick, "BtnNew", "New", W::Always},
    {"FileOpenItem", "&Open...", "Open existing document", "Ctrl+O", &F::FileOpenItemClick,
     "OpenBtn", "Open", W::Always},
    {"FileSaveItem", "&Save", "Save current file", "Ctrl+S", &F::FileSaveItemClick, "SaveBtn",
     "Save", W::ModifiedDocument},
    {"FileSaveAllItem", "Save a&ll", "Saves all modified files", nullptr, &F::FileSaveAllClick,
     "BtnSaveAll", "Save all open files", W::AnyWindow},
    {"FileSaveAsMenu", "Save &as", "Save current file as...", nullptr, nullptr, nullptr, nullptr,
     W::SourceWindow},
    {"FileSaveAsShortcutItem", "&Shortcut",
     "Save file in the default Shortcut-directory and define a key for it.", nullptr,
     &F::FileSaveAsShortcutClick, nullptr, nullptr, W::Always},
    {"FileSaveAsTemplateItem", "&Template", "Save the file in the default Template-directory.",
     nullptr, &F::FileSaveAsTemplateClick, nullptr, nullptr, W::Always},
    {"FileSaveAsItem", "&Nothing special", "Just do an ordinary Save as...", "Ctrl+Shift+S",
     &F::FileSaveAsItemClick, nullptr, nullptr, W::Always},
    {"FileImportBibItem", "&Import BIB file...", "Import a BIB file into the current one", nullptr,
     nullptr, nullptr, nullptr, W::Never},
    {"FileExitItem", "E&xit", "Exit Orvelt 95", "Ctrl+Q", &F::FileExitItemClick, nullptr, nullptr,
     W::Always},
    {"EditUndoItem", "&Undo", "", nullptr, &F::EditUndoClick, nullptr, nullptr, W::SourceWindow},
    {"EditRedoItem", "&Redo", "Redo what was undone", "Ctrl+Shift+Z|Ctrl+Y", &F::EditRedoClick,
     nullptr, nullptr, W::SourceWindow},
    {"EditCutItem", "&Cut", "Cut to clipboard", "Ctrl+X", &F::EditCutClick, "CutBtn", "Cut",
     W::SourceWindow},
    {"EditCopyItem", "Co&py", "Copy to clipboard", "Ctrl+C", &F::EditCopyClick, "CopyBtn", "Copy",
     W::SourceWindow},
    {"EditPasteItem", "&Paste", "Paste from clipboard", "Ctrl+V", &F::EditPasteClick, "PasteBtn",
     "Paste", W::SourceWindow},
    {"ViewOptionsItem", "&Options...", "Change the options of the editor.", nullptr,
     &F::ViewOptionsClick, nullptr, nullptr, W::Always},
    {"WindowTileItem", "&Tile", "", nullptr, &F::WindowTileItemClick, nullptr, nullptr,
     W::AnyWindow},
    {"WindowCascadeItem", "&Cascade", "", nullptr, &F::WindowCascadeItemClick, nullptr, nullptr,
     W::AnyWindow},
    {"WindowArrangeItem", "&Arrange Icons", "", nullptr, &F::WindowArrangeItemClick, nullptr,
     nullptr, W::AnyWindow},
    {"HelpAboutItem", "&About", "Who made this fantastic editor?", nullptr, &F::HelpAboutItemClick,
     nullptr, nullptr, W::Always},
    // Tool buttons whose windows are still to come.
    {nullptr, nullptr, nullptr, nullptr, nullptr, "BtnFind", "Find", W::Never},
    {nullptr, nullptr, nullptr, nullptr, nullptr, "BtnLog", "View Log-File", W::Never},
    {nullptr, nullptr, nullptr, nullptr, nullptr, "BtnError", "Errors & Warnings", W::Never},
    {nullptr, nullptr, nullptr, nullptr, nullptr, "BtnInputs", "Show input files.", W::Never},
    {nullptr, nullptr, nullptr, nullptr, nullptr, "BtnSpell", "Spellcheck", W::Never},
    {nullptr, nullptr, nullptr, nullptr, nullptr, "BtnFonts", "Fonts", W::Never},
    {nullptr, nullptr, nullptr, nullptr, nullptr, "BtnTeXCmd", "TeX-commands", W::Never},
    {nullptr, nullptr, nullptr, nullptr, nullptr, "BtnGreek", "Greek letters", W::Never},
    {nullptr, nullptr, nullptr, nullptr, nullptr, "BtnBinOps", "Binary operators", W::Never},
    {nullptr, nullptr, nullptr, nullptr, nullptr, "BtnRelOps", "Relations", W::Never},
    {nullptr, nullptr, nullptr, nullptr, nullptr, "BtnArrows", "Arrows", W::Never},
    {nullptr, nullptr, nullptr, nullptr, nullptr, "BtnMisc", "Misc", W::Never},
    {nullptr, nullptr, nullptr, nullptr, nullptr, "BtnTable", "Create table", W::Never},
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
     {"EditUndoItem", "EditRedoItem", "-", "EditCutItem", "EditCopyItem", "EditPasteItem"}},
    {"&View", {"ViewOptionsItem"}},
    {"&TeX", {}}, // the program list's entries
    {"&Window", {"WindowTileItem", "WindowCascadeItem", "WindowArrangeItem", "-"}},
    {"&Help", {"HelpAboutItem"}},
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
    for (const CommandRow& row : kCommands) {
        if (!row.objectName || !row.handler)
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
        QObject::connect(action, &QAction::triggered, &form_, row.handler);
        actions_.insert(action->objectName(), action);
    }
    for (const CommandRow& row : kCommands) {
        if (row.objectName && !row.handler && row.when == EnabledWhen::Never) {
            auto* action = new QAction(QString::fromUtf8(row.caption), &form_);
            action->setObjectName(QString::fromLatin1(row.objectName));
            action->setStatusTip(QString::fromUtf8(row.hint));
            actions_.insert(action->objectName(), action);
        }
    }
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
            unbuiltButtons_.emplace_back(button, row->when);
            button->setEnabled(false);
        }
        toolBar_->addWidget(button);
    }
}

void CommandTable::Apply(const CommandSituation& situation) {
    for (const CommandRow& row : kCommands) {
        if (QAction* action = row.objectName ? Action(row.objectName) : nullptr)
            action->setEnabled(IsEnabled(row.when, situation));
    }
    for (auto [button, when] : unbuiltButtons_)
        button->setEnabled(IsEnabled(when, situation));
}

} // namespace orvelt
