#include "LgpDotPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "DialogControls.h"
#include "DialogMessages.h"
#include "LgpPageEnabling.h"
#include "LgpPageRules.h"
#include "LgpWindowTexts.h"
#include "WindowMessage.h"

namespace dotplate::ui {

// One number edit of the page: its control, label and text key, the field it stores and the rule.
struct DotEdit {
    int id;
    int labelId;
    const char* labelKey;
    double& (*field)(LgpDotPara&);
    double (*rule)(double);
    int decimals;
};

namespace {

constexpr int kSizeDecimals = 4;
constexpr int kBaselineDecimals = 3;

// In this order: the ten size edits, the eight spacing edits, the two baseline edits.
constexpr int kSizeEdits = 10;
constexpr int kSpacingEdits = 8;
const DotEdit kDotEdits[] = {
    {1048, 1042, "2", [](LgpDotPara& p) -> double& { return p.dotWidth; }, DotSizeRule, kSizeDecimals},
    {1049, 1044, "10", [](LgpDotPara& p) -> double& { return p.widthGradients.upperRows; }, GradientRule,
     kSizeDecimals},
    {1065, 1045, "11", [](LgpDotPara& p) -> double& { return p.widthGradients.lowerRows; }, GradientRule,
     kSizeDecimals},
    {1021, 1068, "12", [](LgpDotPara& p) -> double& { return p.widthGradients.leftColumns; }, GradientRule,
     kSizeDecimals},
    {1019, 1070, "13", [](LgpDotPara& p) -> double& { return p.widthGradients.rightColumns; }, GradientRule,
     kSizeDecimals},
    {1050, 1043, "4", [](LgpDotPara& p) -> double& { return p.dotHeight; }, DotSizeRule, kSizeDecimals},
    {1066, 1071, "14", [](LgpDotPara& p) -> double& { return p.heightGradients.upperRows; }, GradientRule,
     kSizeDecimals},
    {1067, 1072, "15", [](LgpDotPara& p) -> double& { return p.heightGradients.lowerRows; }, GradientRule,
     kSizeDecimals},
    {1034, 1073, "16", [](LgpDotPara& p) -> double& { return p.heightGradients.leftColumns; }, GradientRule,
     kSizeDecimals},
    {1033, 1074, "17", [](LgpDotPara& p) -> double& { return p.heightGradients.rightColumns; }, GradientRule,
     kSizeDecimals},
    {1020, 1052, "C", [](LgpDotPara& p) -> double& { return p.upperRows.start; }, SpacingRule, kSizeDecimals},
    {1023, 1069, "D", [](LgpDotPara& p) -> double& { return p.upperRows.gradient; }, GradientRule,
     kSizeDecimals},
    {1022, 1053, "E", [](LgpDotPara& p) -> double& { return p.lowerRows.start; }, SpacingRule, kSizeDecimals},
    {1024, 1054, "F", [](LgpDotPara& p) -> double& { return p.lowerRows.gradient; }, GradientRule,
     kSizeDecimals},
    {1025, 1055, "G", [](LgpDotPara& p) -> double& { return p.leftColumns.start; }, SpacingRule,
     kSizeDecimals},
    {1027, 1056, "H", [](LgpDotPara& p) -> double& { return p.leftColumns.gradient; }, GradientRule,
     kSizeDecimals},
    {1026, 1057, "I", [](LgpDotPara& p) -> double& { return p.rightColumns.start; }, SpacingRule,
     kSizeDecimals},
    {1028, 1058, "J", [](LgpDotPara& p) -> double& { return p.rightColumns.gradient; }, GradientRule,
     kSizeDecimals},
    {1029, 0, nullptr, [](LgpDotPara& p) -> double& { return p.baselineX; }, RoundCoord, kBaselineDecimals},
    {1030, 0, nullptr, [](LgpDotPara& p) -> double& { return p.baselineY; }, RoundCoord, kBaselineDecimals},
};

// The six boxes and the flags they store.
struct DotBox {
    int id;
    std::int32_t& (*field)(LgpDotPara&);
    const char* lightKey;  // a light source's label; light sources re-run the enabling rules
};

const DotBox kDotBoxes[] = {
    {1061, [](LgpDotPara& p) -> std::int32_t& { return p.rowStagger; }, nullptr},
    {1037, [](LgpDotPara& p) -> std::int32_t& { return p.columnStagger; }, nullptr},
    {1038, [](LgpDotPara& p) -> std::int32_t& { return p.lightLeft; }, "Q"},
    {1063, [](LgpDotPara& p) -> std::int32_t& { return p.lightRight; }, "R"},
    {1064, [](LgpDotPara& p) -> std::int32_t& { return p.lightUp; }, "S"},
    {1039, [](LgpDotPara& p) -> std::int32_t& { return p.lightDown; }, "T"},
};

constexpr const char* kModeKeys[] = {"7", "8", "9", "A", "18", "19"};

const DotEdit& EditOf(int id) {
    for (const DotEdit& edit : kDotEdits) {
        if (edit.id == id) {
            return edit;
        }
    }
    return kDotEdits[0];
}

LgpDotPara& Dots() {
    return Designer().config.dot;
}

QString LgpText(const char* key) {
    return Text("LGP", key);
}

}  // namespace

CLgpDotPage::CLgpDotPage(QWidget* parent) : QWidget(parent) {
    BuildControls();
    ShowValues();
    ApplyEnabling();
}

QGroupBox* CLgpDotPage::MakeGroup(int id, const QString& title) {
    auto* group = new QGroupBox(title, this);
    platform::SetControlId(*group, id);
    return group;
}

QLineEdit* CLgpDotPage::MakeNumberEdit(QWidget* group, const DotEdit& entry) {
    QLineEdit* edit = dialogkit::MakeEdit(group, entry.id);
    connect(edit, &QLineEdit::editingFinished, this, [this, id = entry.id] { CommitEdit(id); });
    return edit;
}

void CLgpDotPage::BuildControls() {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildDotGroup());
    layout->addWidget(BuildSpacingGroup());
    layout->addWidget(BuildBaselineGroup());
    layout->addWidget(BuildBoxGroups());
    layout->addWidget(dialogkit::MakeButton(this, 1035, LgpText("U")));
    layout->addStretch();
}

