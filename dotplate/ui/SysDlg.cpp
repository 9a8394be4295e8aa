#include "SysDlg.h"

#include <memory>
#include <vector>

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "DialogControls.h"
#include "DialogMessages.h"
#include "Filebridge.h"
#include "LgpImport.h"
#include "LgpPageEnabling.h"
#include "LgpPageRules.h"
#include "LgpWindowTexts.h"
#include "ProgramFolder.h"
#include "WindowMessage.h"

namespace dotplate::ui {

namespace {

constexpr int kWidthEdit = 1071;
constexpr int kHeightEdit = 1074;
constexpr int kBlankBox = 2002;
constexpr int kDistanceEdit = 1080;
constexpr int kApplyToOutlineBox = 2021;
constexpr int kMergeBox = 2023;
constexpr int kRectangleRadio = 2007;
constexpr int kEllipseRadio = 2008;
constexpr int kResizeWidthEdit = 1077;
constexpr int kResizeHeightEdit = 1079;
constexpr int kLockRatioBox = 2009;
constexpr int kApplyPlateButton = 1035;
constexpr int kApplyResizeButton = 1036;
constexpr int kImportButton = 1037;
constexpr int kExportButton = 1038;

LgpShapePara& Shape() {
    return Designer().config.shape;
}
CLgpPlate& Plate() {
    return Designer().plate;
}

QString SysText(const char* key) {
    return Text("SysDlg", key);
}

// Every curve of the file's records, which the import then owns.
std::vector<std::unique_ptr<CFileDraw>> TakeRecords(CDbList<CFileDraw*>& records) {
    std::vector<std::unique_ptr<CFileDraw>> taken;
    if (records.head == nullptr) {
        return taken;
    }
    for (auto* node = records.head->next; node != records.head; node = node->next) {
        taken.emplace_back(node->value);
    }
    records.RemoveAll();
    return taken;
}

}  // namespace

CSysDlg::CSysDlg(QWidget* parent) : QWidget(parent) {
    BuildControls();
    ShowValues();
}

void CSysDlg::BuildControls() {
    auto* layout = new QVBoxLayout(this);
    auto* plateGroup = new QGroupBox(SysText("1"), this);
    platform::SetControlId(*plateGroup, 1070);
    auto* plateGrid = new QGridLayout(plateGroup);
    plateGrid->addWidget(dialogkit::MakeLabel(plateGroup, 1072, SysText("2")), 0, 0);
    plateGrid->addWidget(dialogkit::MakeEdit(plateGroup, kWidthEdit), 0, 1);
    plateGrid->addWidget(dialogkit::MakeLabel(plateGroup, 1073, SysText("3")), 1, 0);
    plateGrid->addWidget(dialogkit::MakeEdit(plateGroup, kHeightEdit), 1, 1);
    plateGrid->addWidget(dialogkit::MakeRadio(plateGroup, kRectangleRadio, SysText("8")), 2, 0);
    plateGrid->addWidget(dialogkit::MakeRadio(plateGroup, kEllipseRadio, SysText("9")), 2, 1);
    plateGrid->addWidget(dialogkit::MakeButton(plateGroup, kApplyPlateButton, SysText("4")), 3, 0, 1, 2);
    layout->addWidget(plateGroup);

    auto* blankGroup = new QGroupBox(this);
    auto* blankGrid = new QGridLayout(blankGroup);
    blankGrid->addWidget(dialogkit::MakeCheck(blankGroup, kBlankBox, SysText("6")), 0, 0, 1, 2);
    blankGrid->addWidget(dialogkit::MakeLabel(blankGroup, 1081, Text("SysDlg", "B")), 1, 0);
    blankGrid->addWidget(dialogkit::MakeEdit(blankGroup, kDistanceEdit), 1, 1);
    blankGrid->addWidget(dialogkit::MakeCheck(blankGroup, kApplyToOutlineBox, Text("SysDlg", "C")), 2, 0, 1,
                         2);
    blankGrid->addWidget(dialogkit::MakeCheck(blankGroup, kMergeBox, Text("SysDlg", "D")), 3, 0, 1, 2);
    layout->addWidget(blankGroup);

    auto* outlineGroup = new QGroupBox(SysText("7"), this);
    platform::SetControlId(*outlineGroup, 1076);
    auto* outlineGrid = new QGridLayout(outlineGroup);
    outlineGrid->addWidget(dialogkit::MakeLabel(outlineGroup, 1075, SysText("2")), 0, 0);
    outlineGrid->addWidget(dialogkit::MakeEdit(outlineGroup, kResizeWidthEdit), 0, 1);
    outlineGrid->addWidget(dialogkit::MakeLabel(outlineGroup, 1078, SysText("3")), 1, 0);
    outlineGrid->addWidget(dialogkit::MakeEdit(outlineGroup, kResizeHeightEdit), 1, 1);
    outlineGrid->addWidget(dialogkit::MakeCheck(outlineGroup, kLockRatioBox, SysText("5")), 2, 0);
    outlineGrid->addWidget(dialogkit::MakeButton(outlineGroup, kApplyResizeButton, SysText("4")), 2, 1);
    outlineGrid->addWidget(dialogkit::MakeButton(outlineGroup, kImportButton, SysText("A")), 3, 0, 1, 2);
    layout->addWidget(outlineGroup);
    layout->addWidget(dialogkit::MakeButton(this, kExportButton, Text("SysDlg", "E")));
    layout->addStretch();

    const auto edit = [this](int id) { return dialogkit::Find<QLineEdit>(*this, id); };
    const auto button = [this](int id) { return dialogkit::Find<QAbstractButton>(*this, id); };
    connect(edit(kWidthEdit), &QLineEdit::editingFinished, this, [this] { CommitPlateSize(kWidthEdit); });
    connect(edit(kHeightEdit), &QLineEdit::editingFinished, this, [this] { CommitPlateSize(kHeightEdit); });
    connect(edit(kDistanceEdit), &QLineEdit::editingFinished, this, &CSysDlg::CommitDistance);
    connect(edit(kResizeWidthEdit), &QLineEdit::editingFinished, this, [this] { CommitResize(true); });
    connect(edit(kResizeHeightEdit), &QLineEdit::editingFinished, this, [this] { CommitResize(false); });
    connect(button(kBlankBox), &QAbstractButton::clicked, this, [this](bool on) {
        Shape().blankEnabled = on ? 1 : 0;
        ApplyBlankEnabling();
    });
    connect(button(kApplyToOutlineBox), &QAbstractButton::clicked, this,
            [](bool on) { Shape().applyToOutline = on ? 1 : 0; });
    connect(button(kMergeBox), &QAbstractButton::clicked, this,
            [](bool on) { Shape().mergeCrossing = on ? 1 : 0; });
    connect(button(kApplyPlateButton), &QAbstractButton::clicked, this, &CSysDlg::ApplyStandardPlate);
    connect(button(kApplyResizeButton), &QAbstractButton::clicked, this, &CSysDlg::ApplyResize);
    connect(button(kImportButton), &QAbstractButton::clicked, this, &CSysDlg::Import);
    connect(button(kExportButton), &QAbstractButton::clicked, this, &CSysDlg::Export);
}

void CSysDlg::ShowValues() {
    Shape().plateWidth = PlateSizeRule(Shape().plateWidth);
    Shape().plateHeight = PlateSizeRule(Shape().plateHeight);
    dialogkit::ShowNumber(*dialogkit::Find<QLineEdit>(*this, kWidthEdit), Shape().plateWidth, 1);
    dialogkit::ShowNumber(*dialogkit::Find<QLineEdit>(*this, kHeightEdit), Shape().plateHeight, 1);
    dialogkit::Find<QCheckBox>(*this, kBlankBox)->setChecked(Shape().blankEnabled != 0);
    dialogkit::ShowNumber(*dialogkit::Find<QLineEdit>(*this, kDistanceEdit), Shape().blankDistance, 3);
    dialogkit::Find<QCheckBox>(*this, kApplyToOutlineBox)->setChecked(Shape().applyToOutline != 0);
    dialogkit::Find<QCheckBox>(*this, kMergeBox)->setChecked(Shape().mergeCrossing != 0);
    dialogkit::Find<QRadioButton>(*this, kRectangleRadio)->setChecked(true);
    dialogkit::Find<QCheckBox>(*this, kLockRatioBox)->setChecked(true);
    dialogkit::ShowNumber(*dialogkit::Find<QLineEdit>(*this, kResizeWidthEdit),
                          RoundCoord(Shape().plateWidth), 3);
    dialogkit::ShowNumber(*dialogkit::Find<QLineEdit>(*this, kResizeHeightEdit),
                          RoundCoord(Shape().plateHeight), 3);
    ApplyBlankEnabling();
}

void CSysDlg::ShowPlateSize() {
    const LgpBox box = Plate().OutlineBox();
    dialogkit::ShowNumber(*dialogkit::Find<QLineEdit>(*this, kResizeWidthEdit), RoundCoord(box.Width()), 3);
    dialogkit::ShowNumber(*dialogkit::Find<QLineEdit>(*this, kResizeHeightEdit), RoundCoord(box.Height()), 3);
}

void CSysDlg::CommitPlateSize(int id) {
    auto* edit = dialogkit::Find<QLineEdit>(*this, id);
    const double value = PlateSizeRule(dialogkit::ReadNumber(*edit).value_or(0.0));
    (id == kWidthEdit ? Shape().plateWidth : Shape().plateHeight) = value;
    dialogkit::ShowNumber(*edit, value, 1);
}

void CSysDlg::CommitDistance() {
    auto* edit = dialogkit::Find<QLineEdit>(*this, kDistanceEdit);
    Shape().blankDistance = BlankDistanceRule(dialogkit::ReadNumber(*edit).value_or(0.0));
    dialogkit::ShowNumber(*edit, Shape().blankDistance, 3);
}

void CSysDlg::CommitResize(bool widthTyped) {
    auto* typedEdit = dialogkit::Find<QLineEdit>(*this, widthTyped ? kResizeWidthEdit : kResizeHeightEdit);
    auto* otherEdit = dialogkit::Find<QLineEdit>(*this, widthTyped ? kResizeHeightEdit : kResizeWidthEdit);
    const double typed = std::max(1.0, dialogkit::ReadNumber(*typedEdit).value_or(0.0));
    if (!dialogkit::Find<QCheckBox>(*this, kLockRatioBox)->isChecked()) {
        dialogkit::ShowNumber(*typedEdit, typed, 1);
        return;
    }
    const LgpBox box = Plate().OutlineBox();
    const LgpResize resize = widthTyped ? LockedResize(typed, box.Width(), box.Height())
                                        : LockedResize(typed, box.Height(), box.Width());
    dialogkit::ShowNumber(*typedEdit, resize.typed, 1);
    dialogkit::ShowNumber(*otherEdit, resize.other, 1);
}

void CSysDlg::ApplyBlankEnabling() {
    const bool on = BlankControlsEnabled(Shape());
    for (int id : {kDistanceEdit, kApplyToOutlineBox, kMergeBox}) {
        findChild<QWidget*>(QString::number(id))->setEnabled(on);
    }
}

void CSysDlg::ApplyStandardPlate() {
    if (dialogkit::Find<QRadioButton>(*this, kRectangleRadio)->isChecked()) {
        Plate().MakeRectOutline(Shape().plateWidth, Shape().plateHeight);
    } else {
        Plate().MakeEllipseOutline(Shape().plateWidth, Shape().plateHeight);
    }
    Plate().Generate(Designer().config.dot, Shape());
    emit plateChanged(true);
    dialogkit::ShowNumber(*dialogkit::Find<QLineEdit>(*this, kResizeWidthEdit),
                          RoundCoord(Shape().plateWidth), 3);
    dialogkit::ShowNumber(*dialogkit::Find<QLineEdit>(*this, kResizeHeightEdit),
                          RoundCoord(Shape().plateHeight), 3);
}

void CSysDlg::ApplyResize() {
    if (Plate().plateOutlines.empty()) {
        return;
    }
    const double width = std::max(
        1.0, dialogkit::ReadNumber(*dialogkit::Find<QLineEdit>(*this, kResizeWidthEdit)).value_or(0.0));
    const double height = std::max(
        1.0, dialogkit::ReadNumber(*dialogkit::Find<QLineEdit>(*this, kResizeHeightEdit)).value_or(0.0));
    if (Plate().ResizeOutlines(width, height)) {
        emit plateChanged(true);
    }
}

void CSysDlg::Import() {
    const QString path = QFileDialog::getOpenFileName(
        this, Text("SysDlg", "F"), QString(),
        "Supported Files (*.ai *.dxf *.plt);;AI Files (*.ai);;DXF Files (*.dxf);;PLT Files (*.plt)");
    if (path.isEmpty()) {
        return;
    }
    const std::vector<std::uint32_t> layerColours(256, 0xFFFFFF);
    CDbList<CFileDraw*> records;
    const short status = _file_ImportFile(path.toStdString().c_str(), Designer().languageIndex, 1016.0, 1.0,
                                          layerColours.data(), 0xFFFFFF, 0, 1, &records);
    std::vector<std::unique_ptr<CFileDraw>> taken = TakeRecords(records);
    if (status != 0 || Plate().ImportOutline(std::move(taken)) == 0) {
        dialogkit::ShowDialogMessage(this, ImportFailureMessage(Designer().languageIndex));
        return;
    }
    emit plateChanged(true);
    ShowPlateSize();
}

void CSysDlg::Export() {
    ExportDesignAndFinish(*this, true);
}

void ExportDesignAndFinish(QWidget& owner, bool refuseDotModes) {
    LgpDesigner& designer = Designer();
    const std::uint16_t mode = designer.config.dot.dotMode;
    if (refuseDotModes && (mode == kEllipse || mode == kRectangle)) {
        dialogkit::ShowDialogMessage(&owner, Text("MsgInfo", "R").toStdString());
        return;
    }
    if (!designer.plate.HasDots()) {
        dialogkit::ShowDialogMessage(&owner, Text("MsgInfo", "Q").toStdString());
        return;
    }
    dialogkit::DialogMessageSink messages(&owner);
    if (designer.plate.ExportDesign(platform::ProgramFile("lgp.ds"), designer.config.shape,
                                    designer.languageIndex, messages) != 1) {
        return;
    }
    platform::PostWindowMessage(owner.window(), kExportDoneMessage, 0, 0);
}

}  // namespace dotplate::ui
