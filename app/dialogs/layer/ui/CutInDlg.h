// CCutInDlg: the lead-in and lead-out lines of cut curves: a short entry cut before the contour and an
// exit cut after it. It starts from the single selected curve's leads, or from fresh ones; OK hands both
// records to every selected curve as one undoable change.
#pragma once

#include <array>

#include <QDialog>

#include "LeadRecords.h"

class CCadMgr;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

class CCutInDlg : public QDialog {
  public:
    // The controls of one side, by their ids.
    struct SideIds {
        int group, enable, lineTypeLabel, lineType, lengthLabel, length, position, angleLabel, angle, female,
            male;
    };
    static constexpr SideIds kLeadIn{1004, 1000, 1018, 1001, 1014, 1008, 1016, 1019, 1006, 1003, 1007};
    static constexpr SideIds kLeadOut{1005, 1002, 1021, 1012, 1015, 1009, 1017, 1020, 1013, 1010, 1011};

    // Fills from the manager's single selected curve, else from fresh leads.
    CCutInDlg(QWidget* parent, CCadMgr& manager);

    void accept() override;

  private:
    struct Side {
        QCheckBox* enable;
        QComboBox* lineType;
        QLabel* lengthLabel;
        QLineEdit* length;
        QComboBox* position;
        QLabel* angleLabel;
        QLineEdit* angle;
        QRadioButton* female;
        QRadioButton* male;
    };
    // The texts' keys of one side: group, enable, line type label and items, length, positions, angle,
    // female, male.
    struct SideTexts {
        const char* group;
        const char* enable;
        const char* lineTypeLabel;
        const char* line;
        const char* arc;
        const char* length;
        const char* positions[3];
        const char* angle;
        const char* female;
        const char* male;
    };

    Side MakeSide(const SideIds& ids, const SideTexts& texts);
    void Fill(Side& side, const CutInOutPara& record);
    LeadEntries EntriesOf(const Side& side) const;
    // Shows and enables each side's controls for what it now holds.
    void RefreshSides();

    CCadMgr& manager_;
    std::array<Side, 2> sides_{};
};
