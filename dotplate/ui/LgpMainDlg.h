// CLgpMainDlg: the designer's main window: the preview on the left, the three pages in a tab control
// and the output panel on the right. It loads the designer's texts and "LGPConfig" when it opens and
// writes "LGPConfig" however it ends; an export ends it with OK.
#pragma once

#include <QDialog>

class QTabWidget;

namespace dotplate::ui {

class CLgpDotPage;
class CLgpLaserPage;
class CLgpPreviewArea;
class CLgpProcessPanel;
class CSysDlg;

class CLgpMainDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CLgpMainDlg(QWidget* parent = nullptr);

    CLgpPreviewArea& Preview() { return *preview_; }
    void SelectPage(int index);

  protected:
    bool event(QEvent* event) override;
    void done(int result) override;

  private:
    void PlateChanged(bool fit);

    CLgpPreviewArea* preview_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    CLgpDotPage* dotPage_ = nullptr;
    CLgpLaserPage* laserPage_ = nullptr;
    CSysDlg* sysPage_ = nullptr;
    CLgpProcessPanel* panel_ = nullptr;
    bool saved_ = false;
};

}  // namespace dotplate::ui
