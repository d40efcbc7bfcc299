#pragma once

#include "options/values/OptionValues.h"

#include <QWidget>
#include <vector>

class QPushButton;

namespace orvelt {

class TexMenu;

// The button bar under the tool bar: a button for each entry of the TeX menu's program list that
// shows one, in rows; a button runs the TeX menu item of its tag and is enabled with it.
class ButtonBar : public QWidget {
    Q_OBJECT
public:
    ButtonBar(const TexMenu& menu, QWidget* parent);

    // BuildButtonBar: shown or hidden as the option says; when shown, the buttons anew.
    void Build(bool shown);
    [[nodiscard]] const std::vector<QPushButton*>& Buttons() const { return buttons_; }

signals:
    // The buttons were made anew (the menus' states are applied to them again).
    void Rebuilt();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    const TexMenu& menu_;
    std::vector<QPushButton*> buttons_;
    int builtForWidth_ = -1;
};

} // namespace orvelt
