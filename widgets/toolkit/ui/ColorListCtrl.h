// A report list drawn cell by cell: bordered boxes with centred text, the selected row in white on blue;
// column 0 can show each layer's colour instead, and a grey insertion mark can be drawn under one row
// while the user drags a layer.
#pragma once

#include "GdiTypes.h"

#include <QTableWidget>

#include <functional>
#include <optional>

class CColorListCtrl : public QTableWidget {
    Q_OBJECT

  public:
    // The colour of the layer at a position of the layer list, or nothing past its end. It must read the
    // list without moving any cursor the list's other users rely on.
    using LayerColorSource = std::function<std::optional<platform::ColorRef>(int position)>;

    static constexpr platform::ColorRef kSelectedFill = platform::Rgb(0, 0, 200);
    static constexpr platform::ColorRef kDropMarkColor = platform::Rgb(129, 129, 129);

    explicit CColorListCtrl(QWidget* parent = nullptr);

    void EnableDropMark(bool on) { dropMarkEnabled_ = on; }
    // -1 removes the mark; the caller repaints.
    void SetDropMark(int row, int flag);
    void ShowLayerColors(bool on) { layerColors_ = on; }
    void SetLayerColorSource(LayerColorSource source) { layerColorSource_ = std::move(source); }

    // Fill and text colour of a cell as painted.
    struct CellColors {
        platform::ColorRef fill;
        platform::ColorRef text;
    };
    CellColors ColorsOf(int row, int column) const;
    bool LayerColorsShown() const { return layerColors_; }
    bool DropMarkShownAt(int row) const { return dropMarkEnabled_ && row == markRow_ && row >= 0; }

  private:
    int markRow_ = -1;
    int markFlag_ = 0;
    bool dropMarkEnabled_ = false;
    bool layerColors_ = false;
    LayerColorSource layerColorSource_;
};
