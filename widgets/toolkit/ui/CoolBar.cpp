// The cool bar's title band: two raised grip lines along the band and the close button at its end, painted
// through a device context; the bar hides only when the button is released over it.
#include "CoolBar.h"

#include "WidgetCanvas.h"
#include "WindowMessage.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

using platform::ColorRef;
using platform::DeviceContext;


// The band widget: it paints the bar's picture and reports presses on the close button to the bar;
// other presses go on to the dock widget, which drags the bar.
class CoolBarTitleBand : public QWidget {
  public:
    explicit CoolBarTitleBand(CCoolBar& bar) : QWidget(&bar), bar_(bar) { setMouseTracking(true); }

    QSize sizeHint() const override { return {CCoolBar::kTitleThickness, CCoolBar::kTitleThickness}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(0, 0, bar_.RenderTitle());
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton || !bar_.CloseButtonRect().contains(event->position().toPoint())) {
            event->ignore();
            return;
        }
        bar_.closePressed_ = true;
        update();
    }

    void mouseMoveEvent(QMouseEvent* event) override {
        const bool over = bar_.CloseButtonRect().contains(event->position().toPoint());
        if (over != bar_.closeHovered_) {
            bar_.closeHovered_ = over;
            update();
        }
        event->ignore();
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        if (!bar_.closePressed_) {
            event->ignore();
            return;
        }
        bar_.closePressed_ = false;
        update();
        if (bar_.CloseButtonRect().contains(event->position().toPoint())) bar_.hide();
    }

    void leaveEvent(QEvent*) override {
        bar_.closeHovered_ = false;
        update();
    }

  private:
    CCoolBar& bar_;
};

CCoolBar::CCoolBar(QWidget* parent) : CSizingControlBar(parent), titleBand_(new CoolBarTitleBand(*this)) {
    SetBarStyle((BarStyle() & ~static_cast<std::uint32_t>(kEdgeMask)) | kSizeChild);
    setTitleBarWidget(titleBand_);
    focusWatch_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        const bool inside = now != nullptr && isAncestorOf(now);
        if (inside == active_) return;
        active_ = inside;
        ++activeChanges_;
        titleBand_->update();
    });
}

CCoolBar::~CCoolBar() { disconnect(focusWatch_); }

bool CCoolBar::event(QEvent* event) {
    if (event->type() != platform::WindowMessageEvent::EventType()) return CSizingControlBar::event(event);
    auto* message = static_cast<platform::WindowMessageEvent*>(event);
    if (message->Message() != kNotifyMessage) return CSizingControlBar::event(event);
    platform::SendWindowMessage(Frame(), message->Message(), message->WParam(), message->LParam());
    message->SetResult(0);
    return true;
}

void CCoolBar::OnPlacementChanged() {
    // Docked at the top or bottom the band runs down the bar's left side, elsewhere across its top.
    setFeatures(IsDockedHorizontally() ? features() | QDockWidget::DockWidgetVerticalTitleBar
                                       : features() & ~QDockWidget::DockWidgetVerticalTitleBar);
    CSizingControlBar::OnPlacementChanged();
    titleBand_->update();
}

QRect CCoolBar::CloseButtonRect() const {
    if (!HasGripper()) return {};
    const int side = kCoolBarCloseButtonSize;
    if (IsDockedHorizontally()) return {0, 0, side, side};
    return {titleBand_->width() - side - 1, 0, side, side};
}

QImage CCoolBar::RenderTitle() const {
    const QSize band = titleBand_->size();
    DeviceContext dc = ui::MakeCanvas(band);
    dc.FillSolidRect({0, 0, band.width(), band.height()}, ui::ToColorRef(palette().color(QPalette::Button)));
    if (HasGripper()) {
        PaintGripper(dc, band);
        PaintCloseButton(dc);
    }
    return ui::CanvasImage(dc);
}

void CCoolBar::PaintGripper(DeviceContext& dc, QSize band) const {
    const ColorRef light = ui::ToColorRef(palette().color(QPalette::Light));
    const ColorRef shadow = ui::ToColorRef(palette().color(QPalette::Dark));
    const QRect button = CloseButtonRect();
    // Two parallel grip lines, 3 pixels thick and 3 apart, from past the button to the band's end.
    QRect line = IsDockedHorizontally() ? QRect(QPoint(1, button.bottom() + 4), QPoint(3, band.height() - 2))
                                        : QRect(QPoint(1, 1), QPoint(button.left() - 4, 3));
    const QPoint step = IsDockedHorizontally() ? QPoint(3, 0) : QPoint(0, 3);
    ui::Draw3dRect(dc, line, light, shadow);
    ui::Draw3dRect(dc, line.translated(step), light, shadow);
}

void CCoolBar::PaintCloseButton(DeviceContext& dc) const {
    const QRect button = CloseButtonRect();
    const ColorRef light = ui::ToColorRef(palette().color(QPalette::Light));
    const ColorRef shadow = ui::ToColorRef(palette().color(QPalette::Dark));
    if (closePressed_) {
        ui::Draw3dRect(dc, button, shadow, light);
    } else if (closeHovered_) {
        ui::Draw3dRect(dc, button, light, shadow);
    }
    // The cross, 7 pixels wide, inset 3 pixels from the button's corner.
    dc.SelectObject(platform::Pen::Solid(1, ui::ToColorRef(palette().color(QPalette::ButtonText))));
    const int x = button.left() + 3;
    const int y = button.top() + 3;
    dc.MoveTo(x, y);
    dc.LineTo(x + 7, y + 7);
    dc.MoveTo(x + 6, y);
    dc.LineTo(x - 1, y + 7);
}
