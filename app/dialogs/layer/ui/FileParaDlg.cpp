#include "FileParaDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "DialogControls.h"
#include "FileParaRules.h"
#include "LayerEntryRules.h"
#include "LayerPage.h"
#include "SettingsGlobals.h"
#include "SettingsRecords.h"
#include "WindowMessage.h"

namespace {

QString FileParaText(std::string_view key) {
    return LangText("FileParaDlg", key);
}

QComboBox* MakeList(QWidget* parent, int id, const QStringList& items) {
    auto* list = new QComboBox(parent);
    platform::SetControlId(*list, id);
    list->addItems(items);
    return list;
}

// The unit names are the program's own, not the language file's: Chinese for Simplified Chinese.
QStringList DxfUnitNames() {
    if (LanguageIndex == kLanguageSimplifiedChinese) {
        return {"毫米", "厘米", "英寸", "自定义"};
    }
    return {"MM", "CM", "INCH", "CUSTOM"};
}

QString Shown(double value) {
    return QString::fromStdString(layer_entry::ShowStored(value));
}

double Entered(const QLineEdit& edit) {
    return layer_entry::EnteredNumber(edit.text().toStdString());
}

}  // namespace

CFileParaDlg::CFileParaDlg(QWidget* parent, FileParaSettings& settings)
    : QDialog(parent), settings_(settings) {
    setWindowTitle(FileParaText("1"));
    auto* grid = new QGridLayout(this);
    QGroupBox* import = dialogkit::MakeGroup(this, 1062, FileParaText("2"));
    auto* importGrid = new QGridLayout(import);
    importGrid->addWidget(dialogkit::MakeLabel(import, 1065, FileParaText("3")), 0, 0);
    pltPrecision_ = MakeList(import, kPltPrecisionList, {"1016", "1000"});
    pltPrecision_->setEditable(true);
    importGrid->addWidget(pltPrecision_, 0, 1);
    importGrid->addWidget(dialogkit::MakeLabel(import, 1066, FileParaText("G")), 1, 0);
    dxfUnit_ = MakeList(import, kDxfUnitList, DxfUnitNames());
    importGrid->addWidget(dxfUnit_, 1, 1);
    dxfFactor_ = dialogkit::MakeEdit(import, kDxfFactorEdit);
    importGrid->addWidget(dxfFactor_, 1, 2);
    importDxfText_ = dialogkit::MakeCheck(import, kImportDxfTextCheck, FileParaText("F"));
    importGrid->addWidget(importDxfText_, 2, 0, 1, 3);
    autoClose_ = dialogkit::MakeCheck(import, kAutoCloseCheck, FileParaText("9"));
    importGrid->addWidget(autoClose_, 3, 0, 1, 3);
    importGrid->addWidget(dialogkit::MakeLabel(import, 1000, FileParaText("A")), 4, 0);
    closeError_ = dialogkit::MakeEdit(import, kCloseErrorEdit);
    importGrid->addWidget(closeError_, 4, 1);
    combine_ = dialogkit::MakeCheck(import, kCombineCheck, FileParaText("C"));
    importGrid->addWidget(combine_, 5, 0, 1, 3);
    importGrid->addWidget(dialogkit::MakeLabel(import, 1003, FileParaText("D")), 6, 0);
    combineError_ = dialogkit::MakeEdit(import, kCombineErrorEdit);
    importGrid->addWidget(combineError_, 6, 1);
    // Smoothing and grey scale are kept in the settings but offered nowhere.
    smooth_ = dialogkit::MakeCheck(import, kSmoothCheck, FileParaText("7"));
    smoothPrecision_ = dialogkit::MakeEdit(import, kSmoothPrecisionEdit);
    greyScale_ = dialogkit::MakeCheck(import, kGreyScaleCheck, FileParaText("E"));
    for (QWidget* hidden : std::initializer_list<QWidget*>{smooth_, smoothPrecision_, greyScale_}) {
        hidden->hide();
    }
    grid->addWidget(import, 0, 0);

    QGroupBox* exportGroup = dialogkit::MakeGroup(this, 1067, FileParaText("4"));
    auto* exportGrid = new QGridLayout(exportGroup);
    exportGrid->addWidget(dialogkit::MakeLabel(exportGroup, 1068, FileParaText("5")), 0, 0);
    exportPrecision_ = dialogkit::MakeEdit(exportGroup, kExportPrecisionEdit);
    exportGrid->addWidget(exportPrecision_, 0, 1);
    exportGrid->addWidget(dialogkit::MakeLabel(exportGroup, 1069, FileParaText("6")), 1, 0);
    velocityUnit_ = MakeList(exportGroup, kVelocityUnitList, {"m/min", "mm/s"});
    exportGrid->addWidget(velocityUnit_, 1, 1);
    grid->addWidget(exportGroup, 1, 0);

    auto* buttons = new QHBoxLayout;
    QPushButton* ok = dialogkit::MakeOkButton(this);
    QPushButton* cancel = dialogkit::MakeCancelButton(this);
    ok->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 2, 0);
    connect(ok, &QPushButton::clicked, this, &CFileParaDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CFileParaDlg::reject);

    const FileParaEntries entries = OpenFileParaEntries(settings_);
    pltPrecision_->setEditText(QString::fromStdString(entries.pltPrecisionText));
    exportPrecision_->setText(Shown(entries.exportPrecisionPercent));
    velocityUnit_->setCurrentIndex(entries.velocityUnit == 0 ? 0 : 1);
    smooth_->setChecked(entries.smoothCurves);
    autoClose_->setChecked(entries.autoClose);
    combine_->setChecked(entries.combineLines);
    greyScale_->setChecked(entries.autoGreyScale);
    importDxfText_->setChecked(entries.importDxfText);
    smoothPrecision_->setText(Shown(entries.smoothPrecisionPercent));
    combineError_->setText(Shown(entries.combineErrorMm));
    closeError_->setText(Shown(entries.closeErrorMm));
    dxfFactor_->setText(Shown(entries.dxfCustomFactor));
    dxfUnit_->setCurrentIndex(entries.dxfUnit);
    dxfFactor_->setVisible(DxfCustomFactorShown(entries.dxfUnit));
    connect(dxfUnit_, &QComboBox::currentIndexChanged, this, [this](int unit) {
        dxfFactor_->setVisible(DxfCustomFactorShown(unit));
        dxfFactor_->setText(Shown(settings_.dxfScale));
    });
}

void CFileParaDlg::accept() {
    dialogkit::CommitFocusedEdit(*this);
    FileParaEntries entries;
    entries.pltPrecisionText = pltPrecision_->currentText().toStdString();
    entries.exportPrecisionPercent = Entered(*exportPrecision_);
    entries.velocityUnit = velocityUnit_->currentIndex();
    entries.smoothCurves = smooth_->isChecked();
    entries.autoClose = autoClose_->isChecked();
    entries.combineLines = combine_->isChecked();
    entries.autoGreyScale = greyScale_->isChecked();
    entries.importDxfText = importDxfText_->isChecked();
    entries.closeErrorMm = Entered(*closeError_);
    entries.combineErrorMm = Entered(*combineError_);
    entries.dxfUnit = dxfUnit_->currentIndex();
    entries.dxfCustomFactor = Entered(*dxfFactor_);
    ApplyFileParaEntries(entries, settings_);
    QDialog::accept();
}
