#include "widgets/About.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace orvelt {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutBox");
    setWindowTitle("About Orvelt 95");
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel("<h2>Orvelt 95</h2>Version 2.01", this);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    auto* line = new QLabel("An editor for LaTeX and BibTeX sources.", this);
    line->setAlignment(Qt::AlignCenter);
    layout->addWidget(line);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

} // namespace orvelt
