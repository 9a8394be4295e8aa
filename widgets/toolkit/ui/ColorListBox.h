// A list box whose lines each carry their own text colour: the data check's result list.
#pragma once

#include "GdiTypes.h"

#include <QListWidget>

class CColorListBox : public QListWidget {
    Q_OBJECT

  public:
    explicit CColorListBox(QWidget* parent = nullptr);

    // The new line's index.
    int AddString(const QString& text, platform::ColorRef color);
    // Replaces the line in place with the new text and colour; a negative or missing index does nothing.
    void ReplaceString(int index, const QString& text, platform::ColorRef color);
    // The colour a line's text is painted in now.
    platform::ColorRef PaintedTextColor(int index) const;
};
