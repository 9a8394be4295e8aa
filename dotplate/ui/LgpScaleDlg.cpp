#include "LgpScaleDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "DialogControls.h"
#include "LgpWindowTexts.h"

namespace dotplate::ui {

namespace {

// The edits of the frame settings' table, each under its label.
struct ScaleRow {
    int editId;
    int labelId;
    const char* key;
};

constexpr ScaleRow kScaleRows[] = {
    {1074, 1078, "1"},
    {1075, 1079, "2"},
    {1076, 1080, "3"},
    {1077, 1081, "4"},
};

}  // namespace

CLgpScaleDlg::CLgpScaleDlg(QWidget* parent, const LgpFrameSettings& settings, bool cut)
    : RecordDialog(parent, LgpFrameForm(cut), settings, nullptr) {
    auto* grid = new QGridLayout(this);
    int row = 0;
    for (const ScaleRow& entry : kScaleRows) {
        grid->addWidget(dialogkit::MakeLabel(this, entry.labelId, Text("ScaleSetting", entry.key)), row, 0);
        grid->addWidget(dialogkit::MakeEdit(this, entry.editId), row++, 1);
    }
    grid->addWidget(dialogkit::MakeButton(this, dialogkit::kOkButton, Text("ItemCommon", "1")), row, 0);
    grid->addWidget(dialogkit::MakeButton(this, dialogkit::kCancelButton, Text("ItemCommon", "2")), row, 1);
    BindControls();
}

}  // namespace dotplate::ui
