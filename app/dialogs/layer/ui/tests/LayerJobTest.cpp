// What the layer parameter dialog commits is what the next job carries: speed and power typed, OK, the
// job written by the processing dialog's worker and decoded by the job reader.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>

#include "CurrentEditLayer.h"
#include "DialogControls.h"
#include "DlgLayerPara.h"
#include "JobTestSupport.h"
#include "LanguageTexts.h"
#include "LayerEditState.h"
#include "LoaderHolder.h"
#include "ParamLibrary.h"
#include "TextLookup.h"
#include "WidgetTestApplication.h"

namespace joboutput::testing {
namespace {

using Dlg = CDlgLayerPara;

class LayerJobTest : public JobFixture {
  protected:
    void SetUp() override {
        JobFixture::SetUp();
        platform::EnsureWidgetApplication();
        WriteDefaultTexts();
        widgets::SetTextLookup(GetLangText);
        gFileParaSettings.velocityUnit = 1;
        square = Add(Square(0, 0, 10));
        CurrentEditLayer = square->layer;
    }
    void TearDown() override {
        CurrentEditLayer = nullptr;
        widgets::SetTextLookup(nullptr);
        JobFixture::TearDown();
    }
    static std::unique_ptr<CCadCurve> Square(double x, double y, double size) {
        auto curve = std::make_unique<CCadCurve>();
        const SDPoint corners[] = {{x, y}, {x + size, y}, {x + size, y + size}, {x, y + size}, {x, y}};
        for (int index = 0; index < 4; ++index) {
            CFileLine segment;
            segment.start = corners[index];
            segment.end = corners[index + 1];
            curve->pathList.AddTail(segment);
        }
        curve->closed = 1;
        curve->CalRect();
        return curve;
    }
    // Types the speed and leaves its edit, then types laser 1's maximum power and presses the button
    // while that edit still has the focus.
    void EditAndClose(int button) {
        Dlg dialog(nullptr, theCadMgr);
        ASSERT_TRUE(dialog.Open());
        dialog.show();
        QLineEdit* speed = dialogkit::Find<QLineEdit>(dialog, Dlg::kSpeedEdit);
        speed->setText("25");
        emit speed->editingFinished();
        QLineEdit* power = dialogkit::Find<QLineEdit>(dialog, Dlg::kMaxPower1Edit);
        power->setFocus();
        power->setText("60");
        dialogkit::Find<QPushButton>(dialog, button)->click();
    }
    std::vector<Cmd> Job() {
        const std::filesystem::path path = JobFile();
        EXPECT_EQ(WriteJob(path), 0u);
        return ReadJob(path);
    }

    CCadCurve* square = nullptr;
};

TEST_F(LayerJobTest, SpeedAndPowerTypedAndConfirmedReachTheJob) {
    EditAndClose(Dlg::kOkButton);
    EXPECT_EQ(square->layer->commonParams.COM_Speed, 25.0);
    EXPECT_EQ(square->layer->commonParams.COM_Pmax1, 60.0);
    const std::vector<Cmd> commands = Job();
    EXPECT_EQ(OfKinds(commands, {JobCommand::IndexedSpeed}),
              (std::vector<Cmd>{{JobCommand::IndexedSpeed, 0, 25.0}}));
    EXPECT_EQ(OfKinds(commands, {JobCommand::IndexedPower1, JobCommand::IndexedPower2,
                                 JobCommand::IndexedPower3, JobCommand::IndexedPower4}),
              (std::vector<Cmd>{{JobCommand::IndexedPower1, 0, 0.3},
                                {JobCommand::IndexedPower2, 0, 0.3},
                                {JobCommand::IndexedPower3, 0, 0.6},
                                {JobCommand::IndexedPower4, 0, 0.3}}));
    EXPECT_EQ(OfKinds(commands, {JobCommand::Speed}), (std::vector<Cmd>{Speed(25.0)}));
}

TEST_F(LayerJobTest, CancelledEditsLeaveTheJobAsItWas) {
    const double speedBefore = square->layer->commonParams.COM_Speed;
    EditAndClose(Dlg::kCancelButton);
    const std::vector<Cmd> commands = Job();
    EXPECT_EQ(OfKinds(commands, {JobCommand::IndexedSpeed}),
              (std::vector<Cmd>{{JobCommand::IndexedSpeed, 0, speedBefore}}));
    EXPECT_EQ(OfKinds(commands, {JobCommand::Speed}), (std::vector<Cmd>{Speed(speedBefore)}));
}

TEST_F(LayerJobTest, SetSavedFromOneLayerAndLoadedIntoAnotherReachesItsJob) {
    std::filesystem::remove_all(GetParamLibPath());
    CCadLayer* source = Add(Square(20, 0, 10), 0xFF0000)->layer;
    LayerEditState state(theCadMgr);
    ASSERT_TRUE(state.BeginEdit());
    source->editCommonParams.COM_Speed = 25.0;
    {
        CLoaderHolder store;
        ParamLibrary library(store, GetParamLibPath());
        library.Open();
        ASSERT_EQ(library.Save("Fast", "", *source), ParamLibrary::Written::Done);
    }
    theCadMgr.DeleteElement(source->elements.head->next->value);  // only the square of the other layer stays
    ASSERT_TRUE(state.BeginEdit());
    CLoaderHolder store;
    ParamLibrary library(store, GetParamLibPath());
    library.Open();
    ASSERT_TRUE(library.Load("Fast", *square->layer));
    state.CommitEdit();
    const std::vector<Cmd> commands = Job();
    EXPECT_EQ(OfKinds(commands, {JobCommand::IndexedSpeed}),
              (std::vector<Cmd>{{JobCommand::IndexedSpeed, 0, 25.0}}));
    EXPECT_EQ(OfKinds(commands, {JobCommand::Speed}), (std::vector<Cmd>{Speed(25.0)}));
}

}  // namespace
}  // namespace joboutput::testing
