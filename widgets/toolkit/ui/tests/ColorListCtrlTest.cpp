#include "ColorListCtrl.h"
#include "WidgetCanvas.h"
#include "WidgetTestApplication.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <vector>

using platform::Rgb;

namespace {

class ColorListCtrlTest : public platform::WidgetTest {
  protected:
    void SetUp() override {
        list.setColumnCount(2);
        list.setRowCount(4);
        for (int row = 0; row < 4; ++row) {
            list.setItem(row, 0, new QTableWidgetItem(QString::number(row + 1)));
            list.setItem(row, 1, new QTableWidgetItem(row == 3 ? QString() : QString("Cut")));
        }
        list.resize(300, 200);
        list.show();
        QApplication::processEvents();
    }
    QRgb PixelIn(int row, int column, QPoint offset) {
        const QImage image = list.viewport()->grab().toImage();
        const QRect cell = list.visualItemRect(list.item(row, column));
        return image.pixel(cell.topLeft() + offset) | 0xFF000000u;
    }
    CColorListCtrl list;
};

}  // namespace

TEST_F(ColorListCtrlTest, LayerColoursFillColumnZeroAndRowsBeyondTheLayersStayWhite) {
    const std::vector<platform::ColorRef> layers{Rgb(255, 0, 0), Rgb(0, 0, 255)};
    list.SetLayerColorSource([layers](int position) -> std::optional<platform::ColorRef> {
        if (position < 0 || position >= static_cast<int>(layers.size())) return std::nullopt;
        return layers[static_cast<std::size_t>(position)];
    });
    list.ShowLayerColors(true);
    list.selectRow(1);
    struct Case {
        int row;
        platform::ColorRef fill;
        platform::ColorRef text;
    };
    const Case cases[] = {{0, Rgb(255, 0, 0), Rgb(255, 255, 255)},
                          {1, Rgb(0, 0, 255), Rgb(255, 255, 255)},
                          {2, Rgb(255, 255, 255), Rgb(0, 0, 0)},
                          {3, Rgb(255, 255, 255), Rgb(0, 0, 0)}};
    for (const Case& c : cases) {
        const CColorListCtrl::CellColors colors = list.ColorsOf(c.row, 0);
        EXPECT_EQ(colors.fill, c.fill) << c.row;
        EXPECT_EQ(colors.text, c.text) << c.row;
        EXPECT_EQ(PixelIn(c.row, 0, QPoint(3, 4)), ui::ToQColor(c.fill).rgb()) << c.row;
    }
    // Painting again reads the same colours: the source is read by position, nothing moves.
    EXPECT_EQ(PixelIn(0, 0, QPoint(3, 4)), 0xFFFF0000u);
}

TEST_F(ColorListCtrlTest, SelectedRowIsWhiteOnBlueAndEmptyCellsKeepTheirBox) {
    list.selectRow(2);
    QApplication::processEvents();
    EXPECT_EQ(PixelIn(2, 1, QPoint(3, 4)), 0xFF0000C8u);
    EXPECT_EQ(PixelIn(1, 1, QPoint(3, 4)), 0xFFFFFFFFu);
    // The empty cell of row 3 still has its black outline on the left edge.
    EXPECT_EQ(PixelIn(3, 1, QPoint(0, 4)), 0xFF000000u);
}

TEST_F(ColorListCtrlTest, DropMarkIsAGreyLineOverTheMarkedRowsBottom) {
    list.EnableDropMark(true);
    list.SetDropMark(1, 0);
    list.viewport()->update();
    QApplication::processEvents();
    const int height = list.visualItemRect(list.item(1, 1)).height();
    EXPECT_EQ(PixelIn(1, 1, QPoint(10, height - 2)), 0xFF818181u);
    EXPECT_NE(PixelIn(0, 1, QPoint(10, height - 2)), 0xFF818181u);
    list.SetDropMark(-1, 0);
    list.viewport()->update();
    QApplication::processEvents();
    EXPECT_NE(PixelIn(1, 1, QPoint(10, height - 2)), 0xFF818181u);
}
