#include "CutrixView.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QWheelEvent>

#include <numbers>
#include <utility>

#include "BorrowedBackend.h"
#include "CadMgr.h"
#include "CadText.h"
#include "CanvasMapping.h"
#include "PlaceNewText.h"
#include "RecordingBackend.h"
#include "SettingsGlobals.h"
#include "TextEdit.h"
#include "ToolCursors.h"

namespace {

// Key-state flags of the mouse messages: buttons 1, 2 and 0x10, Shift 4, Ctrl 8.
std::uint32_t KeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    std::uint32_t flags = 0;
    flags |= (buttons & Qt::LeftButton) != 0 ? 0x1 : 0;
    flags |= (buttons & Qt::RightButton) != 0 ? 0x2 : 0;
    flags |= (buttons & Qt::MiddleButton) != 0 ? 0x10 : 0;
    flags |= (modifiers & Qt::ShiftModifier) != 0 ? CCadMgr::kShiftKey : 0;
    flags |= (modifiers & Qt::ControlModifier) != 0 ? CCadMgr::kControlKey : 0;
    return flags;
}

// The tool cursors: a cross whose centre is the hot spot, with a small sign of the tool beside it.
QCursor ToolCursorImage(int resource) {
    switch (resource) {
        case kArrowCursor:
            return QCursor(Qt::ArrowCursor);
        case kSizeHorizontalCursor:
            return QCursor(Qt::SizeHorCursor);
        case kSizeVerticalCursor:
            return QCursor(Qt::SizeVerCursor);
        case kSizeDiagonalCursor:
            return QCursor(Qt::SizeFDiagCursor);
        case kSizeAntiDiagonalCursor:
            return QCursor(Qt::SizeBDiagCursor);
        case kMoveCursor:
            return QCursor(Qt::SizeAllCursor);
        default:
            break;
    }
    QPixmap image(32, 32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(0, 8, 16, 8);
    painter.drawLine(8, 0, 8, 16);
    const QRect sign(17, 17, 12, 12);
    switch (resource) {
        case kRectangleCursor:
            painter.drawRect(sign);
            break;
        case kEllipseCursor:
            painter.drawEllipse(sign);
            break;
        case kLineCursor:
            painter.drawLine(sign.bottomLeft(), sign.topRight());
            break;
        case kPolylineCursor:
            painter.drawPolyline(
                QPolygon({sign.bottomLeft(), QPoint(21, 19), QPoint(25, 27), sign.topRight()}));
            break;
        case kPointCursor:
            painter.drawEllipse(QPoint(23, 23), 2, 2);
            break;
        case kBezierCursor:
            painter.drawArc(sign, 0, 180 * 16);
            break;
        case kTextCursor:
            painter.drawText(sign, Qt::AlignCenter, "T");
            break;
        case kEnlargeCursor:
        case kReduceCursor:
        case kZoomRectCursor:
            painter.drawEllipse(sign.adjusted(0, 0, -3, -3));
            painter.drawLine(23 - 3, 23 - 1, 23 + 1, 23 - 1);
            if (resource == kEnlargeCursor) {
                painter.drawLine(22 - 1, 20, 22 - 1, 24);
            }
            break;
        case kPanCursor:
            painter.drawRect(QRect(19, 19, 8, 8));
            break;
        case kRotateCursor:
            painter.drawArc(sign, 30 * 16, 300 * 16);
            break;
        case kNodeEditCursor:
            painter.fillRect(QRect(20, 20, 6, 6), Qt::black);
            break;
        default:
            break;
    }
    return QCursor(image, 8, 8);
}

// The client contexts taken while one lives only read the mapping: releasing them must not ask for a
// paint, or every ruler paint would ask for a view paint. Declared before the contexts, it outlives them.
class ReadOnlyContexts {
  public:
    explicit ReadOnlyContexts(bool& quiet) : quiet_(quiet), was_(quiet) { quiet_ = true; }
    ReadOnlyContexts(const ReadOnlyContexts&) = delete;
    ReadOnlyContexts& operator=(const ReadOnlyContexts&) = delete;
    ~ReadOnlyContexts() { quiet_ = was_; }

  private:
    bool& quiet_;
    bool was_;
};

}  // namespace

CCutrixView::CCutrixView(CCadMgr& manager, QWidget* parent)
    : QWidget(parent),
      manager_(manager),
      sink_(this),
      picture_(std::make_unique<platform::QImageBackend>(platform::Size{1, 1})) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    ShowToolCursor();
}

CCutrixView::~CCutrixView() {
    if (manager_.GetOwnerHwnd() == this) {
        manager_.SetOwnerHwnd(nullptr);
    }
}

void CCutrixView::PostMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    sink_.PostMessage(message, wParam, lParam);
}

int CCutrixView::ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style) {
    return sink_.ShowMessageBox(text, caption, style);
}

platform::ClientRect CCutrixView::GetClientRect() const {
    return {0, 0, width(), height()};
}

