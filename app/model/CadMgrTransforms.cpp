// CCadMgr: moving, mirroring, rotating, aligning, spacing and resizing the selection as a whole. Offsets
// and factors are compared with 0 and 1 exactly: an element is transformed only when it would change.
#include <algorithm>
#include <cmath>
#include <vector>

#include "CadMgr.h"

namespace {

double Centre(const CCadRect& rect, double CCadRect::*low, double CCadRect::*high) {
    return (rect.*low + rect.*high) * 0.5;
}

double Extent(const CCadRect& rect, double CCadRect::*low, double CCadRect::*high) {
    return std::fabs(rect.*high - rect.*low);
}

}  // namespace

std::vector<CCadElement*> CCadMgr::SelectedElements() const {
    std::vector<CCadElement*> selected;
    selected.reserve(selectionNodes_.size());
    for (auto* node = selectionList.head->next; node != selectionList.head; node = node->next) {
        selected.push_back(node->value);
    }
    return selected;
}

void CCadMgr::FinishSelectionChange() {
    CalcSelectionRect();
    NotifyModified();
    PostToOwner(kSelectionMovedMessage);
}

void CCadMgr::MoveSelection(double dx, double dy, int notify) {
    for (CCadElement* element : SelectedElements()) {
        element->TransMove(dx, dy);
    }
    selectionRect.Offset(dx, dy);
    if (notify != 0) {
        NotifyModified();
    }
}

// Every element about the centre line of the whole selection, so that the selection keeps its place.
// A mirror is a change of the drawing like an alignment: it reports itself, so that it is one undo step.
void CCadMgr::MirrorSelection(bool acrossX) {
    if (selectionList.IsEmpty()) {
        return;
    }
    const double centre = acrossX ? Centre(selectionRect, &CCadRect::x1, &CCadRect::x2)
                                  : Centre(selectionRect, &CCadRect::y1, &CCadRect::y2);
    for (CCadElement* element : SelectedElements()) {
        if (acrossX) {
            element->XMirror(centre);
        } else {
            element->YMirror(centre);
        }
    }
    FinishSelectionChange();
    Redraw();
}

void CCadMgr::MirrorSelectionHorz() {
    MirrorSelection(true);
}

void CCadMgr::MirrorSelectionVert() {
    MirrorSelection(false);
}

void CCadMgr::MoveUnlessStill(CCadElement* element, double dx, double dy) {
    if (dx != 0.0 || dy != 0.0) {
        element->TransMove(dx, dy);
    }
}

void CCadMgr::CenterSelectionOnPage() {
    if (selectionList.IsEmpty()) {
        return;
    }
    const double dx = pageWidth * 0.5 - Centre(selectionRect, &CCadRect::x1, &CCadRect::x2);
    const double dy = pageHeight * 0.5 - Centre(selectionRect, &CCadRect::y1, &CCadRect::y2);
    for (CCadElement* element : SelectedElements()) {
        MoveUnlessStill(element, dx, dy);
    }
    FinishSelectionChange();
}

void CCadMgr::AlignTo(double (*value)(const CCadRect&), bool alongX) {
    const std::vector<CCadElement*> selected = SelectedElements();
    if (selected.size() < 2) {
        return;
    }
    const double reference = value(selected.back()->rect);
    for (CCadElement* element : selected) {
        const double shift = reference - value(element->rect);
        MoveUnlessStill(element, alongX ? shift : 0.0, alongX ? 0.0 : shift);
    }
    FinishSelectionChange();
}

void CCadMgr::AlignLeft() {
    AlignTo([](const CCadRect& rect) { return rect.x1; }, true);
}
void CCadMgr::AlignRight() {
    AlignTo([](const CCadRect& rect) { return rect.x2; }, true);
}
void CCadMgr::AlignTop() {
    AlignTo([](const CCadRect& rect) { return rect.y2; }, false);
}
void CCadMgr::AlignBottom() {
    AlignTo([](const CCadRect& rect) { return rect.y1; }, false);
}
void CCadMgr::AlignVertCenter() {
    AlignTo([](const CCadRect& rect) { return (rect.x1 + rect.x2) * 0.5; }, true);
}
void CCadMgr::AlignHorzCenter() {
    AlignTo([](const CCadRect& rect) { return (rect.y1 + rect.y2) * 0.5; }, false);
}

void CCadMgr::AlignPageCenter() {
    if (selectionList.IsEmpty()) {
        return;
    }
    for (CCadElement* element : SelectedElements()) {
        MoveUnlessStill(element, pageWidth * 0.5 - Centre(element->rect, &CCadRect::x1, &CCadRect::x2),
                        pageHeight * 0.5 - Centre(element->rect, &CCadRect::y1, &CCadRect::y2));
    }
    FinishSelectionChange();
}

