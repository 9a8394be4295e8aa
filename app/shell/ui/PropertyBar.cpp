// The property bar's fields, and their edits applied to the selected elements.
#include "PropertyBar.h"

#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QToolButton>

#include <cmath>
#include <string>

#include "CadMgr.h"
#include "CommandTable.h"
#include "ImageButton.h"
#include "LanguageTexts.h"
#include "ToolbarArt.h"
#include "WindowMessage.h"

namespace {

constexpr int kReferenceImageSize = 25;
constexpr int kReferenceCount = 9;
constexpr double kPercent = 100.0;

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A value as the bar shows it: up to 15 significant digits, so that a value cut to 0.001 reads as such.
QString NumberText(double value) {
    return QString::number(value, 'g', 15);
}

QImage TransparentImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

// Nine points of a rectangle as a 3 x 3 grid of small squares, the chosen one filled. Code 1 is the
// top left, as the reference codes count.
std::vector<QImage> ReferenceImages() {
    std::vector<QImage> images;
    for (int code = 1; code <= kReferenceCount; ++code) {
        QImage image = TransparentImage(kReferenceImageSize);
        DrawPicture(image, {}, "s R3 3 18 18");
        for (int spot = 0; spot < kReferenceCount; ++spot) {
            const std::string corner =
                std::to_string(1 + 8 * (spot % 3)) + " " + std::to_string(1 + 8 * (spot / 3));
            DrawPicture(image, {}, spot == code - 1 ? "r F" + corner + " 6 6" : "k R" + corner + " 5 5");
        }
        images.push_back(std::move(image));
    }
    return images;
}

// The element's place in the processing order, from 1. Elements added since the last renumbering still
// carry an old order number, so the place is counted rather than read.
std::uint32_t PlaceInOrder(const CCadMgr& manager, const CCadElement* element) {
    std::uint32_t place = 1;
    for (auto* node = manager.elementList.head->next; node != manager.elementList.head; node = node->next) {
        if (node->value == element) {
            return place;
        }
        ++place;
    }
    return 0;
}

}  // namespace

CPropertyBar::CPropertyBar(CCadMgr& manager, QWidget* parent) : QToolBar(parent), manager_(manager) {
    setObjectName(QStringLiteral("PropertyBar"));
    setWindowTitle(objectName());
    platform::SetControlId(*this, kBarId);

    cutNumberLabel_ = new QLabel(this);
    platform::SetControlId(*cutNumberLabel_, kCutNumberLabel);
    addWidget(cutNumberLabel_);
    AddEdit(kCutNumberEdit, {}, {});
    addSeparator();
    AddEdit(kXEdit, QStringLiteral("X"), QStringLiteral("mm"));
    AddEdit(kYEdit, QStringLiteral("Y"), QStringLiteral("mm"));
    addSeparator();
    AddEdit(kWidthEdit, QStringLiteral("W"), QStringLiteral("mm"));
    AddEdit(kHeightEdit, QStringLiteral("H"), QStringLiteral("mm"));
    addSeparator();
    AddEdit(kScaleXEdit, QStringLiteral("X"), QStringLiteral("%"));
    AddEdit(kScaleYEdit, QStringLiteral("Y"), QStringLiteral("%"));

    QImage open = TransparentImage(kButtonImageSize);
    QImage closed = TransparentImage(kButtonImageSize);
    DrawPicture(open, {}, "y F3 8 10 6 k R3 8 9 5 M9 8 L9 4 L10 3 L12 3 L13 4 L13 6");
    DrawPicture(closed, {}, "y F3 8 10 6 k R3 8 9 5 M5 8 L5 4 L6 3 L10 3 L11 4 L11 8");
    lockButton_ = new QToolButton(this);
    platform::SetControlId(*lockButton_, kLockButton);
    lockButton_->setCheckable(true);
    QIcon lockIcon;
    lockIcon.addPixmap(QPixmap::fromImage(open), QIcon::Normal, QIcon::Off);
    lockIcon.addPixmap(QPixmap::fromImage(closed), QIcon::Normal, QIcon::On);
    lockButton_->setIcon(lockIcon);
    connect(lockButton_, &QToolButton::toggled, this, [this](bool checked) { locked_ = checked; });
    addWidget(lockButton_);

    addSeparator();
    AddEdit(kAngleEdit, {}, QStringLiteral("°"));

    // The position reference is chosen in a dialog the program does not have yet; the button shows the
    // current point.
    referenceImages_ = ReferenceImages();
    referenceButton_ = new CImageButton(this);
    platform::SetControlId(*referenceButton_, kReferenceButton);
    referenceButton_->setFixedSize(kReferenceImageSize + 6, kReferenceImageSize + 6);
    referenceButton_->SetImageList(&referenceImages_);
    referenceButton_->SetImage(reference_ - 1);
    referenceButton_->setEnabled(false);
    referenceButton_->setStatusTip(FromUtf8(LaterCommandStatusText()));
    addWidget(referenceButton_);

    UpdateTexts();
    Refresh();
}

