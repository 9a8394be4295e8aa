// The main frame's toolbars: buttons from a toolbar table and one image strip, shown through three image
// lists (normal, disabled in embossed grey, hot lightened under the cursor) held as the icon modes of
// each button.
#pragma once

#include "ToolbarStrip.h"

#include <QImage>
#include <QToolBar>

#include <span>
#include <vector>

class QAction;
class QPainter;

class CToolBarEx : public QToolBar {
    Q_OBJECT

  public:
    explicit CToolBarEx(QWidget* parent = nullptr);

    // Buttons from the table (command ids, 0 for a separator) with images cut from the strip. False,
    // leaving the bar as it was, when the table is damaged, holds no real button, or holds more buttons
    // than the strip has pixels across.
    bool LoadToolBar(std::span<const std::uint8_t> table, const QImage& strip);
    // Rebuilds the three image lists from the strip and hands them to the buttons.
    void BuildImageLists();

    const ToolbarMetrics& Metrics() const { return metrics_; }
    // One image per real button, in table order; the strip's top-left colour is transparent in all three.
    const std::vector<QImage>& NormalImages() const { return normalImages_; }
    const std::vector<QImage>& DisabledImages() const { return disabledImages_; }
    const std::vector<QImage>& HotImages() const { return hotImages_; }
    // Counts the image list builds, so that an owner can tell whether a move rebuilt them.
    int ImageListGeneration() const { return imageListGeneration_; }
    // The button action of a command id; null when the bar has none.
    QAction* CommandAction(int commandId) const;
    // The bar as it paints now: the style's own bar, then the dotted gripper and etched separators.
    QImage Render();

    static constexpr QRgb kGripperDot = 0xFFC0C0C0;

  protected:
    void paintEvent(QPaintEvent* event) override;
    // The bar paints its own separators; the style's separator widgets paint nothing.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void PaintFrame(QPainter& painter) const;
    void OnOrientationChanged(Qt::Orientation orientation);
    void ApplyIcons();

    QImage strip_;
    ToolbarMetrics metrics_;
    std::vector<QAction*> buttons_;  // owned by the bar as its actions
    std::vector<QImage> normalImages_;
    std::vector<QImage> disabledImages_;
    std::vector<QImage> hotImages_;
    int imageListGeneration_ = 0;
};
