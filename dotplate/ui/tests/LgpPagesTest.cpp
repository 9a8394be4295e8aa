// The designer's pages: what each edit makes of what is typed, the enabling rules, the plate shape
// page's resize and export, the port dialog's address and the document name, and the preview.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QWheelEvent>

#include <fstream>

#include "ComDlg.h"
#include "LgpDotPage.h"
#include "LgpLaserPage.h"
#include "LgpNameDocDlg.h"
#include "LgpPreviewArea.h"
#include "LgpUiTestSupport.h"
#include "ProgramFolder.h"
#include "SysDlg.h"
#include "TextProgressCtrl.h"

namespace dotplate::ui {
namespace {

using testing::DesignerTest;
using testing::Type;

struct EditCase {
    int id;
    const char* typed;
    const char* shown;
};

template <typename Page>
void CheckEdits(std::initializer_list<EditCase> cases) {
    Page page;
    for (const EditCase& c : cases) {
        EXPECT_EQ(Type(page, c.id, c.typed).toStdString(), c.shown)
            << "control " << c.id << " typed " << c.typed;
    }
}

using LgpPagesTest = DesignerTest;

TEST_F(LgpPagesTest, TheDotPageLimitsAndRoundsWhatIsTyped) {
    CheckEdits<CLgpDotPage>({
        {1048, "0.05", "0.1000"},     // dot width at least 0.1
        {1050, "1.23456", "1.2346"},  // dot height to 0.0001
        {1020, "0.3", "0.5000"},      // spacing at least 0.5
        {1026, "abc", "0.5000"},      // not a number reads as 0
        {1049, "0.00004", "0.0001"},  // a tiny gradient keeps its sign
        {1065, "-0.00004", "-0.0001"},
        {1023, "0", "0.0000"},
        {1029, "1.2346", "1.235"},  // baseline to 0.001
        {1030, "-0.0006", "-0.001"},
    });
    EXPECT_DOUBLE_EQ(Designer().config.dot.dotWidth, 0.1);
    EXPECT_DOUBLE_EQ(Designer().config.dot.upperRows.start, 0.5);
    EXPECT_DOUBLE_EQ(Designer().config.dot.lowerRows.gradient, 0.2);
    EXPECT_DOUBLE_EQ(Designer().config.dot.widthGradients.lowerRows, -0.0001);
}

TEST_F(LgpPagesTest, GridRelabelsTheStaggerBoxesAndGreysOutEverySizeControl) {
    CLgpDotPage page;
    auto* mode = Find<QComboBox>(page, 1047);
    mode->setCurrentIndex(kGrid);
    emit mode->activated(kGrid);
    EXPECT_EQ(Designer().config.dot.dotMode, kGrid);
    EXPECT_EQ(Find<QCheckBox>(page, 1061)->text(), "EnRow");
    EXPECT_EQ(Find<QCheckBox>(page, 1037)->text(), "EnColumn");
    EXPECT_EQ(Find<QGroupBox>(page, 1060)->title(), "Enable row and colown");
    for (int id : {1048, 1049, 1065, 1021, 1019, 1050, 1066, 1067, 1034, 1033}) {
        EXPECT_FALSE(Find<QLineEdit>(page, id)->isEnabled()) << id;
    }
    emit mode->activated(kEllipse);
    EXPECT_EQ(Find<QCheckBox>(page, 1061)->text(), "Row");
    EXPECT_TRUE(Find<QLineEdit>(page, 1048)->isEnabled());
}

TEST_F(LgpPagesTest, TheLeftLightSourcePlacesTheBaselineAndKeepsOnlyTheColumnGradients) {
    CLgpDotPage page;
    Find<QCheckBox>(page, 1038)->click();
    EXPECT_EQ(Designer().config.dot.lightLeft, 1);
    const auto enabled = [&](int id) { return Find<QLineEdit>(page, id)->isEnabled(); };
    EXPECT_FALSE(enabled(1029));
    EXPECT_FALSE(enabled(1030));
    for (int rowGradient : {1023, 1024, 1049, 1065}) {
        EXPECT_FALSE(enabled(rowGradient)) << rowGradient;
    }
    for (int columnGradient : {1027, 1028, 1021, 1019}) {
        EXPECT_TRUE(enabled(columnGradient)) << columnGradient;
    }
}

TEST_F(LgpPagesTest, TheProcessingPageLimitsWhatIsTyped) {
    CheckEdits<CLgpLaserPage>({
        {1101, "0", "0.1"},
        {1101, "20000", "10000.0"},
        {1103, "150", "100.0"},
        {1108, "5", "10"},
        {1109, "2.5", "2.000"},  // delays are whole milliseconds
        {1120, "0", "1"},
        {1121, "501", "500"},
        {1122, "-20000", "-10000.000"},
        {1126, "0.0004", "0.001"},
        {1126, "1.23456", "1.235"},
    });
    EXPECT_EQ(Designer().config.laser.arrayCountY, 500);
    EXPECT_DOUBLE_EQ(Designer().config.laser.onDelayMs, 2.0);
}

TEST_F(LgpPagesTest, OutlineCuttingOffGreysOutEveryOutlineControlWhateverTheirSwitches) {
    Designer().config.laser.outlineCut = 1;
    CLgpLaserPage page;
    const int outlineControls[] = {1112, 1113, 1114, 1115, 1116, 1117, 1118, 1119};
    for (int id : outlineControls) {
        EXPECT_TRUE(page.findChild<QWidget*>(QString::number(id))->isEnabled()) << id;
    }
    Find<QCheckBox>(page, 1111)->click();
    EXPECT_EQ(Designer().config.laser.outlineCut, 0);
    for (int id : outlineControls) {
        EXPECT_FALSE(page.findChild<QWidget*>(QString::number(id))->isEnabled()) << id;
    }
    EXPECT_FALSE(Find<QLineEdit>(page, 1126)->isEnabled());  // dot time without ellipse to dot
}

TEST_F(LgpPagesTest, TheArrayDirectionButtonStepsThroughTheFourDirections) {
    CLgpLaserPage page;
    auto* button = page.findChild<QAbstractButton*>("1124");
    for (int expected : {1, 2, 3, 0}) {
        button->click();
        EXPECT_EQ(Designer().config.laser.arrayDirection, expected);
    }
}

TEST_F(LgpPagesTest, ThePlateShapePageLimitsSizeAndBlankDistance) {
    CheckEdits<CSysDlg>({
        {1071, "0.4", "1.0"},
        {1074, "123.46", "123.5"},
        {1080, "2500", "1000.000"},
        {1080, "-2500", "-1000.000"},
    });
    EXPECT_DOUBLE_EQ(Designer().config.shape.plateHeight, 123.5);
    EXPECT_DOUBLE_EQ(Designer().config.shape.blankDistance, -1000.0);
}

TEST_F(LgpPagesTest, TheBlankBoxEnablesTheDistanceAndBothOutlineBoxes) {
    CSysDlg page;
    EXPECT_FALSE(Find<QLineEdit>(page, 1080)->isEnabled());
    Find<QCheckBox>(page, 2002)->click();
    for (int id : {1080, 2021, 2023}) {
        EXPECT_TRUE(page.findChild<QWidget*>(QString::number(id))->isEnabled()) << id;
    }
}

TEST_F(LgpPagesTest, ResizingUnderALockedRatioFollowsThePlateAndKeepsBothSidesAtLeastOne) {
    Designer().plate.MakeRectOutline(200, 100);
    CSysDlg page;
    EXPECT_EQ(Type(page, 1077, "50"), "50.0");
    EXPECT_EQ(Find<QLineEdit>(page, 1079)->text(), "25.0");
    EXPECT_EQ(Type(page, 1077, "1.5"), "2.0");
    EXPECT_EQ(Find<QLineEdit>(page, 1079)->text(), "1.0");
    Type(page, 1077, "100");
    Find<QPushButton>(page, 1036)->click();
    EXPECT_DOUBLE_EQ(Designer().plate.OutlineBox().right, 100.0);
    EXPECT_DOUBLE_EQ(Designer().plate.OutlineBox().top, 50.0);
}

TEST_F(LgpPagesTest, ResizeWithoutAPlateOutlineDoesNothing) {
    Designer().plate.ClearAll();
    CSysDlg page;
    Type(page, 1077, "10");
    Find<QPushButton>(page, 1036)->click();
    EXPECT_TRUE(Designer().plate.plateOutlines.empty());
}

TEST_F(LgpPagesTest, ThePlatePageRefusesToExportEllipsesEvenWithDots) {
    Designer().config.dot.dotMode = kEllipse;
    Designer().plate.Generate(Designer().config.dot, Designer().config.shape);
    ASSERT_TRUE(Designer().plate.HasDots());
    CSysDlg page;
    Find<QPushButton>(page, 1038)->click();
    EXPECT_EQ(Shown(), std::vector<std::string>{"Not support export 'Ellipse' or 'Rectangle'!"});
}

TEST_F(LgpPagesTest, AnImportedOutlineBecomesThePlateAtTheOrigin) {
    // A 100 x 50 mm rectangle at (50, 80), in plotter units of 1/1016 inch.
    const auto path = platform::ProgramFile("plate.plt");
    std::ofstream(path) << "IN;PU2000,3200;PD6000,3200,6000,5200,2000,5200,2000,3200;PU;SP0;";
    CSysDlg page;
    testing::WhileModal(
        [&](QWidget& modal) {
            if (auto* chooser = qobject_cast<QFileDialog*>(&modal)) {
                testing::ChooseFile(*chooser, path);
            }
        },
        [&] { Find<QPushButton>(page, 1037)->click(); });
    EXPECT_TRUE(Shown().empty());
    const LgpBox box = Designer().plate.OutlineBox();
    EXPECT_NEAR(box.left, 0.0, 1e-9);
    EXPECT_NEAR(box.bottom, 0.0, 1e-9);
    EXPECT_NEAR(box.right, 100.0, 1e-9);
    EXPECT_NEAR(box.top, 50.0, 1e-9);
    EXPECT_EQ(Find<QLineEdit>(page, 1077)->text(), "100.000");
    EXPECT_EQ(Find<QLineEdit>(page, 1079)->text(), "50.000");
}

TEST_F(LgpPagesTest, ThePortDialogKeepsTheAddressAmongTheWorkshopControllers) {
    CComDlg dialog;
    EXPECT_EQ(Type(dialog, 1307, "192.168.1.200"), "192.168.1.149");
    EXPECT_EQ(Type(dialog, 1307, "10.0.0.20"), "10.0.0.100");
    EXPECT_EQ(Designer().link.DefaultAddressText(), "10.0.0.100");
}

TEST_F(LgpPagesTest, TheConnectionCaptionNamesTheChosenPortOrAddress) {
    CLgpLink& link = Designer().link;
    EXPECT_EQ(ConnectionCaption(), "USB:Auto");
    link.portCount = 2;
    link.ports[0] = 3;
    link.ports[1] = 7;
    link.usbChoice = 2;
    EXPECT_EQ(ConnectionCaption(), "USB:COM7");
    CComDlg dialog;
    auto* ports = Find<QComboBox>(dialog, 1302);
    ASSERT_EQ(ports->count(), 3);
    EXPECT_EQ(ports->itemText(1), "COM3");
    EXPECT_EQ(ports->currentIndex(), 2);
    link.connectionType = CLgpLink::kNetwork;
    EXPECT_EQ(ConnectionCaption(), "IP:Default");
}

TEST_F(LgpPagesTest, ADocumentNameIsAcceptedInCapitalsOrRefusedWithItsReason) {
    struct Case {
        const char* typed;
        bool accepted;
        const char* result;  // the name, or the message
    };
    const Case cases[] = {
        {"ab12", true, "AB12"},
        {"AB-1", false, "Document name must be (0-9) or (A-Z)!"},
        {"ABCDEFGHI", false, "Document name is too long!"},
        {"", false, "Document name is empty!"},
    };
    for (const Case& c : cases) {
        messages.Clear();
        CLgpNameDocDlg dialog(nullptr, c.typed);
        Find<QPushButton>(dialog, 1)->click();
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted) << c.typed;
        if (c.accepted) {
            EXPECT_EQ(dialog.Name(), c.result);
        } else {
            EXPECT_EQ(Shown(), std::vector<std::string>{c.result});
        }
    }
}

class LgpPreviewAreaTest : public DesignerTest {
  protected:
    LgpPreviewAreaTest() {
        area.resize(400, 300);
        Designer().plate.Generate(Designer().config.dot, Designer().config.shape);
        area.FitToPlate();
    }

