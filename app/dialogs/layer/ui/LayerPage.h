// CLayerPage: what the process pages of the layer parameter dialog share. A page works on the edit copy
// of the edited layer (through the dialog's edit state): every entry is stored the moment its edit is
// left, corrected by its rule and shown back; committing is the dialog's business.
#pragma once

#include <functional>
#include <string_view>

#include <QString>

#include "DialogPage.h"
#include "LayerEntryRules.h"

class LayerEditState;
class QCheckBox;
class QGridLayout;
class QLineEdit;

// A text of the layer dialogs' language section.
QString LayerText(std::string_view key);
// A text of any section.
QString LangText(std::string_view section, std::string_view key);

class CLayerPage : public dialogkit::DialogPage {
  public:
    CLayerPage(QWidget* parent, LayerEditState& state);
    // Shows the edited layer's values; a page ignores a layer that is not of its kind.
    virtual void Refresh() = 0;

  protected:
    // The field an entry stores into; null while the edited layer has no such field.
    using FieldOf = std::function<double*()>;

    // A label, an edit and an optional unit on one row of the grid.
    QLineEdit* AddEditRow(QGridLayout& grid, int row, int labelId, const QString& label, int editId,
                          const QString& unit = {});
    // When the edit is left: the rule stores the entry into the field and the edit shows what was stored.
    void BindRoundedEntry(QLineEdit* edit, const layer_entry::RoundedRule& rule, FieldOf field);
    // When the box is clicked: its state into the field.
    template <typename Field>
    void BindCheck(QCheckBox* box, std::function<Field*()> field);

    static void ShowStored(QLineEdit* edit, double value);

    LayerEditState& state_;
};
