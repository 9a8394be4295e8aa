// CDlgLayerPara: the layer parameter dialog. It lists every layer of the drawing and edits any of them
// on their edit copies: output, speed, the powers of both lasers, blowing and the processing mode with
// the mode's own page. OK commits every layer and the colour tables as one undoable change; Cancel
// commits none.
#pragma once

#include <array>

#include <QDialog>

#include "LayerEditState.h"

class CCadMgr;
class CColorListCtrl;
class CLayerPage;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

class CDlgLayerPara : public QDialog {
  public:
    static constexpr int kLayerList = 1086;
    static constexpr int kScrollDownButton = 1059;
    static constexpr int kScrollUpButton = 1060;
    static constexpr int kColourSwatch = 1188;
    static constexpr int kOutputList = 1174;
    static constexpr int kSpeedLabel = 1175;
    static constexpr int kSpeedEdit = 1176;
    static constexpr int kSpeedDefaultCheck = 1065;
    static constexpr int kMinPower1Edit = 1178;
    static constexpr int kMaxPower1Edit = 1180;
    static constexpr int kMinPower2Edit = 1189;
    static constexpr int kMaxPower2Edit = 1190;
    static constexpr int kPowerDefaultCheck = 1066;
    static constexpr int kBlowList = 1182;
    static constexpr int kModeList = 1184;
    static constexpr int kPageFrame = 1185;
    static constexpr int kAdvanceButton = 1015;
    static constexpr int kLibraryButton = 1058;
    static constexpr int kOkButton = 1186;
    static constexpr int kCancelButton = 1187;

    CDlgLayerPara(QWidget* parent, CCadMgr& manager);

    // Starts editing every layer and shows the edited one (CurrentEditLayer); false when there is none.
    bool Open();
    // Open, then runs the dialog; Rejected at once when there is no layer to edit.
    int exec() override;
    void accept() override;

    // The page of a mode; the window of its own that holds the mode's controls.
    CLayerPage& Page(LayerPage page) const { return *pages_[static_cast<std::size_t>(page)]; }
    const LayerEditState& EditState() const { return state_; }

  private:
    void MakeControls();
    void ConnectControls();
    // Shows the edited layer: colour, values, mode list and page, and every page's fields.
    void Refresh();
    void ShowPage(LayerPage page);
    void ApplyPowerEnabling();
    void ScrollList(int rows);

    CCadMgr& manager_;
    LayerEditState state_;
    CColorListCtrl* layers_ = nullptr;
    QLabel* swatch_ = nullptr;
    QComboBox* output_ = nullptr;
    QLineEdit* speed_ = nullptr;
    QCheckBox* speedDefault_ = nullptr;
    std::array<QLineEdit*, 4> powers_{};
    QCheckBox* powerDefault_ = nullptr;
    QComboBox* blow_ = nullptr;
    QComboBox* mode_ = nullptr;
    QStackedWidget* pageFrame_ = nullptr;
    QPushButton* advance_ = nullptr;
    std::array<CLayerPage*, 4> pages_{};
};
