// Sizes per side, the edges between the bars of a row and towards the frame's client area, and the edge
// drag that moves length between neighbours or changes the row's thickness.
#include "SizingControlBar.h"

#include "DockPlacement.h"

#include <QMainWindow>
#include <QMetaObject>
#include <QMouseEvent>
#include <QRubberBand>
#include <QSettings>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr const char* kFullDragKey = "Settings/FullDrag";

bool IsLeftOrRight(int hitCode) { return hitCode == kHitLeft || hitCode == kHitRight; }
bool IsRightOrBottom(int hitCode) { return hitCode == kHitRight || hitCode == kHitBottom; }

QSize AtLeast(QSize size, QSize minimum) { return size.expandedTo(minimum); }

QString StateSection(const QString& profileName, int id) {
    return QStringLiteral("%1-SCBar-%2").arg(profileName).arg(id);
}

}  // namespace

CSizingControlBar::CSizingControlBar(QWidget* parent) : QDockWidget(parent), container_(new QWidget(this)) {
    auto* layout = new QVBoxLayout(container_);
    layout->setContentsMargins(0, 0, 0, 0);
    container_->installEventFilter(this);
    container_->setMouseTracking(true);
    setWidget(container_);
    connect(this, &QDockWidget::dockLocationChanged, this, &CSizingControlBar::OnPlacementChanged);
    connect(this, &QDockWidget::topLevelChanged, this, &CSizingControlBar::OnPlacementChanged);
}

bool CSizingControlBar::Create(const QString& title, QMainWindow* frame, int id, std::uint32_t style) {
    if (frame == nullptr) return false;
    frame_ = frame;
    id_ = id;
    barStyle_ = (barStyle_ & ~(kShowEdges | kSizeChild)) | (style & (kShowEdges | kSizeChild));
    setParent(frame);
    setWindowTitle(title);
    setObjectName(title);
    fullDrag_ = QSettings().value(kFullDragKey, true).toBool();
    return true;
}

bool CSizingControlBar::Create(const QString& title, QMainWindow* frame, QSize defaultSize, bool, int id,
                               std::uint32_t style) {
    horzSize_ = vertSize_ = floatSize_ = defaultSize;
    return Create(title, frame, id, style);
}

void CSizingControlBar::SetChild(QWidget* child) { container_->layout()->addWidget(child); }

void CSizingControlBar::LoadState(QSettings& profile, const QString& profileName) {
    profile.beginGroup(StateSection(profileName, id_));
    const auto read = [&profile](const char* width, const char* height, QSize current, QSize minimum) {
        return AtLeast(QSize(profile.value(width, current.width()).toInt(), profile.value(height, current.height()).toInt()),
                       minimum);
    };
    horzSize_ = read("sizeHorzCX", "sizeHorzCY", horzSize_, minHorzSize_);
    vertSize_ = read("sizeVertCX", "sizeVertCY", vertSize_, minVertSize_);
    floatSize_ = read("sizeFloatCX", "sizeFloatCY", floatSize_, minFloatSize_);
    profile.endGroup();
}

void CSizingControlBar::SaveState(QSettings& profile, const QString& profileName) const {
    profile.beginGroup(StateSection(profileName, id_));
    profile.setValue("sizeHorzCX", horzSize_.width());
    profile.setValue("sizeHorzCY", horzSize_.height());
    profile.setValue("sizeVertCX", vertSize_.width());
    profile.setValue("sizeVertCY", vertSize_.height());
    profile.setValue("sizeFloatCX", floatSize_.width());
    profile.setValue("sizeFloatCY", floatSize_.height());
    profile.endGroup();
}

DockSide CSizingControlBar::Side() const { return DockSideOf(frame_, *this); }

bool CSizingControlBar::IsFloatingBar() const { return Side() == DockSide::Floating; }
bool CSizingControlBar::IsDockedHorizontally() const { return IsHorizontalSide(Side()); }
bool CSizingControlBar::IsDockedVertically() const { return IsVerticalSide(Side()); }

void CSizingControlBar::SetMinimumSizes(QSize horz, QSize vert, QSize floating) {
    minHorzSize_ = horz;
    minVertSize_ = vert;
    minFloatSize_ = floating;
}

QSize CSizingControlBar::CalcFixedSize() const {
    if (IsDockedHorizontally()) return AtLeast(horzSize_, minHorzSize_);
    if (IsDockedVertically()) return AtLeast(vertSize_, minVertSize_);
    return AtLeast(floatSize_, minFloatSize_);
}

void CSizingControlBar::ApplySize() {
    const QSize size = CalcFixedSize();
    if (IsFloatingBar()) {
        if (isFloating()) resize(size);
        return;
    }
    const bool horizontal = IsDockedHorizontally();
    frame_->resizeDocks({this}, {horizontal ? size.height() : size.width()}, horizontal ? Qt::Vertical : Qt::Horizontal);
    frame_->resizeDocks({this}, {horizontal ? size.width() : size.height()}, RowOrientation());
}

