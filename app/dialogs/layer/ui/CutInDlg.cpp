#include "CutInDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "CadCurve.h"
#include "CadMgr.h"
#include "DialogControls.h"
#include "DrawingChange.h"
#include "LayerEntryRules.h"
#include "LayerPage.h"
#include "WindowMessage.h"

namespace {

QString CutInText(std::string_view key) {
    return LangText("CutInDlg", key);
}

QComboBox* MakeList(QWidget* parent, int id, const QStringList& items) {
    auto* list = new QComboBox(parent);
    platform::SetControlId(*list, id);
    list->addItems(items);
    return list;
}

// The single selected element when it is a curve.
const CCadCurve* SingleSelectedCurve(CCadMgr& manager) {
    if (manager.selectionList.GetCount() != 1) {
        return nullptr;
    }
    const CCadElement* element = manager.selectionList.head->next->value;
    return element->typeCode == kCurveElement ? static_cast<const CCadCurve*>(element) : nullptr;
}

}  // namespace

CCutInDlg::CCutInDlg(QWidget* parent, CCadMgr& manager) : QDialog(parent), manager_(manager) {
    setWindowTitle(CutInText("1"));
    auto* grid = new QGridLayout(this);
    sides_[0] = MakeSide(kLeadIn, {"2", "3", "E", "F", "G", "8", {"9", "A", "4"}, "H", "I", "J"});
    sides_[1] = MakeSide(kLeadOut, {"5", "6", "K", "L", "M", "B", {"C", "D", "7"}, "N", "O", "P"});
    for (int column = 0; column < 2; ++column) {
        grid->addWidget(dialogkit::Find<QGroupBox>(*this, column == 0 ? kLeadIn.group : kLeadOut.group), 0,
                        column);
    }
    auto* buttons = new QHBoxLayout;
    QPushButton* ok = dialogkit::MakeOkButton(this);
    QPushButton* cancel = dialogkit::MakeCancelButton(this);
    ok->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 1, 0, 1, 2);
    connect(ok, &QPushButton::clicked, this, &CCutInDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CCutInDlg::reject);

    const CCadCurve* curve = SingleSelectedCurve(manager);
    Fill(sides_[0], curve != nullptr ? curve->leadIn : CCadCurve::DefaultLead());
    Fill(sides_[1], curve != nullptr ? curve->leadOut : CCadCurve::DefaultLead());
    RefreshSides();
}

CCutInDlg::Side CCutInDlg::MakeSide(const SideIds& ids, const SideTexts& texts) {
    QGroupBox* group = dialogkit::MakeGroup(this, ids.group, CutInText(texts.group));
    auto* grid = new QGridLayout(group);
    Side side{};
    side.enable = dialogkit::MakeCheck(group, ids.enable, CutInText(texts.enable));
    grid->addWidget(side.enable, 0, 0, 1, 2);
    grid->addWidget(dialogkit::MakeLabel(group, ids.lineTypeLabel, CutInText(texts.lineTypeLabel)), 1, 0);
    side.lineType = MakeList(group, ids.lineType, {CutInText(texts.line), CutInText(texts.arc)});
    grid->addWidget(side.lineType, 1, 1);
    side.lengthLabel = dialogkit::MakeLabel(group, ids.lengthLabel, CutInText(texts.length));
    grid->addWidget(side.lengthLabel, 2, 0);
    side.length = dialogkit::MakeEdit(group, ids.length);
    grid->addWidget(side.length, 2, 1);
    side.position = MakeList(
        group, ids.position,
        {CutInText(texts.positions[0]), CutInText(texts.positions[1]), CutInText(texts.positions[2])});
    grid->addWidget(side.position, 3, 0, 1, 2);
    side.angleLabel = dialogkit::MakeLabel(group, ids.angleLabel, CutInText(texts.angle));
    grid->addWidget(side.angleLabel, 4, 0);
    side.angle = dialogkit::MakeEdit(group, ids.angle);
    grid->addWidget(side.angle, 4, 1);
    side.female = dialogkit::MakeRadio(group, ids.female, CutInText(texts.female));
    side.male = dialogkit::MakeRadio(group, ids.male, CutInText(texts.male));
    grid->addWidget(side.female, 5, 0);
    grid->addWidget(side.male, 5, 1);
    grid->setRowStretch(6, 1);

    connect(side.enable, &QCheckBox::clicked, this, &CCutInDlg::RefreshSides);
    connect(side.lineType, &QComboBox::currentIndexChanged, this, &CCutInDlg::RefreshSides);
    connect(side.position, &QComboBox::currentIndexChanged, this, &CCutInDlg::RefreshSides);
    return side;
}

void CCutInDlg::Fill(Side& side, const CutInOutPara& record) {
    const LeadEntries entries = LeadEntriesOf(record);
    side.enable->setChecked(entries.enabled);
    side.lineType->setCurrentIndex(entries.lineType);
    side.position->setCurrentIndex(entries.position);
    (entries.male ? side.male : side.female)->setChecked(true);
    side.length->setText(QString::fromStdString(layer_entry::ShowStored(entries.lengthMm)));
    side.angle->setText(QString::fromStdString(layer_entry::ShowStored(entries.angleDegrees)));
}

LeadEntries CCutInDlg::EntriesOf(const Side& side) const {
    LeadEntries entries;
    entries.enabled = side.enable->isChecked();
    entries.lineType = std::max(side.lineType->currentIndex(), 0);
    entries.position = std::max(side.position->currentIndex(), 0);
    entries.male = side.male->isChecked();
    entries.lengthMm = layer_entry::EnteredNumber(side.length->text().toStdString());
    entries.angleDegrees = layer_entry::EnteredNumber(side.angle->text().toStdString());
    return entries;
}

void CCutInDlg::RefreshSides() {
    for (Side& side : sides_) {
        const LeadControls controls = LeadControlsFor(EntriesOf(side));
        for (QWidget* control : std::initializer_list<QWidget*>{side.lineType, side.length, side.position,
                                                                side.angle, side.female, side.male}) {
            control->setEnabled(controls.enabled);
        }
        side.lengthLabel->setVisible(controls.lengthShown);
        side.length->setVisible(controls.lengthShown);
        side.position->setVisible(controls.positionShown);
        side.angleLabel->setVisible(controls.angleShown);
        side.angle->setVisible(controls.angleShown);
        side.female->setVisible(controls.sidesShown);
        side.male->setVisible(controls.sidesShown);
    }
}

void CCutInDlg::accept() {
    dialogkit::CommitFocusedEdit(*this);
    const CutInOutPara leadIn = BuildLeadRecord(EntriesOf(sides_[0]));
    const CutInOutPara leadOut = BuildLeadRecord(EntriesOf(sides_[1]));
    if (!manager_.selectionList.IsEmpty()) {
        dialogs::ApplyToDrawing(manager_,
                                [&](CCadMgr& drawing) { drawing.SetSelectionCutInOut(leadIn, leadOut); });
    }
    QDialog::accept();
}
