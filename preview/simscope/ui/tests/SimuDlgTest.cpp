// The simulation window offscreen: labels of a loaded job, texts and settings files, every way out
// during a playback, opening from the dialog and the end notice.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include "AtomicFile.h"
#include "LabelTexts.h"
#include "MotionlinkJob.h"
#include "PixelMix.h"
#include "PreviewCfgDlg.h"
#include "Simscope.h"
#include "SimuDlg.h"
#include "SimscopeTestJobs.h"
#include "TempHome.h"
#include "WidgetTestApplication.h"

namespace {

using simscope::Corner;
using simscope::testing::WriteJob;

void OneCut() {
    Zint_wSetEngVel(20.0);
    Zint_wLineTo(nullptr, nullptr, 10.0, 5.0);
}

// Ten minutes of cutting at 10 mm/s.
void LongJob() {
    Zint_wSetEngVel(10.0);
    Zint_ExwSetMaxPower(50.0, 50.0, 1);
    Zint_wLineTo(nullptr, nullptr, 6000.0, 0.0);
}

class SimuDlgTest : public ::testing::Test {
  protected:
    SimuDlgTest() { platform::EnsureWidgetApplication(); }

    std::unique_ptr<CSimuDlg> Open(const std::filesystem::path& job, std::uint32_t language = 2,
                                   Corner corner = Corner::BottomLeft, simscope::PlaybackClock* clock = nullptr) {
        CSimuDlg::Setup setup;
        setup.jobPath = job.string();
        setup.language = language;
        setup.originCorner = corner;
        setup.programFolder = cutrix::testing::TempHome();
        setup.texts = &texts_;
        setup.clock = clock != nullptr ? clock : &steadyClock_;
        auto dialog = std::make_unique<CSimuDlg>(setup);
        dialog->resize(1000, 700);
        dialog->show();
        return dialog;
    }

    static QString TextOf(QWidget& dialog, const char* id) {
        auto* label = dialog.findChild<QLabel*>(id);
        if (label != nullptr) {
            return label->text();
        }
        auto* button = dialog.findChild<QPushButton*>(id);
        return button != nullptr ? button->text() : QString("<none>");
    }

    std::filesystem::path Pfile() const { return cutrix::testing::TempHome() / "pfile"; }

    CTextStore texts_;
    simscope::SteadyPlaybackClock steadyClock_;
};

TEST_F(SimuDlgTest, OneCutJobShowsItsSizeTimesAndDistances) {
    auto dialog = Open(WriteJob("cut.zint", OneCut));
    EXPECT_EQ(TextOf(*dialog, "2006"), "10.0mm,5.0mm");
    EXPECT_EQ(TextOf(*dialog, "2007"), "0:00:00.559");
    EXPECT_EQ(TextOf(*dialog, "2008"), "0:00:00.559");
    EXPECT_EQ(TextOf(*dialog, "2009"), "0.0mm");
    EXPECT_EQ(TextOf(*dialog, "2010"), "11.2mm");
    EXPECT_EQ(TextOf(*dialog, "1004"), "Simulation");
    EXPECT_EQ(TextOf(*dialog, "1006"), "100");
    EXPECT_EQ(TextOf(*dialog, "2015"), "1.0");
}

TEST_F(SimuDlgTest, EmptyPathShowsTheEmptyWindowWithItsHint) {
    auto dialog = Open("");
    EXPECT_TRUE(dialog->Job().IsEmpty());
    const QImage picture = dialog->ShownPicture();
    ASSERT_FALSE(picture.isNull());
    int drawn = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            drawn += picture.pixel(x, y) != platform::ToQRgb(dialog->Settings().colors.background) ? 1 : 0;
        }
    }
    EXPECT_GT(drawn, 20);
    dialog->StartPlayback();
    EXPECT_FALSE(dialog->IsPlaying());
}

TEST_F(SimuDlgTest, MissingKey13LeavesTheSimulationButtonBlank) {
    ASSERT_TRUE(platform::WriteFileAtomically(cutrix::testing::TempHome() / "Preview_eng.ini",
                                              std::string_view("[PreView]\r\n14=Pause\r\n")));
    auto dialog = Open("");
    EXPECT_EQ(TextOf(*dialog, "1004"), "");
    EXPECT_EQ(TextOf(*dialog, "1009"), "Pause");
}

TEST_F(SimuDlgTest, SettingsAreWrittenOnCloseAndCancelAndReadBack) {
    for (const bool cancel : {false, true}) {
        std::filesystem::remove(Pfile());
        {
            auto dialog = Open("");
            dialog->findChild<QSlider*>("1005")->setValue(cancel ? 333 : 444);
            dialog->findChild<QSlider*>("1007")->setValue(cancel ? 70 : 20);
            if (cancel) {
                dialog->reject();
            } else {
                dialog->close();
            }
        }
        ASSERT_TRUE(std::filesystem::exists(Pfile())) << cancel;
        EXPECT_EQ(std::filesystem::file_size(Pfile()), 48u);
        auto reopened = Open("");
        EXPECT_EQ(reopened->findChild<QSlider*>("1005")->value(), cancel ? 333 : 444);
        EXPECT_EQ(TextOf(*reopened, "2015"), cancel ? "4.6" : "0.5");
    }
}

