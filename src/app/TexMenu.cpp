#include "app/TexMenu.h"

#include "platform/KeyText.h"

#include <QAction>
#include <QMenu>

namespace orvelt {

TexMenu::TexMenu(QMenu* menu) : QObject(menu), menu_(menu) {
    menu_->menuAction()->setObjectName("TeXMenu");
    menu_->setEnabled(false);
}

void TexMenu::Build(const std::vector<ProgramEntry>& programs) {
    for (QAction* item : items_) {
        menu_->removeAction(item);
        item->deleteLater();
    }
    items_.clear();
    programs_ = programs;
    for (std::size_t i = 0; i < programs.size(); ++i) {
        const ProgramEntry& entry = programs[i];
        const int tag = static_cast<int>(i) + 1;
        // A name is shown as written: "&" would make the next letter a mnemonic.
        auto* item = new QAction(QString::fromStdString(entry.name).replace('&', "&&"), menu_);
        item->setObjectName(QStringLiteral("TeXItem%1").arg(tag));
        item->setStatusTip(QString::fromStdString(entry.command));
        item->setShortcut(SequenceOfKeyText(WriteKeyValue(entry.key)));
        item->setData(tag);
        connect(item, &QAction::triggered, this, [this, tag] { emit Run(tag); });
        menu_->addAction(item);
        items_.append(item);
    }
    menu_->setEnabled(!items_.isEmpty());
}

QAction* TexMenu::Item(int tag) const {
    return tag >= 1 && tag <= items_.size() ? items_[tag - 1] : nullptr;
}

} // namespace orvelt