void CSizingControlBar::OnPlacementChanged() {
    // The dock layout places the bar after this signal; edges and size follow once it has.
    QMetaObject::invokeMethod(this, &CSizingControlBar::Relayout, Qt::QueuedConnection);
}

void CSizingControlBar::Relayout() {
    ApplySize();
    if (frame_ == nullptr) return;
    // A bar joining or leaving a row changes its neighbours' edges too.
    for (CSizingControlBar* bar : frame_->findChildren<CSizingControlBar*>()) bar->UpdateEdges();
}

void CSizingControlBar::UpdateEdges() {
    const std::vector<CSizingControlBar*> row = RowBars();
    const int index = IndexInRow(row);
    std::uint32_t style = (barStyle_ & ~static_cast<std::uint32_t>(kEdgeMask)) |
                          (index < 0 ? 0 : RowEdgeBits(Side(), index, static_cast<int>(row.size())));
    SizingBarClientRect({0, 0, width(), height()}, Side(), style);
    barStyle_ = style;
    const auto margin = [style](std::uint32_t edge) { return (style & edge) ? kSizingEdgeWidth : 0; };
    container_->layout()->setContentsMargins(margin(kEdgeLeft), margin(kEdgeTop), margin(kEdgeRight), margin(kEdgeBottom));
}

std::vector<CSizingControlBar*> CSizingControlBar::RowBars() const {
    std::vector<CSizingControlBar*> row;
    if (frame_ == nullptr || IsFloatingBar()) return row;
    const DockSide side = Side();
    for (CSizingControlBar* bar : frame_->findChildren<CSizingControlBar*>()) {
        if (bar->Side() == side && !bar->isHidden()) row.push_back(bar);
    }
    const bool alongX = IsHorizontalSide(side);
    std::sort(row.begin(), row.end(), [alongX](const CSizingControlBar* a, const CSizingControlBar* b) {
        return alongX ? a->x() < b->x() : a->y() < b->y();
    });
    return row;
}

int CSizingControlBar::IndexInRow(const std::vector<CSizingControlBar*>& row) const {
    const auto found = std::find(row.begin(), row.end(), this);
    return found == row.end() ? -1 : static_cast<int>(found - row.begin());
}

Qt::Orientation CSizingControlBar::RowOrientation() const {
    return IsDockedHorizontally() ? Qt::Horizontal : Qt::Vertical;
}

int CSizingControlBar::RowLength() const { return IsDockedHorizontally() ? width() : height(); }
int CSizingControlBar::Thickness() const { return IsDockedHorizontally() ? height() : width(); }

int CSizingControlBar::MinRowLength() const {
    return IsDockedHorizontally() ? minHorzSize_.width() : minVertSize_.height();
}

bool CSizingControlBar::IsAcrossRowEdge() const {
    return IsLeftOrRight(trackedEdge_) ? IsDockedHorizontally() : IsDockedVertically();
}

int CSizingControlBar::TrackCoordinate(QPoint screenPoint) const {
    return IsLeftOrRight(trackedEdge_) ? screenPoint.x() : screenPoint.y();
}

int CSizingControlBar::HitTest(QPoint point) const {
    return SizingBarHitTest({0, 0, width(), height()}, Side(), barStyle_, {point.x(), point.y()});
}

void CSizingControlBar::BeginEdgeDrag(int hitCode, QPoint screenPoint) {
    if (tracking_ || IsFloatingBar() || hitCode == kHitClient) return;
    trackedEdge_ = hitCode;
    tracking_ = true;
    trackPosition_ = trackStart_ = TrackCoordinate(screenPoint);
    const std::vector<CSizingControlBar*> row = RowBars();
    if (IsAcrossRowEdge()) {
        std::vector<RowBar> lengths;
        for (const CSizingControlBar* bar : row) lengths.push_back({bar->RowLength(), bar->MinRowLength()});
        trackedEdgeIndex_ = IndexInRow(row) + (IsRightOrBottom(hitCode) ? 1 : 0);
        trackLimits_ = RowEdgeDragLimits(lengths, trackedEdgeIndex_, trackPosition_);
    } else {
        int largestMinimum = 0;
        for (const CSizingControlBar* bar : row) {
            largestMinimum = std::max(largestMinimum, bar->IsDockedHorizontally() ? bar->minHorzSize_.height()
                                                                                  : bar->minVertSize_.width());
        }
        const QWidget* central = frame_->centralWidget();
        const int free = central == nullptr ? 0 : std::max(0, (IsLeftOrRight(hitCode) ? central->width() : central->height()) - 2);
        const int spare = std::max(0, Thickness() - largestMinimum);
        trackLimits_ = IsRightOrBottom(hitCode) ? DragLimits{trackPosition_ - spare, trackPosition_ + free}
                                                : DragLimits{trackPosition_ - free, trackPosition_ + spare};
    }
    if (!fullDrag_) {
        tracker_ = new QRubberBand(QRubberBand::Line, frame_);
        MoveTracker();
        tracker_->show();
    }
}

