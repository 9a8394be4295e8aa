// The main window's docking panel: a sizing bar whose title band carries a gripper and a small close
// button while docked; the panel's own widget fills the rest. Floating, the band shows neither.
#pragma once

#include "DeviceContext.h"
#include "SizingControlBar.h"

#include <QImage>

class CCoolBar : public CSizingControlBar {
    Q_OBJECT

  public:
    static constexpr int kTitleThickness = kCoolBarCloseButtonSize + 1;

    explicit CCoolBar(QWidget* parent = nullptr);
    // Stops hearing of focus changes first: destroying the children moves the focus, and the bar is by
    // then no longer whole.
    ~CCoolBar() override;

    bool HasGripper() const override { return !IsFloatingBar(); }

    // The close button in title band coordinates; empty while floating.
    QRect CloseButtonRect() const;
    QWidget* TitleBand() const { return titleBand_; }
    // The title band as it paints now.
    QImage RenderTitle() const;
    // The keyboard focus is inside the bar; the title band repaints when this changes.
    bool IsActive() const { return active_; }
    int ActiveChanges() const { return activeChanges_; }

    // Notifications (WM_NOTIFY) that reach the bar go on to the window it was created in.
    static constexpr std::uint32_t kNotifyMessage = 0x004E;

  protected:
    void OnPlacementChanged() override;
    bool event(QEvent* event) override;

  private:
    friend class CoolBarTitleBand;
    void PaintGripper(platform::DeviceContext& dc, QSize band) const;
    void PaintCloseButton(platform::DeviceContext& dc) const;

    QWidget* titleBand_;
    bool closePressed_ = false;
    bool closeHovered_ = false;
    bool active_ = false;
    int activeChanges_ = 0;
    QMetaObject::Connection focusWatch_;
};
