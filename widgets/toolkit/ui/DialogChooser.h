// The colour, font and file dialogs the controls open, behind one interface so that tests can answer
// them without showing a window.
#pragma once

#include "GdiTypes.h"

#include <QString>

#include <optional>

class QWidget;

struct FontChoice {
    QString face;
    int height = 0;  // logical height, as the font dialog reports it
    platform::ColorRef color = 0;
};

class DialogChooser {
  public:
    virtual ~DialogChooser() = default;
    // Each returns nothing when the user cancels.
    virtual std::optional<platform::ColorRef> ChooseColor(QWidget* parent, platform::ColorRef start) = 0;
    virtual std::optional<FontChoice> ChooseFont(QWidget* parent, const FontChoice& start) = 0;
    virtual std::optional<QString> ChooseOpenFile(QWidget* parent, const QString& title, const QString& filter,
                                                  const QString& startFolder) = 0;
};

// The chooser that shows Qt's own dialogs.
DialogChooser& StandardDialogChooser();
