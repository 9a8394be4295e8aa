// Writes every drawing call down for tests.
#include "RecordingBackend.h"

#include "DibView.h"

#include <cstdlib>

namespace platform {

std::unique_ptr<GdiBackend> RecordingBackend::CreateCompatible(Size size) const {
    return std::make_unique<RecordingBackend>(size);
}

GdiCall& RecordingBackend::Record(GdiCallKind kind) {
    GdiCall& call = calls_.emplace_back();
    call.kind = kind;
    return call;
}

void RecordingBackend::MoveTo(Point to) {
    Record(GdiCallKind::MoveTo).points = {to};
}

void RecordingBackend::LineTo(Point from, Point to, const DrawState& state) {
    GdiCall& call = Record(GdiCallKind::LineTo);
    call.points = {from, to};
    call.state = state;
}

void RecordingBackend::Polyline(std::span<const Point> points, const DrawState& state) {
    GdiCall& call = Record(GdiCallKind::Polyline);
    call.points.assign(points.begin(), points.end());
    call.state = state;
}

void RecordingBackend::PolyBezier(std::span<const Point> points, const DrawState& state) {
    GdiCall& call = Record(GdiCallKind::PolyBezier);
    call.points.assign(points.begin(), points.end());
    call.state = state;
}

void RecordingBackend::Rectangle(const Rect& bounds, const DrawState& state) {
    GdiCall& call = Record(GdiCallKind::Rectangle);
    call.rect = bounds;
    call.state = state;
}

void RecordingBackend::Ellipse(const Rect& bounds, const DrawState& state) {
    GdiCall& call = Record(GdiCallKind::Ellipse);
    call.rect = bounds;
    call.state = state;
}

void RecordingBackend::Arc(const ArcSpec& arc, const DrawState& state) {
    GdiCall& call = Record(GdiCallKind::Arc);
    call.arc = arc;
    call.state = state;
}

void RecordingBackend::Polygon(std::span<const Point> points, const DrawState& state) {
    GdiCall& call = Record(GdiCallKind::Polygon);
    call.points.assign(points.begin(), points.end());
    call.state = state;
}

void RecordingBackend::TextOut(Point topLeft, std::string_view text, const TextState& state) {
    GdiCall& call = Record(GdiCallKind::TextOut);
    call.points = {topLeft};
    call.text = std::string(text);
    call.textState = state;
}

void RecordingBackend::FillRect(const Rect& bounds, ColorRef color) {
    GdiCall& call = Record(GdiCallKind::FillRect);
    call.rect = bounds;
    call.color = color;
}

bool RecordingBackend::BitBlt(const Rect& destination, const GdiBackend& source, Point sourceOrigin, BlitOp) {
    if (dynamic_cast<const RecordingBackend*>(&source) == nullptr) {
        return false;
    }
    GdiCall& call = Record(GdiCallKind::BitBlt);
    call.rect = destination;
    call.points = {sourceOrigin};
    return true;
}

int RecordingBackend::StretchDib(const Rect& destination, const PictureRect& source, const DibView&, BlitOp) {
    GdiCall& call = Record(GdiCallKind::StretchDib);
    call.rect = destination;
    call.source = source;
    return std::abs(source.height);
}

}  // namespace platform
