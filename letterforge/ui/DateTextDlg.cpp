// The date panel's controls and their exchange with the working record.
#include "DateTextDlg.h"

#include <algorithm>

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "DateFormatList.h"
#include "DateText.h"
#include "DialogControls.h"
#include "DialogTexts.h"
#include "EngineSettings.h"
#include "Numbers.h"
#include "TextEdit.h"
#include "TextEntryRules.h"

namespace letterforge {
namespace {

// The arrows step the offset within these bounds; a typed offset goes beyond them up to its field.
constexpr int kLowestSteppedOffset = -100;
constexpr int kHighestSteppedOffset = 100;

QToolButton* ArrowButton(QWidget* parent, Qt::ArrowType arrow) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFixedSize(18, 11);
    return button;
}

}  // namespace

CDateTextDlg::CDateTextDlg(QWidget* parent) : QWidget(parent) {
    setObjectName(QString::number(kTemplateId));
    formats_ = new QListWidget(this);
    formats_->setObjectName(QString::number(kFormatList));
    for (const std::string& entry : DateFormatEntries(CurrentLocalTime())) {
        formats_->addItem(QString::fromStdString(entry));
    }
    formats_->setCurrentRow(EditTextParam.dateFormat < kListedDateFormats ? EditTextParam.dateFormat : -1);

    unit_ = new QComboBox(this);
    unit_->setObjectName(QString::number(kUnitCombo));
    for (DialogWord word : {DialogWord::kOffsetDays, DialogWord::kOffsetMonths, DialogWord::kOffsetYears}) {
        unit_->addItem(QString::fromStdString(DialogWordText(word, DialogLanguage)));
    }
    unit_->setCurrentIndex(EditTextParam.dateOffsetUnit <= kOffsetYears ? EditTextParam.dateOffsetUnit : 0);

    offset_ = dialogkit::MakeEdit(this, kOffsetEdit);
    offset_->setText(QString::fromStdString(platform::FormatInt(EditTextParam.dateOffset)));
    connect(offset_, &QLineEdit::editingFinished, this, &CDateTextDlg::CommitOffset);

    auto* spin = new QWidget(this);
    spin->setObjectName(QString::number(kOffsetSpin));
    auto* spinLayout = new QVBoxLayout(spin);
    spinLayout->setContentsMargins(0, 0, 0, 0);
    spinLayout->setSpacing(0);
    QToolButton* up = ArrowButton(spin, Qt::UpArrow);
    QToolButton* down = ArrowButton(spin, Qt::DownArrow);
    spinLayout->addWidget(up);
    spinLayout->addWidget(down);
    connect(up, &QToolButton::clicked, this, [this] { StepOffset(1); });
    connect(down, &QToolButton::clicked, this, [this] { StepOffset(-1); });

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(formats_, 0, 0, 1, 4);
    layout->addWidget(dialogkit::MakeLabel(this, kOffsetLabel,
                                           QString::fromStdString(DialogCaption(
                                               TextDialog::kDate, kOffsetLabel, DialogLanguage))),
                      1, 0);
    layout->addWidget(unit_, 1, 1);
    layout->addWidget(offset_, 1, 2);
    layout->addWidget(spin, 1, 3);
    layout->setColumnStretch(2, 1);
}

void CDateTextDlg::CommitOffset() {
    const std::int16_t offset = ReadDateOffset(offset_->text().toStdString());
    offset_->setText(QString::fromStdString(platform::FormatInt(offset)));
}

void CDateTextDlg::StepOffset(int step) {
    const int offset = ReadDateOffset(offset_->text().toStdString()) + step;
    offset_->setText(QString::number(std::clamp(offset, kLowestSteppedOffset, kHighestSteppedOffset)));
}

std::string CDateTextDlg::GetDateText() {
    CommitOffset();
    if (formats_->currentRow() >= 0) {
        EditTextParam.dateFormat = static_cast<std::uint16_t>(formats_->currentRow());
    }
    EditTextParam.dateOffsetUnit = static_cast<std::uint16_t>(std::max(unit_->currentIndex(), 0));
    EditTextParam.dateOffset = ReadDateOffset(offset_->text().toStdString());
    _text_getdate(&EditTextParam);
    return EditTextParam.text;
}

}  // namespace letterforge
