// A dialog's headless half: a form over a copy of its record. The form loads the copy from the record,
// says which controls are enabled, checks the copy once the window's entries are taken into it, and
// applies it; the window only binds controls to the fields of the record's table.
//
// The record's table is found as VisitFields(record, visit), which calls visit(FieldInfo, member) for
// each field; every field whose FieldInfo names a control is bound to that control.
#pragma once

#include <concepts>
#include <optional>
#include <type_traits>

#include "FieldInfo.h"
#include "FormEntries.h"
#include "FormProblem.h"

namespace dialogkit {

// A form: `Record` is what it edits; Load copies the record in, Edited is the copy, Enabled the state
// of the controls for the copy, Check the first problem of the copy beyond each field's own range
// (which the kit checks first). Each form also has an Apply, over whatever the record belongs to.
template <typename Form>
concept RecordForm = requires(Form& form, const Form& view, const typename Form::Record& original) {
    form.Load(original);
    { form.Edited() } -> std::same_as<typename Form::Record&>;
    { view.Enabled() } -> std::convertible_to<FormEnabling>;
    { view.Check() } -> std::same_as<std::optional<FormProblem>>;
};

// The field's value as a number (a switch as 0 or 1).
template <typename Member>
double FieldNumber(const Member& member) {
    return static_cast<double>(member);
}

// Stores an entry that CheckFieldNumber accepted: a whole-number field holds it exactly.
template <typename Member>
void StoreFieldNumber(Member& member, double number) {
    if constexpr (std::is_same_v<Member, bool>) {
        member = number != 0.0;
    } else {
        member = static_cast<Member>(number);
    }
}

// Calls visit(FieldInfo, member) for each field of the record's table that a control edits.
template <typename Record, typename Visit>
void VisitBoundFields(Record& record, Visit&& visit) {
    VisitFields(record, [&](const FieldInfo& field, auto& member) {
        if constexpr (std::is_arithmetic_v<std::remove_cvref_t<decltype(member)>>) {
            if (field.controlId != 0) {
                visit(field, member);
            }
        }
    });
}

// Takes the entries into the copy: the first entry that its field cannot take is reported, in the
// order of the table, and then nothing is stored.
template <typename Record>
std::optional<FormProblem> TakeEntries(Record& copy, const FormEntries& entries) {
    std::optional<FormProblem> problem;
    VisitBoundFields(copy, [&](const FieldInfo& field, auto&) {
        if (!problem && entries.Has(field.controlId)) {
            problem = CheckFieldNumber(field, entries.Number(field.controlId));
        }
    });
    if (problem) {
        return problem;
    }
    VisitBoundFields(copy, [&](const FieldInfo& field, auto& member) {
        if (entries.Has(field.controlId)) {
            StoreFieldNumber(member, *entries.Number(field.controlId));
        }
    });
    return std::nullopt;
}

// Takes every entry that its field can take and leaves the others' fields as they were: what the
// enabling rules see while the user is still typing.
template <typename Record>
void TakeAcceptableEntries(Record& copy, const FormEntries& entries) {
    VisitBoundFields(copy, [&](const FieldInfo& field, auto& member) {
        const std::optional<double> number = entries.Number(field.controlId);
        if (entries.Has(field.controlId) && !CheckFieldNumber(field, number)) {
            StoreFieldNumber(member, *number);
        }
    });
}

// What OK does before anything is applied: the entries into the copy, then the form's own check.
template <RecordForm Form>
std::optional<FormProblem> SubmitEntries(Form& form, const FormEntries& entries) {
    if (std::optional<FormProblem> problem = TakeEntries(form.Edited(), entries)) {
        return problem;
    }
    return form.Check();
}

}  // namespace dialogkit