void CCutrixView::RequestRepaint() {
    stale_ = true;
    update();
}

platform::DeviceContext CCutrixView::GetClientDC() {
    // What a client context draws shows at the next paint, which must not paint the picture afresh.
    return platform::DeviceContext(std::make_unique<platform::BorrowedBackend>(*picture_, [this] {
        if (!painting_) {
            update();
        }
    }));
}

platform::Point CCutrixView::GetCursorPos() const {
    const QPoint at = mapFromGlobal(QCursor::pos());
    return {at.x(), at.y()};
}

bool CCutrixView::event(QEvent* event) {
    if (event->type() != platform::WindowMessageEvent::EventType()) {
        return QWidget::event(event);
    }
    const auto* message = static_cast<platform::WindowMessageEvent*>(event);
    if (message->Message() == kElementsLoadedMessage || message->Message() == kDrawingModifiedMessage) {
        RequestRepaint();
    }
    return true;
}

void CCutrixView::RefreshPicture() {
    if (!stale_) {
        return;
    }
    stale_ = false;
    painting_ = true;
    if (manager_.GetOwnerHwnd() != this) {
        manager_.SetOwnerHwnd(this);
        manager_.ZoomToPage();
        manager_.SetToolMode(CCadMgr::kSelectTool);
        ShowToolCursor();
    } else {
        manager_.Redraw(1, 0);
    }
    painting_ = false;
}

void CCutrixView::paintEvent(QPaintEvent*) {
    RefreshPicture();
    QPainter painter(this);
    painter.drawImage(0, 0, picture_->Image());
    painter.end();
    // Zooming, scrolling and resizing all end in a paint; the rulers hear of the mapping when it changed.
    if (manager_.GetOwnerHwnd() == this) {
        const RulerMapping mapping = CurrentRulerMapping({});
        if (mapping != paintedMapping_) {
            paintedMapping_ = mapping;
            emit RulersChanged(kRulerRepaintHorizontal, mapping);
            emit RulersChanged(kRulerRepaintVertical, mapping);
        }
    }
}

double CCutrixView::RulerStep() {
    if (manager_.GetOwnerHwnd() != this) {
        return 0.0;
    }
    const ReadOnlyContexts readOnly(painting_);
    return manager_.GetRulerStep();
}

namespace {

// The page's x runs from the far edge for origin corners 1 and 2, its y for corners 0 and 1.
SDPoint FromOriginCorner(const CCadMgr& manager, SDPoint mm) {
    const bool mirrorX = manager.originCorner == 1 || manager.originCorner == 2;
    const bool mirrorY = manager.originCorner == 0 || manager.originCorner == 1;
    return {mirrorX ? manager.pageWidth - mm.x : mm.x, mirrorY ? manager.pageHeight - mm.y : mm.y};
}

}  // namespace

SDPoint CCutrixView::PageMm(QPoint viewPoint) {
    platform::DeviceContext dc(std::make_unique<platform::RecordingBackend>(
        platform::Size{std::max(1, width()), std::max(1, height())}));
    manager_.PrepareDC(dc);
    return FromOriginCorner(manager_, canvas::DeviceToMm(dc, platform::Point{viewPoint.x(), viewPoint.y()}));
}

RulerMapping CCutrixView::CurrentRulerMapping(QPoint cursor) {
    // A context for the conversion alone: the view's mapping over the client area.
    platform::DeviceContext dc(std::make_unique<platform::RecordingBackend>(
        platform::Size{std::max(1, width()), std::max(1, height())}));
    manager_.PrepareDC(dc);
    const auto rulerValue = [&](platform::Point device) {
        return FromOriginCorner(manager_, canvas::DeviceToMm(dc, device));
    };
    const SDPoint origin = rulerValue({0, 0});
    const SDPoint far = rulerValue({width(), height()});
    // The scale over the whole width: one pixel alone converts to whole logical units and would be off.
    const double mmPerPixel = std::abs(far.x - origin.x) / std::max(1, width());
    RulerMapping mapping;
    mapping.originXMm = origin.x;
    mapping.originYMm = origin.y;
    mapping.extentXMm = far.x - origin.x;
    mapping.extentYMm = far.y - origin.y;
    mapping.pixelsPerMmX = mmPerPixel > 0.0 ? 1.0 / mmPerPixel : 0.0;
    mapping.pixelsPerMmY = mapping.pixelsPerMmX;
    mapping.cursorX = cursor.x();
    mapping.cursorY = cursor.y();
    return mapping;
}

void CCutrixView::UpdateRulers(int kind, QPoint cursor) {
    if (manager_.GetOwnerHwnd() != this) {
        return;
    }
    emit RulersChanged(kind, CurrentRulerMapping(cursor));
}

void CCutrixView::resizeEvent(QResizeEvent* event) {
    picture_ = std::make_unique<platform::QImageBackend>(
        platform::Size{std::max(1, width()), std::max(1, height())});
    RequestRepaint();
    QWidget::resizeEvent(event);
}

