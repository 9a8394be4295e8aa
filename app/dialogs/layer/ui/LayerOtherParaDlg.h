// CLayerOtherParaDlg: the layer's other parameters, for layers of either kind: lifting and lowering
// the head on the Z axis at laser off and on (positions read from the controller if wished), the dot
// interval, which lasers the layer uses, and the extended IO output. Written into the edit copy on OK.
#pragma once

#include <QDialog>

class CConnectSetting;
class LayerEditState;
class QCheckBox;
class QLineEdit;
class QPushButton;

class CLayerOtherParaDlg : public QDialog {
  public:
    static constexpr int kPenUpDownCheck = 1005;
    static constexpr int kPenDownCheck = 1000;
    static constexpr int kPenUpCheck = 1001;
    static constexpr int kDownPositionEdit = 1006;
    static constexpr int kUpPositionEdit = 1007;
    static constexpr int kReadDownButton = 1058;
    static constexpr int kReadUpButton = 1059;
    static constexpr int kZSpeedEdit = 1002;
    static constexpr int kDotIntervalEdit = 1023;
    static constexpr int kLaser1Check = 1024;
    static constexpr int kLaser2Check = 1025;
    static constexpr int kExtendIoCheck = 1161;

    CLayerOtherParaDlg(QWidget* parent, LayerEditState& state, const CConnectSetting& connection);

    void accept() override;

  private:
    void EnableZControls();
    // Reads the Z position into the edit; the other edits show the stored values again.
    void ReadZInto(QLineEdit* positionEdit);

    LayerEditState& state_;
    const CConnectSetting& connection_;
    QCheckBox* penUpDown_;
    QCheckBox* penDown_;
    QCheckBox* penUp_;
    QLineEdit* downPosition_;
    QLineEdit* upPosition_;
    QPushButton* readDown_;
    QPushButton* readUp_;
    QLineEdit* zSpeed_;
    QLineEdit* dotInterval_;
    QCheckBox* laser1_;
    QCheckBox* laser2_;
    QCheckBox* extendIo_;
};
