// CSysDlg: the third page of the designer, the plate shape: a standard rectangular or elliptical
// plate, resizing of the outline, the blank margin, the import of a drawn outline and the export of
// the finished design.
#pragma once

#include <QWidget>

namespace dotplate::ui {

class CSysDlg : public QWidget {
    Q_OBJECT

  public:
    explicit CSysDlg(QWidget* parent = nullptr);

    // The resize edits show the plate's size.
    void ShowPlateSize();

  signals:
    // The plate changed; with `fit` the preview fits it again.
    void plateChanged(bool fit);

  private:
    void BuildControls();
    void ShowValues();
    void CommitPlateSize(int id);
    void CommitDistance();
    void CommitResize(bool widthTyped);
    void ApplyBlankEnabling();
    void ApplyStandardPlate();
    void ApplyResize();
    void Import();
    void Export();
};

// Writes "lgp.ds" for the main program and asks the main dialog to end with OK; shows "Lack LGP
// data!" without dots. The plate shape page refuses the ellipse and rectangle modes first.
void ExportDesignAndFinish(QWidget& owner, bool refuseDotModes);

}  // namespace dotplate::ui
