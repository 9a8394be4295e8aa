#include "LgpScaleDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "LgpUiSupport.h"

namespace dotplate::ui {

namespace {

struct ScaleEdit {
    int id;
    int labelId;
    const char* key;
    double LgpFrameSettings::*field;
    bool power;
};

const ScaleEdit kScaleEdits[] = {
    {1074, 1078, "1", &LgpFrameSettings::speed, false},
    {1075, 1079, "2", &LgpFrameSettings::minPower, true},
    {1076, 1080, "3", &LgpFrameSettings::maxPower, true},
    {1077, 1081, "4", &LgpFrameSettings::blank, false},
};

}  // namespace

CLgpScaleDlg::CLgpScaleDlg(QWidget* parent, const LgpFrameSettings& settings, bool cut)
    : QDialog(parent), settings_(settings) {
    auto* grid = new QGridLayout(this);
    int row = 0;
    for (const ScaleEdit& spec : kScaleEdits) {
        QLabel* label = MakeLabel(this, spec.labelId, Text("ScaleSetting", spec.key));
        QLineEdit* edit = MakeEdit(this, spec.id);
        ShowValue(*edit, settings_.*spec.field, "%.3lf");
        label->setEnabled(cut || !spec.power);
        edit->setEnabled(cut || !spec.power);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row++, 1);
    }
    QPushButton* ok = MakeButton(this, 1, Text("ItemCommon", "1"));
    QPushButton* cancel = MakeButton(this, 2, Text("ItemCommon", "2"));
    ok->setDefault(true);
    grid->addWidget(ok, row, 0);
    grid->addWidget(cancel, row, 1);
    connect(ok, &QPushButton::clicked, this, &CLgpScaleDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CLgpScaleDlg::reject);
}

void CLgpScaleDlg::accept() {
    for (const ScaleEdit& spec : kScaleEdits) {
        settings_.*spec.field = ReadDouble(*Find<QLineEdit>(*this, spec.id));
    }
    QDialog::accept();
}

}  // namespace dotplate::ui
