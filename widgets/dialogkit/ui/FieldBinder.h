// The binder: each field of a record's table that names a control is bound to that control among the
// window's children (an edit, a check or radio box, or a drop-down list), shown from the record with the
// field's decimals and read back as entries for the form.
#pragma once

#include <functional>
#include <vector>

#include "CutrixAssert.h"
#include "FieldInfo.h"
#include "FormEntries.h"
#include "FormProblem.h"
#include "RecordForm.h"

class QWidget;

namespace dialogkit {

class FieldBinder {
  public:
    // Binds the record's fields to the window's controls, once; `changed` runs whenever the user changes
    // a bound control. A field whose control is missing, or a control bound to two fields, stops the
    // program: the dialog would silently drop or mix up values.
    template <typename Record>
    void Bind(QWidget& window, Record& record, std::function<void()> changed) {
        CUTRIX_ASSERT(window_ == nullptr);
        window_ = &window;
        changed_ = std::move(changed);
        VisitBoundFields(record, [this](const FieldInfo& field, auto&) { Add(field); });
    }

    // Shows every bound field of the record in its control.
    template <typename Record>
    void Show(Record& record) const {
        const ShowingGuard guard(showing_);
        VisitBoundFields(
            record, [this](const FieldInfo& field, auto& member) { ShowField(field, FieldNumber(member)); });
    }

    // What each bound control holds now.
    FormEntries Read() const;
    // Enables or disables each listed control, bound or not.
    void ShowEnabling(const FormEnabling& enabling) const;
    // The window's control of the id; stops the program when there is none.
    QWidget& Control(int controlId) const;

  private:
    // Showing values is not the user changing them.
    struct ShowingGuard {
        explicit ShowingGuard(bool& showing) : showing_(showing) { showing_ = true; }
        ~ShowingGuard() { showing_ = false; }
        bool& showing_;
    };

    struct Binding {
        FieldInfo field;
        QWidget* control;
    };

    void Add(const FieldInfo& field);
    void ShowField(const FieldInfo& field, double value) const;
    const Binding& BindingOf(int controlId) const;

    QWidget* window_ = nullptr;
    std::function<void()> changed_;
    mutable bool showing_ = false;
    std::vector<Binding> bindings_;
};

}  // namespace dialogkit
