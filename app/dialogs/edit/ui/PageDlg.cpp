#include "PageDlg.h"

#include <QColorDialog>
#include <QPushButton>

#include "CutrixAssert.h"
#include "EditDialogParts.h"

namespace dialogs::edit::ui {
namespace {

QColor ToQColor(std::uint32_t colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

std::uint32_t FromQColor(const QColor& colour) {
    return static_cast<std::uint32_t>(colour.red()) | static_cast<std::uint32_t>(colour.green()) << 8 |
           static_cast<std::uint32_t>(colour.blue()) << 16;
}

struct EditRow {
    int labelId;
    const char* key;
    int editId;
};

constexpr EditRow kEditRows[] = {
    {1024, "1", kPageWidthEdit}, {1025, "2", kPageHeightEdit}, {1035, "E", kGridSpacingEdit},
    {1029, "6", kNudgeEdit},     {1031, "7", kLargeStepEdit},  {1033, "8", kRotationEdit},
};

struct SwatchRow {
    int labelId;
    const char* key;
    int swatchId;
};

constexpr SwatchRow kSwatchRows[] = {
    {1116, "A", kBackgroundSwatch},
    {1117, "B", kWorkAreaSwatch},
    {1118, "C", kGridSwatch},
};

}  // namespace

CPageDlg::CPageDlg(QWidget* parent, const PageRecord& record, Applier apply)
    : RecordDialog(parent, PageForm(), record,
                   [this, apply = std::move(apply)](PageForm& form) {
                       StoreColours(form.Edited());
                       if (apply) {
                           apply(form);
                       }
                   }),
      swatches_{{{kBackgroundSwatch, record.backgroundColor, nullptr},
                 {kWorkAreaSwatch, record.workAreaColor, nullptr},
                 {kGridSwatch, record.gridColor, nullptr}}} {
    setWindowTitle(Text("PageDlg", "3"));
    auto* grid = new QGridLayout(this);
    int row = 0;
    for (const EditRow& edit : kEditRows) {
        grid->addWidget(dialogkit::MakeLabel(this, edit.labelId, Text("PageDlg", edit.key)), row, 0);
        grid->addWidget(dialogkit::MakeEdit(this, edit.editId), row++, 1);
    }
    grid->addWidget(dialogkit::MakeCheck(this, kGridShownBox, Text("PageDlg", "D")), row++, 0, 1, 2);
    for (const SwatchRow& swatchRow : kSwatchRows) {
        grid->addWidget(dialogkit::MakeLabel(this, swatchRow.labelId, Text("PageDlg", swatchRow.key)), row, 0);
        Swatch& swatch = SwatchOf(swatchRow.swatchId);
        swatch.button = dialogkit::MakeButton(this, swatchRow.swatchId, QString());
        connect(swatch.button, &QPushButton::clicked, this, [this, id = swatchRow.swatchId] { AskColour(id); });
        Paint(swatch);
        grid->addWidget(swatch.button, row++, 1);
    }
    AddOkCancel(*this, *grid, row);
    BindControls();
}

std::uint32_t CPageDlg::SwatchColour(int swatchId) const {
    return swatches_[SwatchIndex(swatchId)].colour;
}

void CPageDlg::ChooseColour(int swatchId, std::uint32_t colour) {
    Swatch& swatch = SwatchOf(swatchId);
    swatch.colour = colour;
    Paint(swatch);
}

std::size_t CPageDlg::SwatchIndex(int swatchId) {
    // The swatch ids are consecutive, in the order of swatches_.
    CUTRIX_ASSERT(swatchId >= kBackgroundSwatch && swatchId <= kGridSwatch);
    return static_cast<std::size_t>(swatchId - kBackgroundSwatch);
}

CPageDlg::Swatch& CPageDlg::SwatchOf(int swatchId) {
    return swatches_[SwatchIndex(swatchId)];
}

void CPageDlg::Paint(const Swatch& swatch) {
    swatch.button->setStyleSheet(QString("background-color: %1").arg(ToQColor(swatch.colour).name()));
}

void CPageDlg::AskColour(int swatchId) {
    const QColor chosen = QColorDialog::getColor(ToQColor(SwatchOf(swatchId).colour), this);
    if (chosen.isValid()) {
        ChooseColour(swatchId, FromQColor(chosen));
    }
}

void CPageDlg::StoreColours(PageRecord& record) const {
    record.backgroundColor = SwatchColour(kBackgroundSwatch);
    record.workAreaColor = SwatchColour(kWorkAreaSwatch);
    record.gridColor = SwatchColour(kGridSwatch);
}

}  // namespace dialogs::edit::ui
