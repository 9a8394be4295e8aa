// A page that a dialog hosts as a window of its own (a tab or a process page): Enter and Escape inside
// it do nothing, so that only the hosting dialog's own OK and Cancel close the dialog, and an edit left
// by Enter still stores its entry.
#pragma once

#include <QWidget>

class QKeyEvent;

namespace dialogkit {

class DialogPage : public QWidget {
  public:
    explicit DialogPage(QWidget* parent);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace dialogkit
