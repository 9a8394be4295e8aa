// RecordDialog<Form>: the window of a form. It edits the form's copy of the record: the derived dialog
// makes its controls (OK and Cancel with ids 1 and 2) and then calls BindControls. On OK the binder
// reads the window, the first problem puts the focus on its control with the language file's message
// and keeps the window open; otherwise the applier is handed the form once and the window closes.
// Cancel closes without handing anything over.
#pragma once

#include <functional>
#include <optional>
#include <utility>

#include <QDialog>

#include "FieldBinder.h"
#include "FormProblem.h"
#include "RecordForm.h"

namespace dialogkit {

// The part of every record dialog that does not depend on its form.
class RecordDialogBase : public QDialog {
    Q_OBJECT

  public:
    // Commits the focused edit (Enter presses OK without moving the focus), then submits.
    void accept() override;

  protected:
    explicit RecordDialogBase(QWidget* parent);
    // OK (id 1) accepts and Cancel (id 2) rejects, where the dialog has them.
    void ConnectOkCancel();
    void ReportProblem(const FormProblem& problem);

    FieldBinder binder_;

  private:
    // True when the form was applied and the window may close.
    virtual bool Submit() = 0;
};

template <RecordForm Form>
class RecordDialog : public RecordDialogBase {
  public:
    using Record = typename Form::Record;
    // What OK does with a form that passed its check: changes what the record belongs to.
    using Applier = std::function<void(Form&)>;

    RecordDialog(QWidget* parent, Form form, const Record& original, Applier apply)
        : RecordDialogBase(parent), form_(std::move(form)), apply_(std::move(apply)) {
        form_.Load(original);
    }

    const Form& GetForm() const { return form_; }

  protected:
    // After the controls are made: binds every field of the table that names a control, shows the copy
    // and its enabling.
    void BindControls() {
        binder_.Bind(*this, form_.Edited(), [this] { ControlChanged(); });
        binder_.Show(form_.Edited());
        binder_.ShowEnabling(form_.Enabled());
        ConnectOkCancel();
    }

  private:
    void ControlChanged() {
        TakeAcceptableEntries(form_.Edited(), binder_.Read());
        binder_.ShowEnabling(form_.Enabled());
    }

    bool Submit() override {
        if (const std::optional<FormProblem> problem = SubmitEntries(form_, binder_.Read())) {
            ReportProblem(*problem);
            return false;
        }
        if (apply_) {
            apply_(form_);
        }
        return true;
    }

    Form form_;
    Applier apply_;
};

}  // namespace dialogkit
