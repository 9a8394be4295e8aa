// The cutting-order options without their window: greying, the band height OK keeps, the order OK gives
// the drawing, and Cancel storing nothing.
#include <gtest/gtest.h>

#include "CadMgrFixture.h"
#include "OptimDlg.h"
#include "SettingsRecords.h"

namespace {

using Form = COptimDlg;

struct GreyingCase {
    bool nesting;
    int innerMode;
    bool startPointOptimise;
    bool innerModeEnabled, startPointEnabled, autoStartEnabled;
};

bool IsEnabled(const dialogkit::FormEnabling& enabling, int controlId) {
    for (const dialogkit::ControlState& state : enabling) {
        if (state.controlId == controlId) {
            return state.enabled;
        }
    }
    ADD_FAILURE() << "no state for control " << controlId;
    return false;
}

TEST(OptimDlgGreying, BoxesFollowNestingModeAndStartPointChoice) {
    const GreyingCase cases[] = {
        // Nesting that finds the cutting port picks start points itself: both boxes greyed.
        {true, 1, false, true, false, false},
        {true, 1, true, true, false, false},
        {true, 0, false, true, true, true},
        // Choosing the start nodes of closed curves rules out choosing them for every curve.
        {true, 0, true, true, true, false},
        {false, 1, false, false, true, true},
        {false, 0, true, false, true, false},
    };
    for (const GreyingCase& c : cases) {
        Form form;
        form.LoadSettings(OptimSettings{});
        form.OnInsideToOutside(c.nesting);
        form.OnInnerModeChange(c.innerMode);
        form.OnStartPointOptimize(c.startPointOptimise);
        const dialogkit::FormEnabling enabling = form.UpdateEnables();
        SCOPED_TRACE(::testing::Message() << c.nesting << "/" << c.innerMode << "/" << c.startPointOptimise);
        EXPECT_EQ(IsEnabled(enabling, Form::kInnerModeCombo), c.innerModeEnabled);
        EXPECT_EQ(IsEnabled(enabling, Form::kStartPointCheck), c.startPointEnabled);
        EXPECT_EQ(IsEnabled(enabling, Form::kAutoStartDirCheck), c.autoStartEnabled);
    }
}

TEST(OptimDlgGreying, GreyedBoxesKeepTheirTicks) {
    Form form;
    OptimSettings ticked;
    ticked.autoStartPointAndDirection = 1;
    ticked.startPointOptimise = 1;
    form.LoadSettings(ticked);
    form.OnInsideToOutside(true);
    form.OnInnerModeChange(Form::kFindCuttingPort);
    EXPECT_EQ(form.Edited().autoStartPointAndDirection, 1u);
    EXPECT_EQ(form.Edited().startPointOptimise, 1u);
}

class OptimDlgOk : public CadMgrFixture {
  protected:
    ~OptimDlgOk() override {
        gOptimSettings = savedOptim;
        gGeneralSettings.laserHeadPosition = savedHead;
    }
    OptimSettings savedOptim = gOptimSettings;
    std::uint16_t savedHead = gGeneralSettings.laserHeadPosition;
};

TEST_F(OptimDlgOk, BandHeightIsKeptWithinRangeAndDirectionWithinChoices) {
    struct Case {
        double entryMm;
        int direction;
        double storedMm;
        std::uint16_t storedDirection;
    };
    const Case cases[] = {
        {0.0, 0, 1.0, 0},     {-1.0, 1, 1.0, 1},  {100001.0, 2, 100000.0, 2},
        {250.5, 3, 250.5, 3}, {50.0, 4, 50.0, 3},
    };
    for (const Case& c : cases) {
        Form form;
        form.LoadSettings(gOptimSettings);
        EXPECT_FALSE(form.OnOK(c.entryMm, c.direction, gOptimSettings, *manager));
        EXPECT_EQ(gOptimSettings.blockHeightMm, c.storedMm) << c.entryMm;
        EXPECT_EQ(gOptimSettings.blockDirection, c.storedDirection) << c.direction;
    }
}

TEST_F(OptimDlgOk, AHeightThatIsNoNumberStoresNothing) {
    Form form;
    form.LoadSettings(gOptimSettings);
    form.OnLayerOrder(gOptimSettings.orderOfLayer == 0);
    const OptimSettings before = gOptimSettings;

    const std::optional<dialogkit::FormProblem> problem =
        form.OnOK(std::nullopt, 0, gOptimSettings, *manager);

    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->controlId, Form::kBandHeightEdit);
    EXPECT_EQ(gOptimSettings.orderOfLayer, before.orderOfLayer);
    EXPECT_TRUE(PostedMessages().empty());
}

// The boxes used to write the settings as they were clicked, so Cancel kept half of what the user had
// changed; now the dialog works on a copy and only OK stores it.
TEST_F(OptimDlgOk, BoxesClickedThenCancelledChangeNoSetting) {
    const OptimSettings before = gOptimSettings;
    Form form;
    form.LoadSettings(gOptimSettings);
    form.OnLayerOrder(before.orderOfLayer == 0);
    form.OnInsideToOutside(before.insideToOutside == 0);
    form.OnAutoStartDir(before.autoStartPointAndDirection == 0);
    form.OnStartPointOptimize(before.startPointOptimise == 0);
    form.OnInnerModeChange(before.insideToOutsideMode == 0 ? 1 : 0);

    EXPECT_EQ(gOptimSettings.orderOfLayer, before.orderOfLayer);
    EXPECT_EQ(gOptimSettings.insideToOutside, before.insideToOutside);
    EXPECT_EQ(gOptimSettings.autoStartPointAndDirection, before.autoStartPointAndDirection);
    EXPECT_EQ(gOptimSettings.startPointOptimise, before.startPointOptimise);
    EXPECT_EQ(gOptimSettings.insideToOutsideMode, before.insideToOutsideMode);
}

// Blue is the first layer; the squares lie on one row, ordered left to right from the left corner:
//   red x=0   blue x=10   blue x=100
TEST_F(OptimDlgOk, OkOrdersAcrossLayersOrLayerByLayer) {
    struct Case {
        bool orderOfLayer;
        std::vector<int> expected;  // indexes into {blueFar, red, blueNear}
    };
    const Case cases[] = {{false, {1, 2, 0}}, {true, {2, 0, 1}}};
    for (const Case& c : cases) {
        manager = std::make_unique<CCadMgr>();
        manager->SetOwnerHwnd(&owner);
        owner.Clear();
        const std::vector<CCadElement*> squares = {
            AddSquare(100, 0, 5, 0xFF0000), AddSquare(0, 0, 5, 0x0000FF), AddSquare(10, 0, 5, 0xFF0000)};
        gGeneralSettings.laserHeadPosition = 4;
        Form form;
        form.LoadSettings(gOptimSettings);
        form.OnLayerOrder(c.orderOfLayer);
        constexpr int kLeftToRight = 2;

        ASSERT_FALSE(form.OnOK(50.0, kLeftToRight, gOptimSettings, *manager));

        std::vector<CCadElement*> expected;
        for (int index : c.expected) {
            expected.push_back(squares[static_cast<std::size_t>(index)]);
        }
        EXPECT_EQ(Elements(), expected) << c.orderOfLayer;
        EXPECT_EQ(gOptimSettings.orderOfLayer, c.orderOfLayer ? 1u : 0u);
        // One change of the drawing: one notice for the undo history.
        EXPECT_EQ(std::ranges::count(PostedMessages(), kDrawingModifiedMessage), 1);
    }
}

}  // namespace
