// Cutting the strip into button images and deriving the disabled and hot lists pixel by pixel.
#include "ToolBarEx.h"

#include "WidgetCanvas.h"
#include "WindowMessage.h"

#include <QAction>
#include <QIcon>
#include <QPainter>
#include <QPixmap>

namespace {

using PixelRecipe = platform::ColorRef (*)(platform::ColorRef);

constexpr QRgb kTransparent = 0;

platform::ColorRef ShadowColor(platform::ColorRef) { return kDisabledShadowColor; }

// Draws every pixel of `image` that is not `transparent`, through the recipe, at `offset` onto `target`;
// pixels outside the target are left out.
void DrawTransparent(QImage& target, const QImage& image, QRgb transparent, PixelRecipe recipe, QPoint offset) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y) | 0xFF000000u;
            const QPoint at(x + offset.x(), y + offset.y());
            if (pixel == transparent || !target.rect().contains(at)) continue;
            const platform::ColorRef color = recipe(ui::ToColorRef(QColor(pixel)));
            target.setPixel(at, ui::ToQColor(color).rgb());
        }
    }
}

QImage EmptyImage(QSize size) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(kTransparent);
    return image;
}

platform::ColorRef Unchanged(platform::ColorRef color) { return color; }

}  // namespace

CToolBarEx::CToolBarEx(QWidget* parent) : QToolBar(parent) {
    connect(this, &QToolBar::orientationChanged, this, &CToolBarEx::OnOrientationChanged);
}

bool CToolBarEx::LoadToolBar(std::span<const std::uint8_t> table, const QImage& strip) {
    const std::optional<ToolbarResource> resource = ParseToolbarResource(table);
    if (!resource || strip.isNull()) return false;
    const std::optional<ToolbarMetrics> metrics = ComputeToolbarMetrics(*resource, {strip.width(), strip.height()});
    if (!metrics) return false;

    clear();
    buttons_.clear();
    metrics_ = *metrics;
    strip_ = strip.convertToFormat(QImage::Format_RGB32);
    for (const std::uint16_t id : resource->commandIds) {
        if (id == 0) {
            if (QWidget* separator = widgetForAction(addSeparator()); separator != nullptr) separator->installEventFilter(this);
            continue;
        }
        QAction* action = addAction(QString());
        platform::SetCommandId(*action, id);
        buttons_.push_back(action);
    }
    setIconSize(QSize(metrics_.imageSize.width, metrics_.imageSize.height));
    BuildImageLists();
    return true;
}

void CToolBarEx::BuildImageLists() {
    if (strip_.isNull()) return;
    const QSize imageSize(metrics_.imageSize.width, metrics_.imageSize.height);
    const QRgb transparent = strip_.pixel(0, 0) | 0xFF000000u;
    normalImages_.clear();
    disabledImages_.clear();
    hotImages_.clear();
    for (int index = 0; index < static_cast<int>(buttons_.size()); ++index) {
        const QImage source = strip_.copy(QRect(QPoint(index * imageSize.width(), 0), imageSize));
        QImage normal = EmptyImage(imageSize);
        DrawTransparent(normal, source, transparent, Unchanged, {0, 0});
        // A light shadow one pixel down and right, under the grey face.
        QImage disabled = EmptyImage(imageSize);
        DrawTransparent(disabled, source, transparent, ShadowColor, {1, 1});
        DrawTransparent(disabled, source, transparent, DisabledGrey, {0, 0});
        QImage hot = EmptyImage(imageSize);
        DrawTransparent(hot, source, transparent, HotLighten, {0, 0});
        normalImages_.push_back(std::move(normal));
        disabledImages_.push_back(std::move(disabled));
        hotImages_.push_back(std::move(hot));
    }
    ++imageListGeneration_;
    ApplyIcons();
}

QAction* CToolBarEx::CommandAction(int commandId) const {
    for (QAction* action : buttons_) {
        if (platform::CommandId(*action) == commandId) return action;
    }
    return nullptr;
}

void CToolBarEx::ApplyIcons() {
    for (std::size_t index = 0; index < buttons_.size(); ++index) {
        QIcon icon;
        icon.addPixmap(QPixmap::fromImage(normalImages_[index]), QIcon::Normal);
        icon.addPixmap(QPixmap::fromImage(disabledImages_[index]), QIcon::Disabled);
        icon.addPixmap(QPixmap::fromImage(hotImages_[index]), QIcon::Active);
        buttons_[index]->setIcon(icon);
    }
}

void CToolBarEx::OnOrientationChanged(Qt::Orientation) {
    BuildImageLists();
    update();
}

bool CToolBarEx::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && watched != this) return true;
    return QToolBar::eventFilter(watched, event);
}

void CToolBarEx::paintEvent(QPaintEvent* event) {
    QToolBar::paintEvent(event);
    QPainter painter(this);
    PaintFrame(painter);
}

QImage CToolBarEx::Render() {
    QImage picture(size(), QImage::Format_RGB32);
    picture.fill(palette().color(QPalette::Button));
    render(&picture);
    return picture;
}

void CToolBarEx::PaintFrame(QPainter& painter) const {
    const bool horizontal = orientation() == Qt::Horizontal;
    if (!isFloating()) {
        // Raised 2 x 2 dots every 5 pixels down (or along) the first 8 pixels of the bar.
        const QRect inner = rect().adjusted(1, 1, -1, -1);
        const int count = ((horizontal ? inner.height() : inner.width()) - 4) / 5;
        for (int dot = 0; dot < count; ++dot) {
            const QPoint at = horizontal ? QPoint(inner.left() + 1, inner.top() + 3 + 5 * dot)
                                         : QPoint(inner.left() + 3 + 5 * dot, inner.top() + 1);
            painter.fillRect(QRect(at + QPoint(1, 1), QSize(2, 2)), Qt::white);
            painter.fillRect(QRect(at, QSize(2, 2)), QColor::fromRgb(kGripperDot));
        }
    }
    // Etched separators: shadow then highlight, 2 pixels across the item's middle (horizontal bar) or
    // just below it (vertical bar).
    for (QAction* action : actions()) {
        if (!action->isSeparator()) continue;
        const QRect item = actionGeometry(action);
        if ((horizontal ? item.width() : item.height()) >= 9) continue;
        const QColor shadow = palette().color(QPalette::Dark);
        const QColor light = palette().color(QPalette::Light);
        if (horizontal) {
            const int x = item.center().x();
            painter.fillRect(QRect(x, item.top(), 1, item.height()), shadow);
            painter.fillRect(QRect(x + 1, item.top(), 1, item.height()), light);
        } else {
            const int y = item.bottom();
            painter.fillRect(QRect(item.left(), y, item.width(), 1), shadow);
            painter.fillRect(QRect(item.left(), y + 1, item.width(), 1), light);
        }
    }
}
