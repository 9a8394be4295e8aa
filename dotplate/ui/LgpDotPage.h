// CLgpDotPage: the first page of the designer, the dot pattern: dot size and its gradients, the dot
// mode, the spacings with their gradients, the baseline, staggering and light sources. Every edit is
// checked and stored in the dot parameters as it loses the focus.
#pragma once

#include <QWidget>

class QComboBox;

namespace dotplate::ui {

class CLgpDotPage : public QWidget {
    Q_OBJECT

  public:
    explicit CLgpDotPage(QWidget* parent = nullptr);

    // The baseline dragged in the preview: both rounded to 0.001 mm, shown and stored.
    void SetBaseline(double x, double y);

  signals:
    // A light source or the baseline changed what the preview shows.
    void previewChanged();

  private:
    void BuildControls();
    void ShowValues();
    void CommitEdit(int id);
    void ModeChanged(int mode);
    void RelabelStagger();
    void ApplyEnabling();

    QComboBox* mode_ = nullptr;
};

}  // namespace dotplate::ui
