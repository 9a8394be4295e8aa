// CCutExDlg: the kerf compensation of a cut layer: whether the path is shifted sideways by the width of
// the cut, to which side and how far. It writes the edit copy of the edited layer on OK; opening it
// already brings a stored width into its range, so that no job ever carries a width outside it.
#pragma once

#include <QDialog>

class LayerEditState;
class QCheckBox;
class QComboBox;
class QLineEdit;
struct VectorLayerParams;

class CCutExDlg : public QDialog {
  public:
    static constexpr int kEnableCheck = 1049;
    static constexpr int kDirectionList = 1086;
    static constexpr int kWidthEdit = 1044;

    CCutExDlg(QWidget* parent, LayerEditState& state);

    void accept() override;

  private:
    // The edited layer's block when it is a vector layer in cut mode, the only one this dialog acts on.
    VectorLayerParams* CutLayer() const;
    void EnableByCheck();

    LayerEditState& state_;
    QCheckBox* enable_;
    QComboBox* direction_;
    QLineEdit* width_;
};
