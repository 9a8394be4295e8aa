// The designer's entry: its language file, the hand-back of a design, and the settings kept when it is
// closed.
#include <gtest/gtest.h>

#include <fstream>

#include <QPushButton>

#include "AtomicFile.h"
#include "LgpDlgExport.h"
#include "LgpMainDlg.h"
#include "LgpProcessPanel.h"
#include "LgpUiTestSupport.h"
#include "ProgramFolder.h"

namespace dotplate::ui {
namespace {

using testing::DesignerTest;
using testing::Type;
using testing::WhileModal;

// Runs the designer and acts once on its main window, which the action must end.
std::uint16_t RunDesigner(std::uint16_t language, const std::function<void(CLgpMainDlg&)>& act) {
    bool acted = false;
    std::uint16_t result = 2;
    WhileModal(
        [&](QWidget& modal) {
            auto* main = qobject_cast<CLgpMainDlg*>(&modal);
            if (main != nullptr && !acted) {
                acted = true;
                act(*main);
            }
        },
        [&] { result = Zint_LGPDlg(language, 3, 4, nullptr); });
    return result;
}

std::string FileText(const std::filesystem::path& path) {
    const auto bytes = platform::ReadWholeFile(path).value_or(std::vector<std::uint8_t>{});
    return std::string(bytes.begin(), bytes.end());
}

using LgpMainDlgTest = DesignerTest;

TEST_F(LgpMainDlgTest, AnUnknownLanguageLoadsTheSimplifiedChineseFile) {
    std::ofstream(platform::ProgramFile("LGP_chs.ini")) << "[Main]\r\n1=From the chs file\r\n";
    QString title;
    EXPECT_EQ(RunDesigner(7,
                          [&](CLgpMainDlg& main) {
                              title = main.windowTitle();
                              main.reject();
                          }),
              0);
    EXPECT_EQ(title, "From the chs file");
}

TEST_F(LgpMainDlgTest, TraditionalChineseWithoutItsFileShowsAndWritesTheEnglishTexts) {
    QString title;
    RunDesigner(1, [&](CLgpMainDlg& main) {
        title = main.windowTitle();
        main.reject();
    });
    EXPECT_EQ(title, "LGP CAD&CAM System");
    const std::string written = FileText(platform::ProgramFile("LGP_cht.ini"));
    EXPECT_NE(written.find("1=LGP CAD&CAM System"), std::string::npos);
    EXPECT_NE(written.find("Y_unilaterlism"), std::string::npos);
}

TEST_F(LgpMainDlgTest, CreateThenExportHandsTheDesignBack) {
    EXPECT_EQ(RunDesigner(2,
                          [](CLgpMainDlg& main) {
                              Find<QPushButton>(main, CLgpProcessPanel::kCreate)->click();
                              Find<QPushButton>(main, CLgpProcessPanel::kExport)->click();
                          }),
              1);
    EXPECT_GT(std::filesystem::file_size(platform::ProgramFile("lgp.ds")), 100u);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(LgpMainDlgTest, ExportWithoutDotsSaysSoAndKeepsTheDesignerOpen) {
    bool stillOpen = false;
    EXPECT_EQ(RunDesigner(2,
                          [&](CLgpMainDlg& main) {
                              Find<QPushButton>(main, CLgpProcessPanel::kExport)->click();
                              QApplication::processEvents();
                              stillOpen = main.isVisible();
                              main.reject();
                          }),
              0);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(Shown(), std::vector<std::string>{"Lack LGP data!"});
    EXPECT_FALSE(std::filesystem::exists(platform::ProgramFile("lgp.ds")));
}

TEST_F(LgpMainDlgTest, CloseReturnsZeroAndTheNextOpeningShowsTheEdits) {
    EXPECT_EQ(RunDesigner(2,
                          [](CLgpMainDlg& main) {
                              Type(main, 1048, "2.5");    // dot width
                              Type(main, 1101, "250");    // speed
                              Type(main, 1071, "123.4");  // plate width
                              main.close();
                          }),
              0);
    EXPECT_EQ(std::filesystem::file_size(platform::ProgramFile("LGPConfig")), LgpConfig::kStoredBytes);
    Designer().config = LgpConfig{};
    QString width, speed, plateWidth;
    RunDesigner(2, [&](CLgpMainDlg& main) {
        width = Find<QLineEdit>(main, 1048)->text();
        speed = Find<QLineEdit>(main, 1101)->text();
        plateWidth = Find<QLineEdit>(main, 1071)->text();
        main.reject();
    });
    EXPECT_EQ(width, "2.5000");
    EXPECT_EQ(speed, "250.0");
    EXPECT_EQ(plateWidth, "123.4");
}

}  // namespace
}  // namespace dotplate::ui
