#include "LayerPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "DialogControls.h"
#include "LanguageTexts.h"
#include "LayerEditState.h"

QString LangText(std::string_view section, std::string_view key) {
    return QString::fromStdString(GetLangText(std::string(section), std::string(key)));
}

QString LayerText(std::string_view key) {
    return LangText("DlgLayerPara", key);
}

CLayerPage::CLayerPage(QWidget* parent, LayerEditState& state) : DialogPage(parent), state_(state) {}

QLineEdit* CLayerPage::AddEditRow(QGridLayout& grid, int row, int labelId, const QString& label, int editId,
                                  const QString& unit) {
    grid.addWidget(dialogkit::MakeLabel(this, labelId, label), row, 0);
    QLineEdit* edit = dialogkit::MakeEdit(this, editId);
    grid.addWidget(edit, row, 1);
    if (!unit.isEmpty()) {
        grid.addWidget(new QLabel(unit, this), row, 2);
    }
    return edit;
}

void CLayerPage::BindRoundedEntry(QLineEdit* edit, const layer_entry::RoundedRule& rule, FieldOf field) {
    connect(edit, &QLineEdit::editingFinished, this, [edit, rule, field] {
        double* stored = field();
        if (stored == nullptr) {
            return;
        }
        const layer_entry::Entry entry = layer_entry::EnterRounded(rule, edit->text().toStdString());
        *stored = entry.stored;
        edit->setText(QString::fromStdString(entry.shown));
    });
}

template <typename Field>
void CLayerPage::BindCheck(QCheckBox* box, std::function<Field*()> field) {
    connect(box, &QCheckBox::clicked, this, [box, field] {
        if (Field* stored = field()) {
            *stored = box->isChecked() ? 1 : 0;
        }
    });
}

template void CLayerPage::BindCheck<std::int32_t>(QCheckBox*, std::function<std::int32_t*()>);
template void CLayerPage::BindCheck<std::uint16_t>(QCheckBox*, std::function<std::uint16_t*()>);

void CLayerPage::ShowStored(QLineEdit* edit, double value) {
    edit->setText(QString::fromStdString(layer_entry::ShowStored(value)));
}
