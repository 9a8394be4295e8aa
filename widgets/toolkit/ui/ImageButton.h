// Two owner-drawn push buttons: CImageButton shows one image of an image list centred on a raised face
// with its caption right of it; CColorButton is a colour swatch that lights up under the mouse and
// toggles a pressed look on each click (the layer colour bar marks its current colour with it).
#pragma once

#include "GdiTypes.h"

#include <QImage>
#include <QPushButton>

#include <vector>

class CImageButton : public QPushButton {
    Q_OBJECT

  public:
    explicit CImageButton(QWidget* parent = nullptr);

    // The images are the caller's; the caller repaints.
    void SetImageList(const std::vector<QImage>* images) { images_ = images; }
    void SetImage(int index) { index_ = index; }
    bool IsPressedLook() const { return pressed_; }
    // The button as it paints now; nothing at all without an image list.
    QImage Render() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    const std::vector<QImage>* images_ = nullptr;
    int index_ = 0;
    bool pressed_ = false;
};

class CColorButton : public QPushButton {
    Q_OBJECT

  public:
    explicit CColorButton(QWidget* parent = nullptr);

    void SetColor(platform::ColorRef color);
    platform::ColorRef Color() const { return color_; }
    // The caller repaints.
    void SetToggled(bool toggled) { toggled_ = toggled; }
    bool IsToggled() const { return toggled_; }
    bool IsHot() const { return hot_; }
    QImage Render() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    bool hot_ = false;
    bool toggled_ = false;
    platform::ColorRef color_;
};