// Width and height with their gradients side by side, then the dot mode.
QGroupBox* CLgpDotPage::BuildDotGroup() {
    QGroupBox* group = MakeGroup(1041, LgpText("1"));
    auto* grid = new QGridLayout(group);
    for (int i = 0; i < kSizeEdits; ++i) {
        const DotEdit& entry = kDotEdits[i];
        const int row = i % 5, column = i / 5 * 2;
        grid->addWidget(dialogkit::MakeLabel(group, entry.labelId, LgpText(entry.labelKey)), row, column);
        grid->addWidget(MakeNumberEdit(group, entry), row, column + 1);
    }
    grid->addWidget(dialogkit::MakeLabel(group, 1046, LgpText("6")), 5, 0);
    mode_ = new QComboBox(group);
    platform::SetControlId(*mode_, 1047);
    for (const char* key : kModeKeys) {
        mode_->addItem(LgpText(key));
    }
    grid->addWidget(mode_, 5, 1, 1, 3);
    connect(mode_, &QComboBox::activated, this, &CLgpDotPage::ModeChanged);
    return group;
}

// Each spacing beside its gradient: up, down, left, right.
QGroupBox* CLgpDotPage::BuildSpacingGroup() {
    QGroupBox* group = MakeGroup(1051, LgpText("B"));
    auto* grid = new QGridLayout(group);
    for (int i = 0; i < kSpacingEdits; ++i) {
        const DotEdit& entry = kDotEdits[kSizeEdits + i];
        const int row = i / 2, column = i % 2 * 2;
        grid->addWidget(dialogkit::MakeLabel(group, entry.labelId, LgpText(entry.labelKey)), row, column);
        grid->addWidget(MakeNumberEdit(group, entry), row, column + 1);
    }
    return group;
}

QGroupBox* CLgpDotPage::BuildBaselineGroup() {
    QGroupBox* group = MakeGroup(1059, LgpText("K"));
    auto* grid = new QGridLayout(group);
    for (int axis = 0; axis < 2; ++axis) {
        const DotEdit& entry = kDotEdits[kSizeEdits + kSpacingEdits + axis];
        QPushButton* zero = dialogkit::MakeButton(group, 1031 + axis, LgpText("V"));
        connect(zero, &QPushButton::clicked, this, [this, &entry] {
            entry.field(Dots()) = 0.0;
            dialogkit::ShowNumber(*dialogkit::Find<QLineEdit>(*this, entry.id), 0.0, kBaselineDecimals);
            emit previewChanged();
        });
        grid->addWidget(new QLabel(axis == 0 ? "X" : "Y", group), axis, 0);
        grid->addWidget(MakeNumberEdit(group, entry), axis, 1);
        grid->addWidget(zero, axis, 2);
    }
    return group;
}

