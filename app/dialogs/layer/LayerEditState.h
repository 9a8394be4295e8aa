// The headless half of the layer parameter dialog: every layer of the drawing is edited on its edit
// copy while the dialog is open; the list chooses which layer is shown; OK commits all of them and
// writes them back into the colour tables, Cancel commits none.
#pragma once

#include <vector>

class CCadMgr;
class CCadLayer;
struct LayerCommonParams;
struct VectorLayerParams;
struct BitmapLayerParams;

// The processing modes, by their index in the mode list and their value in COM_WorkType.
enum class LayerPage { Scan = 0, Cut = 1, Dot = 2, Pen = 3 };

class LayerEditState {
  public:
    explicit LayerEditState(CCadMgr& manager) : manager_(manager) {}

    // Starts editing: the edit copy of every layer is reset from its committed copy. False, and the
    // dialog closes, when no layer is chosen for editing or the chosen one is not in the drawing.
    bool BeginEdit();

    int RowCount() const;
    CCadLayer* LayerAt(int row) const;
    // The row of the layer being edited, -1 when there is none.
    int SelectedRow() const;
    // Makes the layer of the row the edited one; a row outside the list keeps the edited layer.
    void Select(int row);

    // The edit copies of the layer shown; the kind's block is null for a layer of the other kind.
    LayerCommonParams& Common() const;
    VectorLayerParams* Vector() const;
    BitmapLayerParams* Bitmap() const;
    bool IsVector() const { return Vector() != nullptr; }

    // The mode list of the shown layer's kind: Scan for a bitmap layer; Scan, Cut, Dot and, while the
    // pen mode is enabled, Pen for a vector layer.
    std::vector<LayerPage> ModeItems() const;
    // The mode list's selection, -1 when the stored mode is not offered (a pen layer without pen mode).
    int ModeSelection() const;
    // The page that shows the layer: its mode, held to the pages that exist.
    LayerPage ShownPage() const;
    // The pen rule: a pen layer has no laser powers and no advanced parameters.
    bool PowerControlsEnabled() const;
    // A choice in the mode list (vector layers only).
    void ChooseMode(int modeIndex);

    // OK: every layer's edit copy is committed and the colour tables take the layers' parameters.
    void CommitEdit();

  private:
    CCadMgr& manager_;
};
