// Skinned windows: CSkinWnd is a hook that takes over a frameless top-level window's frame (hit test,
// caption text, the caption buttons' minimise, maximise, restore and close, the window's shape from the
// frame picture's opaque pixels); CSkinButton is a push button painted from one skin picture holding its
// five states side by side and shaped by that picture.
#pragma once

#include "SkinGeometry.h"
#include "SubclassWnd.h"

#include <QImage>
#include <QPushButton>
#include <QRect>
#include <QRegion>

// Numbered messages of the skinned frame.
enum SkinMessage : std::uint32_t {
    kMessageSize = 0x0005,
    kMessageSetText = 0x000C,
    kMessageCommand = 0x0111,
    kMessageNcHitTest = 0x0084,
    kMessageNcLButtonUp = 0x00A2,
};

// The window region of an image: its pixels that are not the transparent colour.
QRegion OpaqueRegion(const QImage& image, QRgb transparent);

class CSkinWnd : public CSubclassWnd {
    Q_OBJECT

  public:
    void SetFrameLayout(const SkinFrameLayout& layout) { layout_ = layout; }
    // The frame picture at window size, whose opaque pixels shape the window when the region is used.
    void SetFramePicture(const QImage& picture, QRgb transparent, bool useRegion);
    // Skinning makes the hooked window frameless; off, every message takes its default path.
    void SetSkinning(bool on);
    const QString& CaptionText() const { return caption_; }
    int State() const { return state_; }

  protected:
    // Hit test: lParam is the point in window coordinates, x in the low and y in the high 16 bits.
    // Set text: lParam points to the new caption as a QString. Button up: wParam is the hit code.
    std::intptr_t WindowProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;

  private:
    void ApplyRegion();
    void Maximize();
    void Restore();

    SkinFrameLayout layout_;
    QImage picture_;
    QRgb transparent_ = 0;
    bool useRegion_ = false;
    bool skinning_ = false;
    QString caption_;
    int state_ = 0;  // 0 normal, 1 maximised, 2 minimised
    QRect restoreGeometry_;
};

class CSkinButton : public QPushButton {
    Q_OBJECT

  public:
    static constexpr QRgb kDisabledText = 0xFF646464;

    explicit CSkinButton(QWidget* parent = nullptr);

    void SetSkin(const QImage& skin, NineGridMargins margins, QRgb transparent);
    SkinButtonState State() const;
    QImage Render() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    void Release(bool over);

    QImage skin_;
    NineGridMargins margins_;
    QRgb transparent_ = 0;
    bool hover_ = false;
    bool pressed_ = false;
};
