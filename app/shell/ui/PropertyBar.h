// CPropertyBar: the bar in the main window's top row that shows the position, size, scale, rotation and
// cut number of the selection, and applies edits of those fields to every selected element. An edit
// applies when Enter is pressed in it or when it loses the focus after a change.
#pragma once

#include <QImage>
#include <QToolBar>

#include <cstdint>
#include <optional>
#include <vector>

#include "PropertyBarMath.h"

class CCadMgr;
class CImageButton;
class QLabel;
class QLineEdit;
class QToolButton;

class CPropertyBar : public QToolBar {
    Q_OBJECT

  public:
    static constexpr int kBarId = 142;
    // Control ids of the bar's fields.
    static constexpr int kLockButton = 1000;
    static constexpr int kReferenceButton = 1001;
    static constexpr int kXEdit = 1006;
    static constexpr int kYEdit = 1007;
    static constexpr int kScaleXEdit = 1010;
    static constexpr int kScaleYEdit = 1011;
    static constexpr int kCutNumberLabel = 1018;
    static constexpr int kCutNumberEdit = 1019;
    static constexpr int kWidthEdit = 1040;
    static constexpr int kHeightEdit = 1041;
    static constexpr int kAngleEdit = 1049;

    explicit CPropertyBar(CCadMgr& manager, QWidget* parent = nullptr);

    // The fields from the selection: the value edits enabled exactly while something is selected, the
    // cut number only for one element.
    void Refresh();
    // The fields to the selection: move, scale about the reference point, then rotate about it; the cut
    // number of a single element moves it in the processing order.
    void Apply();
    void ApplyCutNumber();
    // The cut number's label in the current language.
    void UpdateTexts();

    QLineEdit* Edit(int controlId) const;
    bool IsLocked() const { return locked_; }
    void SetLocked(bool locked);
    int Reference() const { return reference_; }

  signals:
    // The bar changed the drawing; the frame repaints and refreshes its panels.
    void DrawingChanged();
    // Escape in a field: the field shows the selection again and the keyboard goes back to the drawing.
    void FieldsLeft();

  protected:
    // A field keeps Undo and Redo only while it has typing of its own to undo or redo; otherwise the keys
    // reach the window's commands, which undo the drawing. Escape leaves the fields.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Field {
        int controlId;
        QLineEdit* edit;
        QString shown;  // the text Refresh wrote: while it stands, the exact value applies
    };

    void AddEdit(int controlId, const QString& label, const QString& unit);
    void Show(int controlId, double value);
    // The number in the edit; the exact value while the edit still shows what Refresh wrote; nothing
    // when the text is not a finite number.
    std::optional<double> Read(int controlId, double exact) const;
    std::optional<PropertyFields> ReadFields(const CCadRect& selection, const OriginFrame& frame) const;
    OriginFrame CurrentOriginFrame() const;
    Field* FindField(int controlId);
    const Field* FindField(int controlId) const;
    bool ApplyGeometry(const PropertyFields& entered);
    bool MoveSingleElementTo(std::int32_t cutNumber);

    CCadMgr& manager_;
    std::vector<Field> fields_;
    QLabel* cutNumberLabel_ = nullptr;
    QToolButton* lockButton_ = nullptr;
    CImageButton* referenceButton_ = nullptr;
    std::vector<QImage> referenceImages_;  // shown by the reference button, which keeps a pointer
    bool locked_ = false;
    int reference_ = 5;
};
