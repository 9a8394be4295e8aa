// The output panel against the controller emulator on loopback: the machine check, writing a job, the
// one-step download into the controller's documents, and the worker dialogs.
#include <gtest/gtest.h>

#include <fstream>

#include <QPushButton>

#include "AtomicFile.h"
#include "LgpNameDocDlg.h"
#include "LgpProcessPanel.h"
#include "LgpScaleDlg.h"
#include "LgpUiTestSupport.h"
#include "LgpWorkerDlg.h"
#include "Motionlink.h"
#include "ProgramFolder.h"
#include "TestControllers.h"

namespace dotplate::ui {
namespace {

using motionlink::testing::InProcessEmulator;
using testing::DesignerTest;
using testing::WhileModal;

class LgpOutputTest : public DesignerTest {
  protected:
    LgpOutputTest() {
        CLgpLink& link = Designer().link;
        link.connectionType = CLgpLink::kNetwork;
        link.defaultAddress = {127, 0, 0, 1};
        Designer().config.dot.dotMode = kRectangle;
        Designer().plate.MakeRectOutline(40, 40);
        Designer().plate.Generate(Designer().config.dot, Designer().config.shape);
    }

    // Clicks Download and names the document when the name dialog asks.
    void Download(const QString& name) {
        CLgpProcessPanel panel;
        WhileModal(
            [&](QWidget& modal) {
                if (auto* naming = qobject_cast<CLgpNameDocDlg*>(&modal)) {
                    naming->findChild<QLineEdit*>("1001")->setText(name);
                    naming->findChild<QPushButton*>("1")->click();
                }
            },
            [&] { Find<QPushButton>(panel, CLgpProcessPanel::kDownload)->click(); });
    }