// Equal gaps between neighbours along one axis; the outer two stay. The sort is stable, so equal centres
// keep their selection order.
void CCadMgr::SpaceAlong(bool alongX) {
    const auto low = alongX ? &CCadRect::x1 : &CCadRect::y1;
    const auto high = alongX ? &CCadRect::x2 : &CCadRect::y2;
    std::vector<CCadElement*> sorted = SelectedElements();
    if (sorted.size() < 3) {
        return;
    }
    std::stable_sort(sorted.begin(), sorted.end(), [&](const CCadElement* a, const CCadElement* b) {
        return Centre(a->rect, low, high) < Centre(b->rect, low, high);
    });
    double gapSum = 0.0;
    for (std::size_t index = 1; index < sorted.size(); ++index) {
        const CCadRect& a = sorted[index - 1]->rect;
        const CCadRect& b = sorted[index]->rect;
        gapSum += (Centre(b, low, high) - Centre(a, low, high)) - Extent(a, low, high) * 0.5 -
                  Extent(b, low, high) * 0.5;
    }
    const double gap = gapSum / static_cast<double>(sorted.size() - 1);
    for (std::size_t index = 1; index + 1 < sorted.size(); ++index) {
        const CCadRect& before = sorted[index - 1]->rect;
        CCadElement* element = sorted[index];
        const double shift =
            before.*high + gap + Extent(element->rect, low, high) * 0.5 - Centre(element->rect, low, high);
        MoveUnlessStill(element, alongX ? shift : 0.0, alongX ? 0.0 : shift);
    }
    FinishSelectionChange();
}

void CCadMgr::SpaceHorizontally() {
    SpaceAlong(true);
}
void CCadMgr::SpaceVertically() {
    SpaceAlong(false);
}

void CCadMgr::ResizeLikeLast(bool width, bool height) {
    const std::vector<CCadElement*> selected = SelectedElements();
    if (selected.size() < 2) {
        return;
    }
    const double referenceWidth = Extent(selected.back()->rect, &CCadRect::x1, &CCadRect::x2);
    const double referenceHeight = Extent(selected.back()->rect, &CCadRect::y1, &CCadRect::y2);
    for (CCadElement* element : selected) {
        const CCadRect& rect = element->rect;
        const double w = Extent(rect, &CCadRect::x1, &CCadRect::x2);
        const double h = Extent(rect, &CCadRect::y1, &CCadRect::y2);
        // Same Width and Same Height pass over an element without extent; Same Size keeps that factor 1.
        if ((width && !height && w == 0.0) || (height && !width && h == 0.0)) {
            continue;
        }
        const double sx = width && w != 0.0 ? referenceWidth / w : 1.0;
        const double sy = height && h != 0.0 ? referenceHeight / h : 1.0;
        if (sx != 1.0 || sy != 1.0) {
            element->TransDrag(sx, sy, Centre(rect, &CCadRect::x1, &CCadRect::x2),
                               Centre(rect, &CCadRect::y1, &CCadRect::y2));
        }
    }
    FinishSelectionChange();
}

void CCadMgr::SameWidth() {
    ResizeLikeLast(true, false);
}
void CCadMgr::SameHeight() {
    ResizeLikeLast(false, true);
}
void CCadMgr::SameSize() {
    ResizeLikeLast(true, true);
}

void CCadMgr::MoveSelectionCorner(bool right, bool top) {
    if (selectionList.IsEmpty()) {
        return;
    }
    const double dx = (right ? pageWidth - selectionRect.x2 : -selectionRect.x1);
    const double dy = (top ? pageHeight - selectionRect.y2 : -selectionRect.y1);
    MoveSelection(dx, dy, 1);
    PostToOwner(kSelectionMovedMessage);
}

void CCadMgr::MoveSelectionToTopLeft() {
    MoveSelectionCorner(false, true);
}
void CCadMgr::MoveSelectionToTopRight() {
    MoveSelectionCorner(true, true);
}
void CCadMgr::MoveSelectionToBottomRight() {
    MoveSelectionCorner(true, false);
}
void CCadMgr::MoveSelectionToBottomLeft() {
    MoveSelectionCorner(false, false);
}

void CCadMgr::RotateSelection(double angle) {
    if (selectionList.IsEmpty() || angle == 0.0 || std::isnan(angle)) {
        return;
    }
    const double cx = Centre(selectionRect, &CCadRect::x1, &CCadRect::x2);
    const double cy = Centre(selectionRect, &CCadRect::y1, &CCadRect::y2);
    for (CCadElement* element : SelectedElements()) {
        element->TransRotate(cx, cy, angle);
    }
    CalcSelectionRect();
    Redraw();
    NotifyModified();
}

void CCadMgr::ScaleSelectionToSize(double cx, double cy, double width, double height) {
    if (selectionList.IsEmpty()) {
        return;
    }
    constexpr double kSmallest = 0.001;  // mm
    const double w = Extent(selectionRect, &CCadRect::x1, &CCadRect::x2);
    const double h = Extent(selectionRect, &CCadRect::y1, &CCadRect::y2);
    const double sx = width < kSmallest || w < kSmallest ? 1.0 : width / w;
    const double sy = height < kSmallest || h < kSmallest ? 1.0 : height / h;
    const double dx = cx - Centre(selectionRect, &CCadRect::x1, &CCadRect::x2);
    const double dy = cy - Centre(selectionRect, &CCadRect::y1, &CCadRect::y2);
    for (CCadElement* element : SelectedElements()) {
        const bool scaled = element->typeCode == kBitmapElement;
        element->Transform(dx, dy, cx, cy, scaled ? sx : 1.0, scaled ? sy : 1.0);
    }
}