TEST_F(SimuDlgTest, OkDoesNotWriteTheSettings) {
    auto dialog = Open("");
    dialog->accept();
    EXPECT_FALSE(std::filesystem::exists(Pfile()));
}

// Cancel used to empty the job while the playback threads still read it.
TEST_F(SimuDlgTest, EveryWayOutDuringPlaybackEndsBothThreadsFirst) {
    const auto job = WriteJob("long.zint", LongJob);
    for (const int way : {0, 1, 2}) {
        auto dialog = Open(job);
        dialog->StartPlayback();
        ASSERT_TRUE(dialog->CurrentPlayback().IsAlive()) << way;
        if (way == 0) {
            dialog->reject();
        } else if (way == 1) {
            dialog->close();
        } else {
            dialog->accept();
        }
        EXPECT_FALSE(dialog->CurrentPlayback().IsAlive()) << way;
        EXPECT_FALSE(dialog->IsPlaying()) << way;
    }
}

TEST_F(SimuDlgTest, LoadingMirroringAndConfigAreRefusedWhilePlaying) {
    auto dialog = Open(WriteJob("long.zint", LongJob));
    dialog->StartPlayback();
    const simscope::MmPoint start = dialog->Job().Start();
    dialog->MirrorHorizontally();
    EXPECT_FALSE(dialog->LoadJob(WriteJob("cut.zint", OneCut).string(), Corner::BottomLeft));
    bool configOpened = false;
    dialog->SetConfigRunner([&](CPreviewCfgDlg&) { return configOpened = true; });
    dialog->OpenConfig();
    EXPECT_FALSE(configOpened);
    EXPECT_EQ(dialog->Job().Start().x, start.x);
    // Zoom stays live.
    const double scale = dialog->View().scale;
    dialog->ZoomAt({300, 300}, 120);
    EXPECT_NE(dialog->View().scale, scale);
    dialog->StopPlayback();
    EXPECT_FALSE(dialog->CurrentPlayback().IsAlive());
    dialog->StartPlayback();
    EXPECT_TRUE(dialog->CurrentPlayback().IsAlive());
    dialog->StopPlayback();
}

// Without "pfile" the anchor corner is the caller's origin corner, not whatever memory held.
TEST_F(SimuDlgTest, JobOpenedFromTheDialogUsesTheCallersCornerWithoutSettings) {
    const auto job = WriteJob("cut.zint", OneCut);
    for (const Corner corner : {Corner::BottomLeft, Corner::TopRight}) {
        auto dialog = Open("", 2, corner);
        dialog->SetJobFileChooser([&] { return QString::fromStdString(job.string()); });
        dialog->OpenJobFromDialog();
        ASSERT_FALSE(dialog->Job().IsEmpty());
        const simscope::MmPoint expected = corner == Corner::BottomLeft ? simscope::MmPoint{0, 0} : simscope::MmPoint{10, 5};
        EXPECT_EQ(dialog->Job().Start().x, expected.x);
        EXPECT_EQ(dialog->Job().Start().y, expected.y);
    }
}

TEST_F(SimuDlgTest, ConfigCancelKeepsColoursAndOkTakesThem) {
    auto dialog = Open("");
    const simscope::PreviewColors before = dialog->Settings().colors;
    for (const bool ok : {false, true}) {
        dialog->SetConfigRunner([ok](CPreviewCfgDlg& config) {
            config.SetColorChooser([] { return std::optional<platform::ColorRef>(platform::Rgb(1, 2, 3)); });
            config.PickColor(1052);
            return ok;
        });
        dialog->OpenConfig();
        EXPECT_EQ(dialog->Settings().colors.background == before.background, !ok) << ok;
    }
}

TEST_F(SimuDlgTest, PlaybackEndNoticeResetsTheWindow) {
    simscope::ManualPlaybackClock clock;
    auto dialog = Open(WriteJob("cut.zint", OneCut), 2, Corner::BottomLeft, &clock);
    dialog->StartPlayback();
    QElapsedTimer waited;
    waited.start();
    while (dialog->IsPlaying() && waited.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    EXPECT_FALSE(dialog->IsPlaying());
    EXPECT_FALSE(dialog->CurrentPlayback().IsAlive());
    EXPECT_EQ(TextOf(*dialog, "2012"), "0.0mm/s");
}

TEST_F(SimuDlgTest, ExportRunsTheWindowModallyAndReturnsZero) {
    QTimer::singleShot(0, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
        }
    });
    EXPECT_EQ(Zint_SimuDlg(WriteJob("cut.zint", OneCut).c_str(), 9, 9, 1), 0);
    EXPECT_TRUE(std::filesystem::exists(Pfile()));
    EXPECT_TRUE(std::filesystem::exists(cutrix::testing::TempHome() / "Preview_chs.ini"));
}

}  // namespace