    void Wheel(int delta) {
        QWheelEvent wheel(QPointF(120, 80), area.mapToGlobal(QPointF(120, 80)), {}, {0, delta}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&area, &wheel);
    }

    CLgpPreviewArea area;
};

TEST_F(LgpPreviewAreaTest, AWheelNotchUpAndDownCancel) {
    const double scale = area.View().scale;
    Wheel(120);
    EXPECT_DOUBLE_EQ(area.View().scale, scale / 1.1);
    Wheel(-120);
    EXPECT_DOUBLE_EQ(area.View().scale, scale);
}

TEST_F(LgpPreviewAreaTest, NothingIsDrawnOutsideTheTwoPixelInset) {
    for (int notch = 0; notch < 30; ++notch) {
        Wheel(120);  // the plate now runs far beyond the area
    }
    const QImage picture = area.Render();
    const QRgb ground = area.palette().color(QPalette::Window).rgb();
    for (int x = 0; x < picture.width(); ++x) {
        for (int y = 0; y < picture.height(); ++y) {
            const bool border = x < kPreviewInset || y < kPreviewInset ||
                                x >= picture.width() - kPreviewInset || y >= picture.height() - kPreviewInset;
            if (border) {
                ASSERT_EQ(picture.pixel(x, y), ground) << x << "," << y;
            }
        }
    }
    EXPECT_NE(picture.pixel(kPreviewInset, kPreviewInset), ground);
}

TEST_F(LgpPreviewAreaTest, DraggingTheVerticalBaselineMovesItWithoutGenerating) {
    const std::size_t rows = Designer().plate.dotRows.size();
    double shownX = 0;
    QObject::connect(&area, &CLgpPreviewArea::baselineDragged, [&](double x, double) { shownX = x; });
    const SDPoint cross =
        area.View().ToDevice(BaselineCross(Designer().plate, Designer().config.dot), {400, 300});
    const QPointF press(cross.x, 40), moved(cross.x + 10, 40);
    QMouseEvent down(QEvent::MouseButtonPress, press, area.mapToGlobal(press), Qt::LeftButton, Qt::LeftButton,
                     {});
    QMouseEvent move(QEvent::MouseMove, moved, area.mapToGlobal(moved), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(&area, &down);
    QApplication::sendEvent(&area, &move);
    EXPECT_NEAR(shownX, 10 * area.View().scale / 1000, 1e-9);
    EXPECT_EQ(Designer().plate.dotRows.size(), rows);
}

TEST_F(DesignerTest, TheProgressBarPaintsRedToBlueWithItsPercentage) {
    CTextProgressCtrl bar;
    bar.resize(200, 20);
    bar.SetRange(0, 10000);
    bar.SetPos(2500);
    EXPECT_EQ(bar.PaintedText(), "25.0   %");
    const QImage picture = bar.Render();
    const QColor first(picture.pixel(0, 10)), last(picture.pixel(45, 10));
    EXPECT_GT(first.red(), 240);  // the bands start red and run towards blue
    EXPECT_LT(first.blue(), 20);
    EXPECT_GT(last.blue(), first.blue());
    EXPECT_LT(last.red(), first.red());
}

}  // namespace
}  // namespace dotplate::ui
