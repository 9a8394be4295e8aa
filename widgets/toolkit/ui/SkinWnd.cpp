#include "SkinWnd.h"

#include "WindowMessage.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWidget>

#include <vector>

namespace {

QRect ToQRect(const platform::Rect& rect) {
    return QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
}

}  // namespace

QRegion OpaqueRegion(const QImage& image, QRgb transparent) {
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    std::vector<std::uint32_t> values;
    values.reserve(static_cast<std::size_t>(pixels.width()) * static_cast<std::size_t>(pixels.height()));
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        values.insert(values.end(), row, row + pixels.width());
    }
    QRegion region;
    for (const platform::Rect& run : OpaqueRuns(values, pixels.width(), transparent)) region += ToQRect(run);
    return region;
}

void CSkinWnd::SetFramePicture(const QImage& picture, QRgb transparent, bool useRegion) {
    picture_ = picture;
    transparent_ = transparent;
    useRegion_ = useRegion;
    ApplyRegion();
}

void CSkinWnd::SetSkinning(bool on) {
    skinning_ = on;
    auto* window = qobject_cast<QWidget*>(HookedWindow());
    if (window == nullptr) return;
    window->setWindowFlag(Qt::FramelessWindowHint, on);
    ApplyRegion();
}

void CSkinWnd::ApplyRegion() {
    auto* window = qobject_cast<QWidget*>(HookedWindow());
    if (window == nullptr || !skinning_) return;
    if (useRegion_ && !picture_.isNull()) {
        window->setMask(OpaqueRegion(picture_, transparent_));
    } else {
        window->clearMask();
    }
}

std::intptr_t CSkinWnd::WindowProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    auto* window = qobject_cast<QWidget*>(HookedWindow());
    if (!skinning_ || window == nullptr) return CSubclassWnd::WindowProc(message, wParam, lParam);
    switch (message) {
        case kMessageNcHitTest: {
            SkinFrameLayout frame = layout_;
            frame.width = window->width();
            frame.height = window->height();
            frame.maximized = state_ == 1;
            const platform::Point point{static_cast<std::int16_t>(lParam & 0xFFFF), static_cast<std::int16_t>((lParam >> 16) & 0xFFFF)};
            return SkinFrameHitTest(frame, point);
        }
        case kMessageSetText:
            if (lParam != 0) caption_ = *reinterpret_cast<const QString*>(lParam);
            window->update();
            return 0;
        case kMessageSize: ApplyRegion(); return CSubclassWnd::WindowProc(message, wParam, lParam);
        case kMessageNcLButtonUp:
            if (wParam == 20) {
                window->close();
            } else if (wParam == kSkinHitMinimize) {
                state_ = 2;
                window->showMinimized();
            } else if (wParam == kSkinHitMaximize) {
                state_ == 1 ? Restore() : Maximize();
            }
            return 0;
        default: return CSubclassWnd::WindowProc(message, wParam, lParam);
    }
}

void CSkinWnd::Maximize() {
    auto* window = qobject_cast<QWidget*>(HookedWindow());
    restoreGeometry_ = window->geometry();
    state_ = 1;
    if (const QScreen* screen = window->screen(); screen != nullptr) window->setGeometry(screen->availableGeometry());
}

void CSkinWnd::Restore() {
    auto* window = qobject_cast<QWidget*>(HookedWindow());
    state_ = 0;
    window->setGeometry(restoreGeometry_);
}

CSkinButton::CSkinButton(QWidget* parent) : QPushButton(parent) { setMouseTracking(true); }

void CSkinButton::SetSkin(const QImage& skin, NineGridMargins margins, QRgb transparent) {
    skin_ = skin.convertToFormat(QImage::Format_RGB32);
    margins_ = margins;
    transparent_ = transparent;
    update();
}

SkinButtonState CSkinButton::State() const { return SkinButtonStateOf(isEnabled(), hover_, pressed_, hasFocus()); }

QImage CSkinButton::Render() const {
    QImage picture(size(), QImage::Format_RGB32);
    picture.fill(transparent_);
    if (skin_.isNull()) return picture;
    QPainter painter(&picture);
    const platform::Rect slice = SkinStateSlice({skin_.width(), skin_.height()}, State());
    for (const SlicePair& piece : NineGridSlices(slice, {0, 0, width(), height()}, margins_)) {
        painter.drawImage(ToQRect(piece.target), skin_, ToQRect(piece.source));
    }
    painter.setPen(isEnabled() ? palette().color(QPalette::ButtonText) : QColor::fromRgb(kDisabledText));
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text());
    return picture;
}

void CSkinButton::paintEvent(QPaintEvent*) {
    const QImage picture = Render();
    if (!skin_.isNull()) setMask(OpaqueRegion(picture, transparent_));
    QPainter painter(this);
    painter.drawImage(0, 0, picture);
}

void CSkinButton::mouseMoveEvent(QMouseEvent* event) {
    const bool over = rect().contains(event->position().toPoint());
    if (over != hover_) {
        hover_ = over;
        repaint();
    }
}

void CSkinButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = hover_ = true;
    repaint();
    setFocus();
}

void CSkinButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    Release(rect().contains(event->position().toPoint()));
}

void CSkinButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space || event->isAutoRepeat()) return QPushButton::keyPressEvent(event);
    pressed_ = hover_ = true;
    repaint();
}

void CSkinButton::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space || event->isAutoRepeat()) return QPushButton::keyReleaseEvent(event);
    Release(true);
}

void CSkinButton::Release(bool over) {
    pressed_ = false;
    if (!over) {
        hover_ = false;
        repaint();
        return;
    }
    hover_ = false;
    repaint();
    platform::SendWindowMessage(parentWidget(), kMessageCommand, static_cast<std::uintptr_t>(platform::ControlId(*this).value_or(0)),
                                reinterpret_cast<std::intptr_t>(this));
}