    InProcessEmulator emulator;
};

TEST_F(LgpOutputTest, TheWaitDialogReadsAnIdleMachine) {
    CLgpWaitDlg wait;
    ASSERT_EQ(wait.exec(), QDialog::Accepted);
    EXPECT_EQ(wait.MachineState()[0], 0);
}

TEST_F(LgpOutputTest, TheProcessingDialogWritesTheDotJob) {
    const auto path = platform::ProgramFile("plate.zint");
    CLgpProcessingDlg processing(nullptr, path);
    ASSERT_EQ(processing.exec(), QDialog::Accepted);
    EXPECT_GT(std::filesystem::file_size(path), 100u);
}

TEST_F(LgpOutputTest, DownloadStoresTheJobUnderItsNameAndLeavesNoFileBehind) {
    Download("plate2");
    EXPECT_EQ(Shown(), std::vector<std::string>{"File download success!"});
    const auto documents = emulator.Server().StateSnapshot().documents;
    ASSERT_EQ(documents.size(), 1u);
    EXPECT_EQ(documents[0].name, "PLATE2");
    EXPECT_GT(documents[0].bytes.size(), 100u);
    EXPECT_TRUE(std::filesystem::is_empty(platform::ProgramFile("temp")));
    EXPECT_FALSE(std::filesystem::exists(platform::ProgramFile("PLATE2")));
}

TEST_F(LgpOutputTest, ANameStoredInOtherCaseIsRefusedAndNoJobIsWritten) {
    Download("plate2");
    messages.Clear();
    Download("Plate2");
    EXPECT_EQ(Shown(), std::vector<std::string>{"Duplicate file!"});
    EXPECT_EQ(emulator.Server().StateSnapshot().documents.size(), 1u);
}

TEST_F(LgpOutputTest, DownloadNamedConfigSparesTheSettingsFile) {
    const auto settings = platform::ProgramFile("config");
    std::ofstream(settings) << "keep";
    Download("config");
    EXPECT_EQ(Shown(), std::vector<std::string>{"File download success!"});
    EXPECT_EQ(platform::ReadWholeFile(settings).value_or(std::vector<std::uint8_t>{}),
              (std::vector<std::uint8_t>{'k', 'e', 'e', 'p'}));
}

TEST_F(LgpOutputTest, PauseWhileIdleNeitherAsksNorComplains) {
    CLgpProcessPanel panel;
    Find<QPushButton>(panel, CLgpProcessPanel::kPauseContinue)->click();
    Find<QPushButton>(panel, CLgpProcessPanel::kStop)->click();
    EXPECT_TRUE(Shown().empty());
}

TEST_F(LgpOutputTest, SendingAFileThatIsNotAJobIsRefusedBeforeAnyWorker) {
    CLgpDownFileDlg sending(nullptr, platform::ProgramFile("plate.txt"));
    EXPECT_EQ(sending.exec(), QDialog::Rejected);
    EXPECT_EQ(Shown(), std::vector<std::string>{"Invalid file!"});
}

TEST_F(LgpOutputTest, AJobFileInCapitalsIsSentToRun) {
    const auto path = platform::ProgramFile("PLATE.ZINT");
    CLgpProcessingDlg processing(nullptr, path);
    ASSERT_EQ(processing.exec(), QDialog::Accepted);
    CLgpDownFileDlg sending(nullptr, path);
    EXPECT_EQ(sending.exec(), QDialog::Accepted);
}

TEST_F(LgpOutputTest, CancelStopsSendingAJobFile) {
    const auto path = platform::ProgramFile("large.zint");
    std::ofstream(path, std::ios::binary) << std::string(16 << 20, '\0');
    CLgpDownFileDlg sending(nullptr, path);
    int result = QDialog::Accepted;
    WhileModal(
        [](QWidget& modal) {
            if (auto* cancel = modal.findChild<QPushButton*>("1072")) {
                cancel->click();
            }
        },
        [&] { result = sending.exec(); });
    EXPECT_EQ(result, QDialog::Rejected);
}

// The head's position in micrometres.
std::pair<std::int32_t, std::int32_t> HeadPosition() {
    std::pair<std::int32_t, std::int32_t> position{-1, -1};
    EXPECT_EQ(Designer().link.Open(), 0);
    Zint_GetAxisPrfPos(1, &position.first);
    Zint_GetAxisPrfPos(2, &position.second);
    Zint_Close();
    return position;
}

TEST_F(LgpOutputTest, CutScaleTakesTheTypedSettingsAndEndsWhereItStarted) {
    const auto start = HeadPosition();
    CLgpProcessPanel panel;
    bool powersEnabled = false;
    WhileModal(
        [&](QWidget& modal) {
            if (auto* scale = qobject_cast<CLgpScaleDlg*>(&modal)) {
                powersEnabled = Find<QLineEdit>(*scale, 1075)->isEnabled();
                Find<QLineEdit>(*scale, 1074)->setText("50");
                Find<QLineEdit>(*scale, 1077)->setText("2");
                Find<QPushButton>(*scale, 1)->click();
            }
        },
        [&] { Find<QPushButton>(panel, CLgpProcessPanel::kCutFrame)->click(); });
    EXPECT_TRUE(powersEnabled);
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(Designer().frameSettings.speed, 50.0);
    EXPECT_EQ(Designer().frameSettings.blank, 2.0);
    EXPECT_EQ(HeadPosition(), start);
}

TEST_F(DesignerTest, AFrameRunWithTheLaserOffGreysOutThePowers) {
    CLgpScaleDlg dialog(nullptr, LgpFrameSettings{}, false);
    EXPECT_FALSE(Find<QLineEdit>(dialog, 1075)->isEnabled());
    EXPECT_FALSE(Find<QLineEdit>(dialog, 1076)->isEnabled());
    EXPECT_TRUE(Find<QLineEdit>(dialog, 1077)->isEnabled());
    EXPECT_EQ(Find<QLineEdit>(dialog, 1076)->text(), "100.000");
}

TEST_F(DesignerTest, WithoutAControllerTheMachineCheckReportsACommunicationError) {
    CLgpLink& link = Designer().link;
    link.connectionType = CLgpLink::kNetwork;
    link.defaultAddress = {127, 0, 0, 1};
    CLgpProcessPanel panel;
    Find<QPushButton>(panel, CLgpProcessPanel::kStart)->click();
    EXPECT_EQ(Shown(), std::vector<std::string>{"Communication Error!"});
}

}  // namespace
}  // namespace dotplate::ui
