#pragma once

#include "app/session/RecentFiles.h"

#include <QObject>
#include <array>

class QAction;
class QMenu;

namespace orvelt {

// The five recent files at the end of the File menu.
class RecentMenu : public QObject {
    Q_OBJECT
public:
    RecentMenu(QMenu* fileMenu, const std::array<std::string, RecentFiles::kSize>& stored);

    // Puts a file at the top of the list.
    void Register(const QString& name);
    [[nodiscard]] const RecentFiles& Files() const { return recent_; }

signals:
    // The user picked this file; it is at the top of the list now.
    void Chosen(const QString& name);

private:
    void Fill();

    RecentFiles recent_;
    std::array<QAction*, RecentFiles::kSize> items_{};
};

} // namespace orvelt
