// The frame dialog's form without a window: any number is taken as typed, a text without one is
// refused at its edit, and the powers follow the laser.
#include <gtest/gtest.h>

#include "LgpFrameForm.h"
#include "RecordForm.h"

namespace dotplate {
namespace {

struct FrameCase {
    const char* speedTyped;
    std::optional<int> refusedControl;
    double speedTaken;
};

TEST(LgpFrameFormTest, AnyFiniteNumberIsTakenAsTypedAndATextWithoutOneIsRefused) {
    const FrameCase cases[] = {
        {"50", std::nullopt, 50.0},
        {"-0.5", std::nullopt, -0.5},
        {"0", std::nullopt, 0.0},
        {"1.7976931348623157e308", std::nullopt, 1.7976931348623157e308},  // the largest double
        {"12mm/s", std::nullopt, 12.0},
        {"", 1074, 100.0},
        {"nan", 1074, 100.0},
        {"1e999", 1074, 100.0},
        {"fast", 1074, 100.0},
    };
    for (const FrameCase& c : cases) {
        LgpFrameForm form(true);
        form.Load(LgpFrameSettings{});
        dialogkit::FormEntries entries;
        entries.EnterText(1074, c.speedTyped);
        entries.EnterText(1077, "2");
        const auto problem = dialogkit::SubmitEntries(form, entries);
        EXPECT_EQ(problem ? std::optional<int>(problem->controlId) : std::nullopt, c.refusedControl)
            << c.speedTyped;
        EXPECT_EQ(form.Edited().speed, c.speedTaken) << c.speedTyped;
        LgpFrameSettings applied;
        form.Apply(applied);
        EXPECT_EQ(applied.blank, c.refusedControl ? 0.0 : 2.0) << "a refused entry takes nothing";
    }
}

TEST(LgpFrameFormTest, ThePowersAreEnabledOnlyForACut) {
    for (bool cut : {false, true}) {
        for (const dialogkit::ControlState& state : LgpFrameForm(cut).Enabled()) {
            EXPECT_EQ(state.enabled, cut) << state.controlId;
        }
    }
}

}  // namespace
}  // namespace dotplate
