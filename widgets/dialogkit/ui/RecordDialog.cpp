#include "RecordDialog.h"

#include <QLineEdit>
#include <QPushButton>

#include "DialogControls.h"
#include "DialogMessages.h"

namespace dialogkit {

RecordDialogBase::RecordDialogBase(QWidget* parent) : QDialog(parent) {}

void RecordDialogBase::ConnectOkCancel() {
    if (QPushButton* ok = Find<QPushButton>(*this, kOkButton)) {
        ok->setDefault(true);
        connect(ok, &QPushButton::clicked, this, &RecordDialogBase::accept);
    }
    if (QPushButton* cancel = Find<QPushButton>(*this, kCancelButton)) {
        connect(cancel, &QPushButton::clicked, this, &RecordDialogBase::reject);
    }
}

void RecordDialogBase::accept() {
    CommitFocusedEdit(*this);
    if (Submit()) {
        QDialog::accept();
    }
}

void RecordDialogBase::ReportProblem(const FormProblem& problem) {
    ShowDialogMessage(this, ProblemText(problem), platform::kOk | platform::kIconWarning);
    QWidget& control = binder_.Control(problem.controlId);
    control.setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(&control)) {
        edit->selectAll();
    }
}

}  // namespace dialogkit
