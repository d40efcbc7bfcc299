#pragma once

#include "options/values/OptionValues.h"

#include <QWidget>
#include <vector>

class QPushButton;

namespace orvelt {

class TexMenu;

// The button bar under the tool bar: a button for each program-list entry that shows one, in
// rows; a button runs the TeX menu item of its tag and is enabled with it.
class ButtonBar : public QWidget {
    Q_OBJECT
public:
    ButtonBar(const TexMenu& menu, const std::vector<ProgramEntry>& programs, QWidget* parent);

    // BuildButtonBar: shown or hidden as the option says; when shown, the buttons anew.
    void Build(bool shown);
    [[nodiscard]] const std::vector<QPushButton*>& Buttons() const { return buttons_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    const TexMenu& menu_;
    const std::vector<ProgramEntry>& programs_;
    std::vector<QPushButton*> buttons_;
    int builtForWidth_ = -1;
};

} // namespace orvelt
