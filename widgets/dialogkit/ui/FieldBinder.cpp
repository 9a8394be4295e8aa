#include "FieldBinder.h"

#include <algorithm>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

#include "DialogControls.h"

namespace dialogkit {

namespace {

bool IsBindable(QWidget& control) {
    if (auto* button = qobject_cast<QAbstractButton*>(&control)) {
        return button->isCheckable();
    }
    return qobject_cast<QLineEdit*>(&control) != nullptr || qobject_cast<QComboBox*>(&control) != nullptr;
}

}  // namespace

QWidget& FieldBinder::Control(int controlId) const {
    CUTRIX_ASSERT(window_ != nullptr);
    QWidget* control = Find<QWidget>(*window_, controlId);
    CUTRIX_ASSERT(control != nullptr);
    return *control;
}

void FieldBinder::Add(const FieldInfo& field) {
    const bool boundBefore = std::any_of(bindings_.begin(), bindings_.end(), [&](const Binding& binding) {
        return binding.field.controlId == field.controlId;
    });
    CUTRIX_ASSERT(!boundBefore);
    QWidget& control = Control(field.controlId);
    CUTRIX_ASSERT(IsBindable(control));
    bindings_.push_back({field, &control});
    const auto changed = [this] {
        if (changed_ && !showing_) {
            changed_();
        }
    };
    if (auto* edit = qobject_cast<QLineEdit*>(&control)) {
        QObject::connect(edit, &QLineEdit::editingFinished, edit, changed);
    } else if (auto* list = qobject_cast<QComboBox*>(&control)) {
        QObject::connect(list, &QComboBox::currentIndexChanged, list, changed);
    } else {
        auto* box = qobject_cast<QAbstractButton*>(&control);
        QObject::connect(box, &QAbstractButton::toggled, box, changed);
    }
}

void FieldBinder::ShowField(const FieldInfo& field, double value) const {
    QWidget* control = BindingOf(field.controlId).control;
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        ShowNumber(*edit, value, field.decimals);
    } else if (auto* list = qobject_cast<QComboBox*>(control)) {
        list->setCurrentIndex(static_cast<int>(value));
    } else {
        qobject_cast<QAbstractButton*>(control)->setChecked(value != 0.0);
    }
}

const FieldBinder::Binding& FieldBinder::BindingOf(int controlId) const {
    const auto found = std::find_if(bindings_.begin(), bindings_.end(), [&](const Binding& binding) {
        return binding.field.controlId == controlId;
    });
    CUTRIX_ASSERT(found != bindings_.end());
    return *found;
}

FormEntries FieldBinder::Read() const {
    FormEntries entries;
    for (const Binding& binding : bindings_) {
        const int id = binding.field.controlId;
        if (auto* edit = qobject_cast<QLineEdit*>(binding.control)) {
            entries.EnterText(id, edit->text().toStdString());
        } else if (auto* list = qobject_cast<QComboBox*>(binding.control)) {
            entries.EnterNumber(id, list->currentIndex());
        } else {
            entries.EnterNumber(id, qobject_cast<QAbstractButton*>(binding.control)->isChecked() ? 1 : 0);
        }
    }
    return entries;
}

void FieldBinder::ShowEnabling(const FormEnabling& enabling) const {
    for (const ControlState& state : enabling) {
        Control(state.controlId).setEnabled(state.enabled);
    }
}

}  // namespace dialogkit
