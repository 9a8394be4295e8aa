// The output panel against the controller emulator on loopback: the machine check, writing a job, the
// one-step download into the controller's documents, and the worker dialogs.
#include <gtest/gtest.h>

#include <fstream>

#include <QComboBox>
#include <QFileDialog>
#include <QPushButton>

#include "AtomicFile.h"
#include "ComDlg.h"
#include "ControllerConnection.h"
#include "LgpNameDocDlg.h"
#include "LgpProcessPanel.h"
#include "LgpScaleDlg.h"
#include "LgpUiTestSupport.h"
#include "LgpWorkerDlg.h"
#include "Motionlink.h"
#include "ProgramFolder.h"
#include "TempHome.h"
#include "TestControllers.h"

namespace dotplate::ui {
namespace {

using motionlink::testing::InProcessEmulator;
using testing::ChooseFile;
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

// The machine's two state bytes: processing or paused, and paused.
std::pair<bool, bool> MachineState() {
    CLgpWaitDlg wait;
    EXPECT_EQ(wait.exec(), QDialog::Accepted);
    return {wait.MachineState()[0] != 0, wait.MachineState()[1] != 0};
}

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

TEST_F(LgpOutputTest, StartRunsTheJobWhichPauseContinueAndStopDriveAndAPausedMachineRefusesAnotherStart) {
    CLgpProcessPanel panel;
    const auto click = [&](int id) { Find<QPushButton>(panel, id)->click(); };
    click(CLgpProcessPanel::kStart);
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(MachineState(), std::make_pair(true, false));
    click(CLgpProcessPanel::kPauseContinue);
    EXPECT_EQ(MachineState(), std::make_pair(true, true));
    click(CLgpProcessPanel::kStart);
    EXPECT_EQ(Shown(), std::vector<std::string>{"Is Processing Or Pause!"});
    click(CLgpProcessPanel::kPauseContinue);
    EXPECT_EQ(MachineState(), std::make_pair(true, false));
    click(CLgpProcessPanel::kStop);
    EXPECT_EQ(MachineState(), std::make_pair(false, false));
    EXPECT_EQ(Shown().size(), 1u);
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

// Clicks the button and chooses the file when the file chooser opens.
void ClickAndChoose(QWidget& panel, int id, const std::filesystem::path& file) {
    WhileModal(
        [&](QWidget& modal) {
            if (auto* chooser = qobject_cast<QFileDialog*>(&modal)) {
                ChooseFile(*chooser, file);
            }
        },
        [&] { Find<QPushButton>(panel, id)->click(); });
}

TEST_F(LgpOutputTest, ASavedJobFileIsSentToTheControllerToRun) {
    CLgpProcessPanel panel;
    ClickAndChoose(panel, CLgpProcessPanel::kSaveJob, platform::ProgramFile("saved"));
    EXPECT_EQ(Shown(), std::vector<std::string>{"Save UFile success!"});
    ASSERT_TRUE(std::filesystem::exists(platform::ProgramFile("saved.zint")));
    messages.Clear();
    ClickAndChoose(panel, CLgpProcessPanel::kSendJob, platform::ProgramFile("saved.zint"));
    EXPECT_EQ(Shown(), std::vector<std::string>{"Download Zint file Success!"});
    EXPECT_EQ(MachineState().first, true);
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

namespace dotplate::ui {
namespace {

// The port dialog's search over serial ports, with a controller standing as COM5 in a serial folder
// of the test's own.
class LgpPortSearchTest : public DesignerTest {
  protected:
    LgpPortSearchTest() {
        const auto folder = cutrix::testing::TempHome() / "serial";
        std::filesystem::create_directories(folder);
        ::setenv("CUTRIX_SERIAL_DIR", folder.c_str(), 1);
    }
    ~LgpPortSearchTest() override { ::unsetenv("CUTRIX_SERIAL_DIR"); }

    static QStringList SearchPorts(CComDlg& dialog) {
        Find<QPushButton>(dialog, 1303)->click();
        auto* ports = Find<QComboBox>(dialog, 1302);
        QStringList items;
        for (int i = 0; i < ports->count(); ++i) {
            items << ports->itemText(i);
        }
        return items;
    }
};

TEST_F(LgpPortSearchTest, AFoundPortIsListedAndChosenForTheConnection) {
    auto options = InProcessEmulator::DefaultOptions();
    options.serial = true;
    options.serialLink = motionlink::link::SerialDevicePath(5);
    InProcessEmulator controller(options);
    CComDlg dialog;
    EXPECT_EQ(SearchPorts(dialog), (QStringList{"Auto", "COM5"}));
    auto* ports = Find<QComboBox>(dialog, 1302);
    ports->setCurrentIndex(1);
    emit ports->activated(1);
    EXPECT_EQ(ConnectionCaption(), "USB:COM5");
    ASSERT_EQ(Designer().link.Open(), 0);
    Zint_Close();
}

TEST_F(LgpPortSearchTest, ASearchWithoutControllersSaysSoAndLeavesOnlyAutomatic) {
    CComDlg dialog;
    EXPECT_EQ(SearchPorts(dialog), QStringList{"Auto"});
    EXPECT_EQ(Shown(), std::vector<std::string>{"No Connected Device!"});
}

}  // namespace
}  // namespace dotplate::ui
