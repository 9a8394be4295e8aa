// CFileParaDlg: how drawing files are imported and exported and which speed unit the windows show. It
// edits the program's file parameters on OK; opening it already mends stored tolerances out of range.
#pragma once

#include <QDialog>

struct FileParaSettings;
class QCheckBox;
class QComboBox;
class QLineEdit;

class CFileParaDlg : public QDialog {
  public:
    static constexpr int kPltPrecisionList = 1053;
    static constexpr int kDxfUnitList = 1054;
    static constexpr int kDxfFactorEdit = 1132;
    static constexpr int kImportDxfTextCheck = 1046;
    static constexpr int kAutoCloseCheck = 1005;
    static constexpr int kCloseErrorEdit = 1006;
    static constexpr int kCombineCheck = 1002;
    static constexpr int kCombineErrorEdit = 1007;
    static constexpr int kExportPrecisionEdit = 1055;
    static constexpr int kVelocityUnitList = 1070;
    static constexpr int kSmoothCheck = 1004;
    static constexpr int kSmoothPrecisionEdit = 1008;
    static constexpr int kGreyScaleCheck = 1010;

    CFileParaDlg(QWidget* parent, FileParaSettings& settings);

    void accept() override;

  private:
    FileParaSettings& settings_;
    QComboBox* pltPrecision_;
    QComboBox* dxfUnit_;
    QLineEdit* dxfFactor_;
    QCheckBox* importDxfText_;
    QCheckBox* autoClose_;
    QLineEdit* closeError_;
    QCheckBox* combine_;
    QLineEdit* combineError_;
    QLineEdit* exportPrecision_;
    QComboBox* velocityUnit_;
    QCheckBox* smooth_;
    QLineEdit* smoothPrecision_;
    QCheckBox* greyScale_;
};
