// CLgpLaserPage: the second page of the designer, the processing parameters of the dot job: speed,
// powers, blower, scan type and precision, delays, the outline cut, the array of plates and the
// ellipse-to-dot option. Every edit is limited and stored as it loses the focus.
#pragma once

#include <QWidget>

namespace dotplate::ui {

class CLgpLaserPage : public QWidget {
    Q_OBJECT

  public:
    explicit CLgpLaserPage(QWidget* parent = nullptr);

  signals:
    // The array changed what the preview shows.
    void previewChanged();

  private:
    void BuildControls();
    void ShowValues();
    void CommitEdit(int id);
    void ShowDirection();
    void ApplyEnabling();
};

}  // namespace dotplate::ui