void CSizingControlBar::DragEdgeTo(QPoint screenPoint) {
    if (!tracking_) return;
    const int position = std::clamp(TrackCoordinate(screenPoint), trackLimits_.minimum, trackLimits_.maximum);
    if (position == trackPosition_) return;
    trackPosition_ = position;
    if (!fullDrag_) {
        MoveTracker();
        return;
    }
    ApplyDrag(trackPosition_ - trackStart_);
    trackStart_ = trackPosition_;
}

void CSizingControlBar::EndEdgeDrag() {
    if (!tracking_) return;
    tracking_ = false;
    if (tracker_ != nullptr) {
        delete tracker_;
        tracker_ = nullptr;
    }
    ApplyDrag(trackPosition_ - trackStart_);
    trackStart_ = trackPosition_;
}

void CSizingControlBar::MoveTracker() {
    // The line lies over the edge being dragged, at the tracked coordinate, in the frame's coordinates.
    const QPoint origin = frame_->mapFromGlobal(mapToGlobal(QPoint(0, 0)));
    const QPoint tracked = frame_->mapFromGlobal(QPoint(trackPosition_, trackPosition_));
    if (IsLeftOrRight(trackedEdge_)) {
        tracker_->setGeometry(tracked.x(), origin.y(), 2, height());
    } else {
        tracker_->setGeometry(origin.x(), tracked.y(), width(), 2);
    }
}

void CSizingControlBar::ApplyDrag(int delta) {
    if (delta == 0) return;
    const std::vector<CSizingControlBar*> row = RowBars();
    QList<QDockWidget*> docks(row.begin(), row.end());
    if (IsAcrossRowEdge()) {
        std::vector<RowBar> lengths;
        for (const CSizingControlBar* bar : row) lengths.push_back({bar->RowLength(), bar->MinRowLength()});
        ApplyRowEdgeDrag(lengths, trackedEdgeIndex_, delta);
        QList<int> sizes;
        for (std::size_t index = 0; index < row.size(); ++index) {
            row[index]->StoreLength(lengths[index].length);
            sizes.push_back(lengths[index].length);
        }
        frame_->resizeDocks(docks, sizes, RowOrientation());
        return;
    }
    const int thickness = IsRightOrBottom(trackedEdge_) ? Thickness() + delta : Thickness() - delta;
    QList<int> sizes;
    for (CSizingControlBar* bar : row) {
        bar->StoreThickness(thickness);
        sizes.push_back(thickness);
    }
    frame_->resizeDocks(docks, sizes, IsDockedHorizontally() ? Qt::Vertical : Qt::Horizontal);
}

void CSizingControlBar::StoreLength(int length) {
    if (IsDockedHorizontally()) {
        horzSize_.setWidth(length);
    } else {
        vertSize_.setHeight(length);
    }
}

void CSizingControlBar::StoreThickness(int thickness) {
    if (IsDockedHorizontally()) {
        horzSize_.setHeight(thickness);
    } else {
        vertSize_.setWidth(thickness);
    }
}

bool CSizingControlBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched != container_) return QDockWidget::eventFilter(watched, event);
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease) {
        return QDockWidget::eventFilter(watched, event);
    }
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint screen = mouse->globalPosition().toPoint();
    if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
        const int hit = HitTest(mapFromGlobal(screen));
        if (hit == kHitClient) return false;
        BeginEdgeDrag(hit, screen);
        return true;
    }
    if (!tracking_) return false;
    if (type == QEvent::MouseMove) {
        DragEdgeTo(screen);
    } else {
        EndEdgeDrag();
    }
    return true;
}

void CSizingControlBar::mousePressEvent(QMouseEvent* event) {
    if (tracking_ && event->button() == Qt::RightButton) {
        EndEdgeDrag();
        return;
    }
    QDockWidget::mousePressEvent(event);
}

void CSizingControlBar::mouseMoveEvent(QMouseEvent* event) {
    if (tracking_) {
        DragEdgeTo(event->globalPosition().toPoint());
        return;
    }
    QDockWidget::mouseMoveEvent(event);
}

void CSizingControlBar::mouseReleaseEvent(QMouseEvent* event) {
    if (tracking_) {
        EndEdgeDrag();
        return;
    }
    QDockWidget::mouseReleaseEvent(event);
}
