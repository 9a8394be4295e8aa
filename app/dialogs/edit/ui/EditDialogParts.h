// What the editing tool dialogs' windows share: their texts from the language tables and the OK and
// Cancel row.
#pragma once

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QString>

#include "DialogControls.h"
#include "LanguageTexts.h"

namespace dialogs::edit::ui {

inline QString Text(const char* section, const char* key) {
    return QString::fromStdString(GetLangText(section, key));
}

// OK and Cancel on a row of the grid, their texts the ones every dialog shares.
inline void AddOkCancel(QWidget& dialog, QGridLayout& grid, int row) {
    grid.addWidget(dialogkit::MakeButton(&dialog, dialogkit::kOkButton, Text("ItemCommon", "1")), row, 0);
    grid.addWidget(dialogkit::MakeButton(&dialog, dialogkit::kCancelButton, Text("ItemCommon", "2")), row, 1);
}

}  // namespace dialogs::edit::ui
