// CDataCheckDlg: the modeless data check window. Its boxes choose the passes and write the drawing
// manager's data-check options at once; "Check" runs the passes over the selection, lists their lines
// in colour and leaves the faulty curves selected. While a check runs the window cannot be closed and
// a second check is refused; Enter and Escape never close it.
#pragma once

#include <functional>
#include <string>

#include <QDialog>

#include "DataCheckReport.h"

class CCadMgr;
class QGridLayout;
class QListWidget;

namespace dialogs::edit::ui {

// The result list: one text colour per line.
class CColorListBox : public DataCheckReport {
  public:
    explicit CColorListBox(QListWidget& list) : list_(list) {}
    int AddLine(const std::string& text, std::uint32_t colour) override;
    void ReplaceLine(int index, const std::string& text, std::uint32_t colour) override;

  private:
    QListWidget& list_;
};

class CDataCheckDlg : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kCheckButton = 1146;
    static constexpr int kResultList = 1147;
    static constexpr int kCloseToleranceEdit = 1006;
    static constexpr int kOverlapToleranceEdit = 1062;

    // `checked` runs after each check, for the main window to show the new selection.
    CDataCheckDlg(QWidget* parent, CCadMgr& manager, std::function<void()> checked);

    bool IsBusy() const { return busy_; }
    // The "Check" button.
    void OnCheck();

    // Enter and Escape do nothing: the window closes by its close box only.
    void accept() override {}
    void reject() override {}

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void MakeBoxes(QGridLayout& grid);
    void ShowEnabling();
    // The two tolerances into the options; false, with the focus on the edit, when one holds no number.
    bool TakeTolerances();

    CCadMgr& manager_;
    std::function<void()> checked_;
    QListWidget* results_ = nullptr;
    CColorListBox report_;
    bool busy_ = false;
};

}  // namespace dialogs::edit::ui