void CPropertyBar::AddEdit(int controlId, const QString& label, const QString& unit) {
    if (!label.isEmpty()) {
        addWidget(new QLabel(label, this));
    }
    auto* edit = new QLineEdit(this);
    platform::SetControlId(*edit, controlId);
    edit->setFixedWidth(controlId == kCutNumberEdit ? 40 : 60);
    addWidget(edit);
    if (!unit.isEmpty()) {
        addWidget(new QLabel(unit, this));
    }
    fields_.push_back({controlId, edit, {}});
    edit->installEventFilter(this);
    // Qt reports Enter, and a focus loss after a change, as the end of an edit.
    if (controlId == kCutNumberEdit) {
        connect(edit, &QLineEdit::editingFinished, this, &CPropertyBar::ApplyCutNumber);
    } else {
        connect(edit, &QLineEdit::editingFinished, this, &CPropertyBar::Apply);
    }
}

namespace {

// Ctrl+Y is the window's Redo key whatever the platform calls its own.
bool IsRedoKey(const QKeyEvent& key) {
    return key.matches(QKeySequence::Redo) ||
           (key.key() == Qt::Key_Y && key.modifiers() == Qt::ControlModifier);
}

}  // namespace

bool CPropertyBar::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit == nullptr || (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)) {
        return QToolBar::eventFilter(watched, event);
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (event->type() == QEvent::ShortcutOverride) {
        // Not taken here, the key goes to the shortcut of the window's command.
        const bool drawingUndo = key.matches(QKeySequence::Undo) && !edit->isUndoAvailable();
        const bool drawingRedo = IsRedoKey(key) && !edit->isRedoAvailable();
        return drawingUndo || drawingRedo;
    }
    if (key.key() == Qt::Key_Escape) {
        Refresh();
        emit FieldsLeft();
        return true;
    }
    return QToolBar::eventFilter(watched, event);
}

CPropertyBar::Field* CPropertyBar::FindField(int controlId) {
    for (Field& field : fields_) {
        if (field.controlId == controlId) {
            return &field;
        }
    }
    return nullptr;
}

const CPropertyBar::Field* CPropertyBar::FindField(int controlId) const {
    return const_cast<CPropertyBar*>(this)->FindField(controlId);
}

QLineEdit* CPropertyBar::Edit(int controlId) const {
    const Field* field = FindField(controlId);
    return field == nullptr ? nullptr : field->edit;
}

void CPropertyBar::SetLocked(bool locked) {
    lockButton_->setChecked(locked);
}

void CPropertyBar::UpdateTexts() {
    cutNumberLabel_->setText(FromUtf8(GetLangText("OtherDlg", "1")));
}

OriginFrame CPropertyBar::CurrentOriginFrame() const {
    return {manager_.originCorner, manager_.pageWidth, manager_.pageHeight};
}

void CPropertyBar::Show(int controlId, double value) {
    Field* field = FindField(controlId);
    field->shown = NumberText(value);
    field->edit->setText(field->shown);
}

void CPropertyBar::Refresh() {
    const bool selected = !manager_.selectionList.IsEmpty();
    for (Field& field : fields_) {
        if (field.controlId != kCutNumberEdit) {
            field.edit->setEnabled(selected);
        }
    }
    if (selected) {
        const PropertyFields shown =
            FieldsForSelection(manager_.selectionRect, CurrentOriginFrame(), reference_, locked_);
        Show(kXEdit, shown.x);
        Show(kYEdit, shown.y);
        Show(kWidthEdit, shown.width);
        Show(kHeightEdit, shown.height);
        Show(kScaleXEdit, shown.scaleXPercent);
        Show(kScaleYEdit, shown.scaleYPercent);
        Show(kAngleEdit, shown.angleDegrees);
    }
    const bool single = manager_.selectionList.count == 1;
    cutNumberLabel_->setEnabled(single);
    Edit(kCutNumberEdit)->setEnabled(single);
    if (single) {
        Show(kCutNumberEdit, PlaceInOrder(manager_, manager_.selectionList.head->next->value));
    }
}

