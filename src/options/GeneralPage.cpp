#include "options/GeneralPage.h"

#include "options/OptionHints.h"
#include "options/OptionHolder.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>

namespace orvelt {

namespace {

QCheckBox* Check(QWidget* page, const char* name, const QString& caption, bool checked,
                 const QString& hint, int topic) {
    auto* box = new QCheckBox(caption, page);
    box->setObjectName(name);
    box->setChecked(checked);
    SetHint(box, hint, topic);
    return box;
}

QSpinBox* Spin(QWidget* page, const char* name, int low, int high, int value, int topic) {
    auto* spin = new QSpinBox(page);
    spin->setObjectName(name);
    spin->setRange(low, high);
    spin->setValue(value);
    SetHint(spin, {}, topic);
    return spin;
}

} // namespace

GeneralPage::GeneralPage(OptionHolder& options, QWidget* parent)
    : QWidget(parent), options_(options) {
    OptionValues& o = options_.Values();
    CheckASCII = Check(this, "CheckASCII", "Load and Save as ASCII-Chars.", o.ascii,
                       "Convert ASCII to ANSI when loading and vice versa.", 111);
    CheckConvert = Check(this, "CheckConvert", "Convert ' \u00E4 ', etc to ' \"a ', etc.",
                         o.convertKeys, "If you press ' \u00E4 ', Orvelt inserts ' \"a '.", 112);
    CheckBar = Check(this, "CheckBar", "Show Buttonbar.", o.buttonbar, {}, 113);
    CheckBIB = Check(this, "CheckBIB", "Use special BiBTeX viewer.", o.useBibEdit,
                     "If disabled, BiBTeX-files are opened as Text-files.", 114);
    CheckAutoSave = Check(this, "CheckAutoSave", "Auto save editor file all", o.autoSave, {}, 115);
    EditAutoSave = Spin(this, "EditAutoSave", 1, 60, o.autoSaveInterval, 115);
    CheckSpecials = Check(this, "CheckSpecials", "Insert 'src' specials all", o.specials,
                          "This enables DVIWIN to find the current editor line.", 116);
    EditSpecials = Spin(this, "EditSpecials", 1, 100, o.specialsInterval, 116);
    CheckFilter = Check(this, "CheckFilter", "Filter \\specials when importing.", o.filterSpecials,
                        "Filter src specials when loading TeX-file", 117);
    EditAutoSave->setEnabled(o.autoSave);
    EditSpecials->setEnabled(o.specials);

    auto* grid = new QGridLayout(this);
    grid->addWidget(CheckASCII, 0, 0, 1, 3);
    grid->addWidget(CheckConvert, 1, 0, 1, 3);
    grid->addWidget(CheckBar, 2, 0, 1, 3);
    grid->addWidget(CheckBIB, 3, 0, 1, 3);
    grid->addWidget(CheckAutoSave, 4, 0);
    grid->addWidget(EditAutoSave, 4, 1);
    grid->addWidget(new QLabel("minutes.", this), 4, 2);
    grid->addWidget(CheckSpecials, 5, 0);
    grid->addWidget(EditSpecials, 5, 1);
    grid->addWidget(new QLabel("line(s).", this), 5, 2);
    grid->addWidget(CheckFilter, 6, 0, 1, 3);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(7, 1);

    connect(CheckASCII, &QCheckBox::toggled, this,
            [this](bool on) { options_.Values().ascii = on; });
    connect(CheckConvert, &QCheckBox::toggled, this,
            [this](bool on) { options_.Values().convertKeys = on; });
    connect(CheckBar, &QCheckBox::toggled, this, [this](bool on) {
        options_.Values().buttonbar = on;
        emit ButtonbarChanged();
    });
    connect(CheckBIB, &QCheckBox::toggled, this,
            [this](bool on) { options_.Values().useBibEdit = on; });
    connect(CheckAutoSave, &QCheckBox::toggled, this, [this](bool on) {
        options_.Values().autoSave = on;
        EditAutoSave->setEnabled(on);
    });
    connect(EditAutoSave, &QSpinBox::valueChanged, this,
            [this](int minutes) { options_.Values().autoSaveInterval = minutes; });
    connect(CheckSpecials, &QCheckBox::toggled, this, [this](bool on) {
        options_.Values().specials = on;
        EditSpecials->setEnabled(on);
    });
    connect(EditSpecials, &QSpinBox::valueChanged, this,
            [this](int lines) { options_.Values().specialsInterval = lines; });
    connect(CheckFilter, &QCheckBox::toggled, this,
            [this](bool on) { options_.Values().filterSpecials = on; });
}

} // namespace orvelt
