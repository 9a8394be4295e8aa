// Painting through a device context: background, the raised or sunken frame, the image placed by
// PlaceImage, the caption; the icon itself goes on with a painter for its alpha.
#include "IconButton.h"

#include "WidgetCanvas.h"
#include "WindowMessage.h"

#include <QDesktopServices>
#include <QEnterEvent>
#include <QPainter>
#include <QUrl>

namespace {

CIconButton::IconSource& Source() {
    static CIconButton::IconSource source = [](int id) { return QImage(QStringLiteral(":/icons/%1.png").arg(id)); };
    return source;
}

}  // namespace

void CIconButton::SetIconSource(IconSource source) { Source() = std::move(source); }

CIconButton::CIconButton(QWidget* parent) : QPushButton(parent), menu_(new GlyphMenu(this)) {
    runMenu_ = [](QMenu& menu, QPoint at) { return menu.exec(at); };
    setAttribute(Qt::WA_Hover);
    openLink_ = [](const std::string& link) { QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(link))); };
    connect(this, &QPushButton::clicked, this, &CIconButton::OnClicked);
}

int CIconButton::SetIcon(int inId, int outId) {
    const QImage in = Source()(inId);
    if (in.isNull()) return SetIconHandles(QImage(), QImage());
    const QImage out = outId == 0 ? QImage() : outId == kGrayOutIcon ? MakeGrayIcon(in) : Source()(outId);
    if (outId != 0 && out.isNull()) {
        inIcon_ = outIcon_ = QImage();
        return 1;
    }
    return SetIconHandles(in, out);
}

int CIconButton::SetIconHandles(const QImage& in, const QImage& out) {
    inIcon_ = in.convertToFormat(QImage::Format_ARGB32);
    outIcon_ = out.isNull() ? QImage() : out.convertToFormat(QImage::Format_ARGB32);
    update();
    return 0;
}

QImage CIconButton::MakeGrayIcon(const QImage& icon) {
    QImage grey = icon.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        for (int x = 0; x < grey.width(); ++x) {
            const QRgb pixel = grey.pixel(x, y);
            const platform::ColorRef level = GrayIconPixel(ui::ToColorRef(QColor(pixel)));
            grey.setPixel(x, y, qRgba(platform::RedOf(level), platform::GreenOf(level), platform::BlueOf(level), qAlpha(pixel)));
        }
    }
    return grey;
}

int CIconButton::SetChecked(bool checked, bool repaint) {
    if (!toggle_) return 0;
    checked_ = checked;
    if (repaint) update();
    return 0;
}

bool CIconButton::IsPressedLook() const { return toggle_ ? (isDown() || checked_) : (isDown() || menuShown_); }

const QImage& CIconButton::ChosenImage() const {
    const bool useIn = toggle_ ? IsPressedLook() : (IsPressedLook() || hovered_);
    if (useIn || outIcon_.isNull()) return inIcon_;
    return outIcon_;
}

QRect CIconButton::ImageRect() const {
    const QImage& image = ChosenImage();
    if (image.isNull()) return {};
    const platform::Rect item{0, 0, width(), height()};
    const ImagePlacement placement = PlaceImage(alignment_, !text().isEmpty(), item, item, IsPressedLook() && !toggle_,
                                                {image.width(), image.height()});
    return QRect(placement.image.left, placement.image.top, image.width(), image.height());
}

QImage CIconButton::Render() const {
    const QPalette& colours = palette();
    platform::DeviceContext dc = ui::MakeCanvas(size());
    const QRect item = rect();
    dc.FillSolidRect(ui::ToRect(item), ui::ToColorRef(colours.color(QPalette::Button)));
    const platform::ColorRef light = ui::ToColorRef(colours.color(QPalette::Light));
    const platform::ColorRef shadow = ui::ToColorRef(colours.color(QPalette::Dark));
    const bool pressed = IsPressedLook();
    if (pressed) {
        ui::Draw3dRect(dc, item, shadow, light);
    } else if (hovered_ || !flat_) {
        ui::Draw3dRect(dc, item, light, shadow);
    }
    QImage image = ui::CanvasImage(dc);
    QPainter painter(&image);
    const QImage& icon = ChosenImage();
    QRect captionRect = item;
    if (!icon.isNull()) {
        const QRect place = ImageRect();
        painter.drawImage(place.topLeft(), isEnabled() ? icon : MakeGrayIcon(icon));
        const platform::Rect itemRect = ui::ToRect(item);
        const ImagePlacement placement = PlaceImage(alignment_, !text().isEmpty(), itemRect, itemRect, false,
                                                    {icon.width(), icon.height()});
        captionRect = QRect(QPoint(placement.caption.left, placement.caption.top),
                            QPoint(placement.caption.right - 1, placement.caption.bottom - 1));
    }
    if (!text().isEmpty()) {
        if (pressed && !toggle_) captionRect.translate(1, 1);
        const int flags = Qt::AlignCenter | Qt::TextWordWrap;
        if (!isEnabled()) {
            // Embossed: the highlight one pixel down and right, the shadow on top.
            painter.setPen(colours.color(QPalette::Light));
            painter.drawText(captionRect.translated(1, 1), flags, text());
            painter.setPen(colours.color(QPalette::Dark));
        } else {
            painter.setPen(colours.color(QPalette::ButtonText));
        }
        painter.drawText(captionRect, flags, text());
    }
    return image;
}

void CIconButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, Render());
}

void CIconButton::enterEvent(QEnterEvent* event) {
    QPushButton::enterEvent(event);
    if (!flat_ || hovered_) return;
    hovered_ = true;
    update();
}

void CIconButton::leaveEvent(QEvent* event) {
    QPushButton::leaveEvent(event);
    EndHover();
}

void CIconButton::focusOutEvent(QFocusEvent* event) {
    QPushButton::focusOutEvent(event);
    EndHover();
}

void CIconButton::changeEvent(QEvent* event) {
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) EndHover();
    if (event->type() == QEvent::EnabledChange && !isEnabled()) EndHover();
}

void CIconButton::EndHover() {
    if (!flat_ || !hovered_) return;
    hovered_ = false;
    update();
}

void CIconButton::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double click is a second press: two clicks in all.
    mousePressEvent(event);
}

void CIconButton::OnClicked() {
    setFocus();
    if (toggle_) {
        checked_ = !checked_;
        update();
        return;
    }
    if (!menu_->actions().isEmpty()) {
        menuShown_ = true;
        repaint();
        QAction* chosen = runMenu_(*menu_, mapToGlobal(rect().bottomLeft()));
        menuShown_ = false;
        repaint();
        const std::optional<int> command = chosen == nullptr ? std::nullopt : platform::CommandId(*chosen);
        if (command) platform::PostWindowMessage(menuTarget_.data(), kCommandMessage, static_cast<std::uint16_t>(*command), 0);
        return;
    }
    if (!link_.empty() && openLink_) openLink_(link_);
}
