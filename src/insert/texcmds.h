#pragma once

#include "insert/PaletteWindow.h"

#include <string>
#include <vector>

class QLineEdit;
class QListView;
class QPushButton;
class QStringListModel;

namespace orvelt {

// TtexCmd: the list of TeX commands (the keyword list, sorted), with a box that searches it as
// one types, and an Insert button.
class TtexCmd : public TPaletteWindow {
    Q_OBJECT
public:
    TtexCmd(const std::vector<std::string>& keywords, QWidget* parent);

    // Inserts the selected command, then closes unless stuck; nothing without a selection.
    void Button1Click();
    void ListBox1DblClick() { Button1Click(); }

    QLineEdit* Edit1;
    QListView* ListBox1;
    QPushButton* Button1;

protected:
    [[nodiscard]] int FullHeight() const override;
    void FormShow() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SearchTextChanged(const QString& text);
    void Select(std::size_t entry);

    QStringListModel* model_;
    std::vector<std::string> entries_;
    std::string searched_;  // the box's text the last search saw
    std::size_t match_ = 0; // the remembered match
};

} // namespace orvelt