std::optional<double> CPropertyBar::Read(int controlId, double exact) const {
    const Field* field = FindField(controlId);
    const QString text = field->edit->text().trimmed();
    if (text == field->shown) {
        return exact;
    }
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// What the user left as Refresh wrote it stands for the exact value, so that Enter in one field never
// moves or scales the selection by the rounding of another.
std::optional<PropertyFields> CPropertyBar::ReadFields(const CCadRect& selection,
                                                       const OriginFrame& frame) const {
    const SDPoint point = ReferencePoint(ToOriginFrame(selection, frame), reference_);
    PropertyFields fields;
    fields.lock = locked_;
    fields.reference = reference_;
    const std::optional<double> x = Read(kXEdit, point.x);
    const std::optional<double> y = Read(kYEdit, point.y);
    const std::optional<double> width = Read(kWidthEdit, std::fabs(selection.x2 - selection.x1));
    const std::optional<double> height = Read(kHeightEdit, std::fabs(selection.y2 - selection.y1));
    const std::optional<double> scaleX = Read(kScaleXEdit, kPercent);
    const std::optional<double> scaleY = Read(kScaleYEdit, kPercent);
    const std::optional<double> angle = Read(kAngleEdit, 0.0);
    if (!x || !y || !width || !height || !scaleX || !scaleY || !angle) {
        return std::nullopt;
    }
    fields.x = *x;
    fields.y = *y;
    fields.width = *width;
    fields.height = *height;
    fields.scaleXPercent = *scaleX;
    fields.scaleYPercent = *scaleY;
    fields.angleDegrees = *angle;
    return fields;
}

void CPropertyBar::Apply() {
    if (manager_.selectionList.IsEmpty()) {
        return;
    }
    const std::optional<PropertyFields> entered = ReadFields(manager_.selectionRect, CurrentOriginFrame());
    if (!entered) {
        Refresh();  // a field that is not a number goes back to what the selection has
        return;
    }
    bool changed = ApplyGeometry(*entered);
    if (manager_.selectionList.count == 1) {
        bool ok = false;
        const int cutNumber = Edit(kCutNumberEdit)->text().trimmed().toInt(&ok);
        changed = (ok && MoveSingleElementTo(CutNumberFromField(cutNumber))) || changed;
    }
    if (changed) {
        manager_.NotifyModified();
        manager_.Redraw();
        emit DrawingChanged();
    }
}

bool CPropertyBar::ApplyGeometry(const PropertyFields& entered) {
    const PropertyEdit edit = EditFromFields(entered, manager_.selectionRect, CurrentOriginFrame());
    const auto forEachSelected = [this](auto&& transform) {
        for (auto* node = manager_.selectionList.head->next; node != manager_.selectionList.head;
             node = node->next) {
            transform(*node->value);
        }
        manager_.CalcSelectionRect();
    };
    if (edit.Moves()) {
        forEachSelected([&edit](CCadElement& element) { element.TransMove(edit.dx, edit.dy); });
    }
    // Scaling keeps the reference point where it is, so rotation turns about the same point.
    const SDPoint centre = EditCentre(manager_.selectionRect, reference_);
    if (edit.Scales()) {
        forEachSelected(
            [&](CCadElement& element) { element.TransDrag(edit.fx, edit.fy, centre.x, centre.y); });
    }
    Show(kAngleEdit, edit.angleDegrees);
    if (edit.Rotates()) {
        const double radians = edit.angleDegrees * kRadiansPerDegree;
        forEachSelected([&](CCadElement& element) { element.TransRotate(centre.x, centre.y, radians); });
    }
    return edit.Moves() || edit.Scales() || edit.Rotates();
}

bool CPropertyBar::MoveSingleElementTo(std::int32_t cutNumber) {
    const std::uint32_t current = PlaceInOrder(manager_, manager_.selectionList.head->next->value);
    const auto wanted = static_cast<std::uint32_t>(cutNumber);
    if (wanted == current) {
        return false;
    }
    manager_.MoveElementOrder(current, wanted);
    return true;
}

void CPropertyBar::ApplyCutNumber() {
    bool ok = false;
    const int entered = Edit(kCutNumberEdit)->text().trimmed().toInt(&ok);
    if (ok && manager_.selectionList.count == 1 && MoveSingleElementTo(CutNumberFromField(entered))) {
        emit DrawingChanged();
    }
    Refresh();
}
