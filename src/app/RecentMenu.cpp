#include "app/RecentMenu.h"

#include <QAction>
#include <QMenu>

namespace orvelt {

RecentMenu::RecentMenu(QMenu* fileMenu, const std::array<std::string, RecentFiles::kSize>& stored)
    : QObject(fileMenu) {
    recent_.Load(stored);
    fileMenu->addSeparator();
    for (std::size_t k = 0; k < RecentFiles::kSize; ++k) {
        QAction* item = fileMenu->addAction(QString());
        item->setObjectName(QStringLiteral("N%1").arg(k + 1) + u'1');
        connect(item, &QAction::triggered, this, [this, k] {
            auto path = recent_.Choose(k);
            if (!path)
                return;
            Fill();
            emit Chosen(QString::fromStdString(*path));
        });
        items_[k] = item;
    }
    Fill();
}

void RecentMenu::Register(const QString& name) {
    recent_.Register(name.toStdString());
    Fill();
}

void RecentMenu::Fill() {
    for (std::size_t k = 0; k < RecentFiles::kSize; ++k) {
        items_[k]->setText(QString::fromStdString(recent_.Caption(k)));
        items_[k]->setStatusTip(QString::fromStdString(recent_.Paths()[k]));
    }
}

} // namespace orvelt
