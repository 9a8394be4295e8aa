// CParamLibDlg: the parameter library: lists the sets of Param.lib with the note and a summary of the
// one chosen, saves the layer being edited as a set, deletes sets, and loads a set into the layer being
// edited (its edit copy). A library that could not be read is shown empty and is never written over.
#pragma once

#include <functional>
#include <string>

#include <QDialog>

#include "LoaderHolder.h"
#include "ParamLibrary.h"

class QListWidget;
class QPlainTextEdit;
class QPushButton;

class CParamLibDlg : public QDialog {
  public:
    static constexpr int kSetList = 1078;
    static constexpr int kNoteBox = 1077;
    static constexpr int kSummaryBox = 1082;
    static constexpr int kSaveAsButton = 1058;
    static constexpr int kDeleteButton = 1059;
    static constexpr int kLoadButton = 1;
    static constexpr int kExitButton = 2;

    // Reads the library; a file that cannot be read is reported once the dialog is shown.
    explicit CParamLibDlg(QWidget* parent);

    int exec() override;
    // Load: the chosen set into the edited layer, then the dialog closes; a set of the other kind is
    // refused with a message and the dialog stays.
    void accept() override;

    // The name dialog that Save as runs; a test replaces it to answer without a window of its own.
    using NameAsker = std::function<bool(QWidget* parent, std::string& name, std::string& note)>;
    void SetNameAsker(NameAsker asker) { askName_ = std::move(asker); }

    void ReportOpening();
    void SaveLayerToLib();
    void OnDelete();

  private:
    void FillList();
    void ShowParamSet(int index);
    void ReportWrite(ParamLibrary::Written written);

    CLoaderHolder store_;
    ParamLibrary library_;
    ParamLibrary::Opened opened_;
    NameAsker askName_;
    QListWidget* list_;
    QPlainTextEdit* note_;
    QPlainTextEdit* summary_;
    QPushButton* saveAs_;
    QPushButton* delete_;
    QPushButton* load_;
};