// The stagger group over the light source group.
QWidget* CLgpDotPage::BuildBoxGroups() {
    auto* holder = new QWidget(this);
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    QGroupBox* stagger = MakeGroup(1060, QString());
    auto* staggerRow = new QHBoxLayout(stagger);
    QGroupBox* light = MakeGroup(1062, LgpText("O"));
    auto* lightGrid = new QGridLayout(light);
    int lightIndex = 0;
    for (const DotBox& entry : kDotBoxes) {
        if (entry.lightKey != nullptr) {
            QCheckBox* box = dialogkit::MakeCheck(light, entry.id, LgpText(entry.lightKey));
            lightGrid->addWidget(box, lightIndex / 2, lightIndex % 2);
            ++lightIndex;
        } else {
            staggerRow->addWidget(dialogkit::MakeCheck(stagger, entry.id, QString()));
        }
        connect(dialogkit::Find<QCheckBox>(*this, entry.id), &QCheckBox::clicked, this,
                [this, &entry](bool checked) {
                    entry.field(Dots()) = checked ? 1 : 0;
                    if (entry.lightKey != nullptr) {
                        ApplyEnabling();
                        emit previewChanged();
                    }
                });
    }
    layout->addWidget(stagger);
    layout->addWidget(light);
    return holder;
}

void CLgpDotPage::ShowValues() {
    mode_->setCurrentIndex(Dots().dotMode < std::size(kModeKeys) ? Dots().dotMode : 0);
    for (const DotEdit& entry : kDotEdits) {
        dialogkit::ShowNumber(*dialogkit::Find<QLineEdit>(*this, entry.id), entry.field(Dots()),
                              entry.decimals);
    }
    for (const DotBox& entry : kDotBoxes) {
        dialogkit::Find<QCheckBox>(*this, entry.id)->setChecked(entry.field(Dots()) != 0);
    }
    RelabelStagger();
}

void CLgpDotPage::CommitEdit(int id) {
    const DotEdit& entry = EditOf(id);
    auto* edit = dialogkit::Find<QLineEdit>(*this, id);
    const double value = entry.rule(dialogkit::ReadNumber(*edit).value_or(0.0));
    entry.field(Dots()) = value;
    dialogkit::ShowNumber(*edit, value, entry.decimals);
    if (entry.decimals == kBaselineDecimals) {
        emit previewChanged();
    }
}

void CLgpDotPage::SetBaseline(double x, double y) {
    Dots().baselineX = RoundCoord(x);
    Dots().baselineY = RoundCoord(y);
    dialogkit::ShowNumber(*dialogkit::Find<QLineEdit>(*this, 1029), Dots().baselineX, kBaselineDecimals);
    dialogkit::ShowNumber(*dialogkit::Find<QLineEdit>(*this, 1030), Dots().baselineY, kBaselineDecimals);
}

void CLgpDotPage::ModeChanged(int mode) {
    Dots().dotMode = static_cast<std::uint16_t>(std::max(0, mode));
    ApplyEnabling();
    RelabelStagger();
}

void CLgpDotPage::RelabelStagger() {
    const LgpStaggerLabelKeys keys = StaggerLabelKeys(Dots().dotMode);
    dialogkit::Find<QGroupBox>(*this, 1060)->setTitle(LgpText(keys.group));
    dialogkit::Find<QCheckBox>(*this, 1061)->setText(LgpText(keys.rows));
    dialogkit::Find<QCheckBox>(*this, 1037)->setText(LgpText(keys.columns));
}

void CLgpDotPage::ApplyEnabling() {
    const LgpDotPageEnabling enabling = DotPageEnabling(Dots());
    const auto enable = [this](int id, bool on) { dialogkit::Find<QLineEdit>(*this, id)->setEnabled(on); };
    const auto enableFour = [&](const int(&ids)[4], const LgpGradientSwitches& switches) {
        enable(ids[0], switches.upperRows);
        enable(ids[1], switches.lowerRows);
        enable(ids[2], switches.leftColumns);
        enable(ids[3], switches.rightColumns);
    };
    enable(1029, enabling.baselineX);
    enable(1030, enabling.baselineY);
    enable(1048, enabling.dotWidth);
    enable(1050, enabling.dotHeight);
    enableFour({1049, 1065, 1021, 1019}, enabling.widthGradients);
    enableFour({1066, 1067, 1034, 1033}, enabling.heightGradients);
    enableFour({1023, 1024, 1027, 1028}, enabling.spacingGradients);
}

}  // namespace dotplate::ui