void CCutrixView::mousePressEvent(QMouseEvent* event) {
    RefreshPicture();
    const QPoint at = event->position().toPoint();
    const std::uint32_t flags = KeyFlags(event->buttons(), event->modifiers());
    if (event->button() == Qt::LeftButton && manager_.toolMode == CCadMgr::kTextTool) {
        dialogClick_ = true;
        PlaceTextAt(at);
    } else if (event->button() == Qt::LeftButton) {
        manager_.OnLButtonDown(flags, at.x(), at.y());
    } else if (event->button() == Qt::RightButton) {
        manager_.OnRButtonDown(flags, at.x(), at.y());
    }
    ShowToolCursor();
}

void CCutrixView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    manager_.OnMouseMove(KeyFlags(event->buttons(), event->modifiers()), at.x(), at.y());
    // While the pan tool drags, the drawing moves under a cursor that stays put on the page.
    const bool panning = (event->buttons() & Qt::LeftButton) != 0 && manager_.toolMode == CCadMgr::kPanTool;
    if (!panning) {
        UpdateRulers(kRulerMoveMarker, at);
    }
    ShowToolCursor();
}

void CCutrixView::mouseReleaseEvent(QMouseEvent* event) {
    // The release of a click that opened the text dialog ends that click, not one of the select tool.
    if (event->button() == Qt::LeftButton && std::exchange(dialogClick_, false)) {
        return;
    }
    if (event->button() == Qt::LeftButton) {
        const QPoint at = event->position().toPoint();
        manager_.OnLButtonUp(KeyFlags(event->buttons(), event->modifiers()), at.x(), at.y());
        ShowToolCursor();
    }
}

void CCutrixView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    dialogClick_ = EditSelectedText();
    if (!dialogClick_) {
        const QPoint at = event->position().toPoint();
        manager_.OnLButtonDblClk(KeyFlags(event->buttons(), event->modifiers()), at.x(), at.y());
    }
}

void CCutrixView::PlaceTextAt(QPoint at) {
    CTextParam params = manager_.textParam;
    if (_text_edit(&params, LanguageIndex) != 0) {
        return;
    }
    manager_.textParam = params;
    const platform::Point logical = manager_.GetPreparedDC().DPtoLP(platform::Point{at.x(), at.y()});
    PlaceNewText(manager_, params, {logical.x * 0.001, logical.y * 0.001});
}

bool CCutrixView::EditSelectedText() {
    const CDbList<CCadElement*>& selection = manager_.selectionList;
    if (selection.GetCount() != 1 || selection.head->next->value->typeCode != kTextElement) {
        return false;
    }
    auto* text = static_cast<CCadText*>(selection.head->next->value);
    CTextParam params = text->textParam;
    if (_text_edit(&params, LanguageIndex) == 0) {
        text->textParam = params;
        manager_.textParam = params;
        manager_.RefreshVarText(text, 0);
        manager_.NotifyModified();  // one undo step for the whole edit
    }
    return true;
}

void CCutrixView::wheelEvent(QWheelEvent* event) {
    const QPoint at = event->position().toPoint();
    manager_.OnMouseWheel(KeyFlags(event->buttons(), event->modifiers()),
                          static_cast<std::int16_t>(event->angleDelta().y()), {at.x(), at.y()});
    event->accept();
}

bool CCutrixView::ForwardArrowKey(QKeyEvent* event, bool pressed) {
    CCadMgr::ArrowKey key;
    switch (event->key()) {
        case Qt::Key_Left:
            key = CCadMgr::ArrowKey::Left;
            break;
        case Qt::Key_Right:
            key = CCadMgr::ArrowKey::Right;
            break;
        case Qt::Key_Up:
            key = CCadMgr::ArrowKey::Up;
            break;
        case Qt::Key_Down:
            key = CCadMgr::ArrowKey::Down;
            break;
        default:
            return false;
    }
    const double factor = (event->modifiers() & Qt::ShiftModifier) != 0 ? shiftFactor : 1.0;
    manager_.OnArrowKey(key, (event->modifiers() & Qt::ControlModifier) != 0, pressed, nudgeStepMm * factor,
                        nudgeDegrees * factor * std::numbers::pi / 180.0);
    return true;
}

void CCutrixView::keyPressEvent(QKeyEvent* event) {
    if (!ForwardArrowKey(event, true)) {
        QWidget::keyPressEvent(event);
    }
}

void CCutrixView::keyReleaseEvent(QKeyEvent* event) {
    // An auto-repeated key sends releases between its presses; the run ends at the real release.
    if (event->isAutoRepeat() || !ForwardArrowKey(event, false)) {
        QWidget::keyReleaseEvent(event);
    }
}

void CCutrixView::ShowToolCursor() {
    const int resource = CursorResourceForMode(manager_.toolMode);
    if (resource != shownCursor_) {
        shownCursor_ = resource;
        setCursor(ToolCursorImage(resource));
    }
}
