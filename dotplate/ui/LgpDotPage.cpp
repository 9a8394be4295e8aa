#include "LgpDotPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "LgpPageEnabling.h"
#include "LgpPageRules.h"
#include "LgpUiSupport.h"
#include "WindowMessage.h"

namespace dotplate::ui {

namespace {

// One number edit of the page: its control, label and text key, the field it stores and the rule.
struct DotEdit {
    int id;
    int labelId;
    const char* labelKey;
    double& (*field)(LgpDotPara&);
    double (*rule)(double);
    const char* format;
};

constexpr const char* kSizeFormat = "%.4lf";
constexpr const char* kBaselineFormat = "%.3lf";

const DotEdit kDotEdits[] = {
    {1048, 1042, "2", [](LgpDotPara& p) -> double& { return p.dotWidth; }, DotSizeRule, kSizeFormat},
    {1049, 1044, "10", [](LgpDotPara& p) -> double& { return p.widthGradients.upperRows; }, GradientRule,
     kSizeFormat},
    {1065, 1045, "11", [](LgpDotPara& p) -> double& { return p.widthGradients.lowerRows; }, GradientRule,
     kSizeFormat},
    {1021, 1068, "12", [](LgpDotPara& p) -> double& { return p.widthGradients.leftColumns; }, GradientRule,
     kSizeFormat},
    {1019, 1070, "13", [](LgpDotPara& p) -> double& { return p.widthGradients.rightColumns; }, GradientRule,
     kSizeFormat},
    {1050, 1043, "4", [](LgpDotPara& p) -> double& { return p.dotHeight; }, DotSizeRule, kSizeFormat},
    {1066, 1071, "14", [](LgpDotPara& p) -> double& { return p.heightGradients.upperRows; }, GradientRule,
     kSizeFormat},
    {1067, 1072, "15", [](LgpDotPara& p) -> double& { return p.heightGradients.lowerRows; }, GradientRule,
     kSizeFormat},
    {1034, 1073, "16", [](LgpDotPara& p) -> double& { return p.heightGradients.leftColumns; }, GradientRule,
     kSizeFormat},
    {1033, 1074, "17", [](LgpDotPara& p) -> double& { return p.heightGradients.rightColumns; }, GradientRule,
     kSizeFormat},
    {1020, 1052, "C", [](LgpDotPara& p) -> double& { return p.upperRows.start; }, SpacingRule, kSizeFormat},
    {1023, 1069, "D", [](LgpDotPara& p) -> double& { return p.upperRows.gradient; }, GradientRule,
     kSizeFormat},
    {1022, 1053, "E", [](LgpDotPara& p) -> double& { return p.lowerRows.start; }, SpacingRule, kSizeFormat},
    {1024, 1054, "F", [](LgpDotPara& p) -> double& { return p.lowerRows.gradient; }, GradientRule,
     kSizeFormat},
    {1025, 1055, "G", [](LgpDotPara& p) -> double& { return p.leftColumns.start; }, SpacingRule, kSizeFormat},
    {1027, 1056, "H", [](LgpDotPara& p) -> double& { return p.leftColumns.gradient; }, GradientRule,
     kSizeFormat},
    {1026, 1057, "I", [](LgpDotPara& p) -> double& { return p.rightColumns.start; }, SpacingRule,
     kSizeFormat},
    {1028, 1058, "J", [](LgpDotPara& p) -> double& { return p.rightColumns.gradient; }, GradientRule,
     kSizeFormat},
    {1029, 0, nullptr, [](LgpDotPara& p) -> double& { return p.baselineX; }, RoundCoord, kBaselineFormat},
    {1030, 0, nullptr, [](LgpDotPara& p) -> double& { return p.baselineY; }, RoundCoord, kBaselineFormat},
};

// The six boxes and the flags they store.
struct DotBox {
    int id;
    std::int32_t& (*field)(LgpDotPara&);
    bool light;  // re-runs the enabling rules
};

const DotBox kDotBoxes[] = {
    {1061, [](LgpDotPara& p) -> std::int32_t& { return p.rowStagger; }, false},
    {1037, [](LgpDotPara& p) -> std::int32_t& { return p.columnStagger; }, false},
    {1038, [](LgpDotPara& p) -> std::int32_t& { return p.lightLeft; }, true},
    {1063, [](LgpDotPara& p) -> std::int32_t& { return p.lightRight; }, true},
    {1064, [](LgpDotPara& p) -> std::int32_t& { return p.lightUp; }, true},
    {1039, [](LgpDotPara& p) -> std::int32_t& { return p.lightDown; }, true},
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

void CLgpDotPage::BuildControls() {
    auto* layout = new QVBoxLayout(this);
    auto* dotGroup = new QGroupBox(LgpText("1"), this);
    platform::SetControlId(*dotGroup, 1041);
    auto* dotGrid = new QGridLayout(dotGroup);
    auto* spaceGroup = new QGroupBox(LgpText("B"), this);
    platform::SetControlId(*spaceGroup, 1051);
    auto* spaceGrid = new QGridLayout(spaceGroup);
    for (std::size_t i = 0; i < 18; ++i) {
        const DotEdit& spec = kDotEdits[i];
        QGroupBox* group = i < 10 ? dotGroup : spaceGroup;
        QGridLayout* grid = i < 10 ? dotGrid : spaceGrid;
        const int row = static_cast<int>(i < 10 ? i % 5 : (i - 10) / 2);
        const int column = i < 10 ? static_cast<int>(i / 5) * 2 : static_cast<int>((i - 10) % 2) * 2;
        grid->addWidget(MakeLabel(group, spec.labelId, LgpText(spec.labelKey)), row, column);
        QLineEdit* edit = MakeEdit(group, spec.id);
        grid->addWidget(edit, row, column + 1);
        connect(edit, &QLineEdit::editingFinished, this, [this, id = spec.id] { CommitEdit(id); });
    }
    dotGrid->addWidget(MakeLabel(dotGroup, 1046, LgpText("6")), 5, 0);
    mode_ = new QComboBox(dotGroup);
    platform::SetControlId(*mode_, 1047);
    for (const char* key : kModeKeys) {
        mode_->addItem(LgpText(key));
    }
    dotGrid->addWidget(mode_, 5, 1, 1, 3);
    layout->addWidget(dotGroup);
    layout->addWidget(spaceGroup);

    auto* baseGroup = new QGroupBox(LgpText("K"), this);
    platform::SetControlId(*baseGroup, 1059);
    auto* baseGrid = new QGridLayout(baseGroup);
    for (int axis = 0; axis < 2; ++axis) {
        const DotEdit& spec = kDotEdits[18 + axis];
        QLineEdit* edit = MakeEdit(baseGroup, spec.id);
        connect(edit, &QLineEdit::editingFinished, this, [this, id = spec.id] { CommitEdit(id); });
        QPushButton* zero = MakeButton(baseGroup, 1031 + axis, LgpText("V"));
        connect(zero, &QPushButton::clicked, this, [this, id = spec.id] {
            EditOf(id).field(Dots()) = 0.0;
            ShowValue(*Find<QLineEdit>(*this, id), 0.0, kBaselineFormat);
            emit previewChanged();
        });
        baseGrid->addWidget(new QLabel(axis == 0 ? "X" : "Y", baseGroup), axis, 0);
        baseGrid->addWidget(edit, axis, 1);
        baseGrid->addWidget(zero, axis, 2);
    }
    layout->addWidget(baseGroup);

    auto* staggerGroup = new QGroupBox(this);
    platform::SetControlId(*staggerGroup, 1060);
    auto* staggerRow = new QHBoxLayout(staggerGroup);
    auto* lightGroup = new QGroupBox(LgpText("O"), this);
    platform::SetControlId(*lightGroup, 1062);
    auto* lightGrid = new QGridLayout(lightGroup);
    const char* lightKeys[] = {"Q", "R", "S", "T"};
    for (std::size_t i = 0; i < std::size(kDotBoxes); ++i) {
        const DotBox& spec = kDotBoxes[i];
        QWidget* group = spec.light ? static_cast<QWidget*>(lightGroup) : staggerGroup;
        QCheckBox* box = MakeCheck(group, spec.id, spec.light ? LgpText(lightKeys[i - 2]) : QString());
        if (spec.light) {
            lightGrid->addWidget(box, static_cast<int>(i - 2) / 2, static_cast<int>(i - 2) % 2);
        } else {
            staggerRow->addWidget(box);
        }
        connect(box, &QCheckBox::clicked, this, [this, &spec](bool checked) {
            spec.field(Dots()) = checked ? 1 : 0;
            if (spec.light) {
                ApplyEnabling();
                emit previewChanged();
            }
        });
    }
    layout->addWidget(staggerGroup);
    layout->addWidget(lightGroup);
    layout->addWidget(MakeButton(this, 1035, LgpText("U")));
    layout->addStretch();
    connect(mode_, &QComboBox::activated, this, &CLgpDotPage::ModeChanged);
}

void CLgpDotPage::ShowValues() {
    mode_->setCurrentIndex(Dots().dotMode < std::size(kModeKeys) ? Dots().dotMode : 0);
    for (const DotEdit& spec : kDotEdits) {
        ShowValue(*Find<QLineEdit>(*this, spec.id), spec.field(Dots()), spec.format);
    }
    for (const DotBox& spec : kDotBoxes) {
        Find<QCheckBox>(*this, spec.id)->setChecked(spec.field(Dots()) != 0);
    }
    RelabelStagger();
}

void CLgpDotPage::CommitEdit(int id) {
    const DotEdit& spec = EditOf(id);
    auto* edit = Find<QLineEdit>(*this, id);
    const double value = spec.rule(ReadDouble(*edit));
    spec.field(Dots()) = value;
    ShowValue(*edit, value, spec.format);
    if (spec.format == kBaselineFormat) {
        emit previewChanged();
    }
}

void CLgpDotPage::SetBaseline(double x, double y) {
    Dots().baselineX = RoundCoord(x);
    Dots().baselineY = RoundCoord(y);
    ShowValue(*Find<QLineEdit>(*this, 1029), Dots().baselineX, kBaselineFormat);
    ShowValue(*Find<QLineEdit>(*this, 1030), Dots().baselineY, kBaselineFormat);
}

void CLgpDotPage::ModeChanged(int mode) {
    Dots().dotMode = static_cast<std::uint16_t>(std::max(0, mode));
    ApplyEnabling();
    RelabelStagger();
}

void CLgpDotPage::RelabelStagger() {
    const LgpStaggerLabelKeys keys = StaggerLabelKeys(Dots().dotMode);
    Find<QGroupBox>(*this, 1060)->setTitle(LgpText(keys.group));
    Find<QCheckBox>(*this, 1061)->setText(LgpText(keys.rows));
    Find<QCheckBox>(*this, 1037)->setText(LgpText(keys.columns));
}

void CLgpDotPage::ApplyEnabling() {
    const LgpDotPageEnabling enabling = DotPageEnabling(Dots());
    const auto enable = [this](int id, bool on) { Find<QLineEdit>(*this, id)->setEnabled(on); };
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
