// The emulator's state file: what is saved loads back, and a damaged file is never taken for defaults.
#include "ControllerState.h"

#include "AtomicFile.h"
#include "Payload.h"
#include "TempHome.h"

#include <gtest/gtest.h>

namespace motionlink::emulator {
namespace {

TEST(ControllerStateTest, SavedStateLoadsBackWithDocumentsLogosAndParameters) {
    ControllerState state = DefaultControllerState();
    SetParamDouble(state, link::ParamId::kAxisRange, 2, 420.5);
    state.documents.push_back({0, "JOB", {1, 2, 3}, 1234});
    state.monoLogo.assign(1024, 7);
    state.boardVersion = "V3";
    state.travelRemainderXMm = 12.5;
    const std::filesystem::path folder = cutrix::testing::TempHome();
    ASSERT_TRUE(SaveControllerState(state, folder));

    const std::optional<ControllerState> loaded = LoadControllerState(folder);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(ParamDouble(*loaded, link::ParamId::kAxisRange, 2), 420.5);
    ASSERT_EQ(loaded->documents.size(), 1u);
    EXPECT_EQ(loaded->documents[0].name, "JOB");
    EXPECT_EQ(loaded->documents[0].bytes, (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(loaded->documents[0].workTimeMs, 1234);
    EXPECT_EQ(loaded->monoLogo, state.monoLogo);
    EXPECT_EQ(loaded->boardVersion, "V3");
    EXPECT_EQ(loaded->travelRemainderXMm, 12.5);
    EXPECT_EQ(loaded->params, state.params);
}

TEST(ControllerStateTest, MissingFileGivesTheFactoryState) {
    const std::optional<ControllerState> loaded =
        LoadControllerState(cutrix::testing::TempHome() / "nothing");
    ASSERT_TRUE(loaded);
    EXPECT_EQ(ParamDouble(*loaded, link::ParamId::kG0Vel), 200.0);
    EXPECT_EQ(loaded->boardVersion, kDefaultBoardVersion);
}

TEST(ControllerStateTest, DamagedFileIsRefusedAndLeftAsItIs) {
    const std::filesystem::path folder = cutrix::testing::TempHome();
    ASSERT_TRUE(SaveControllerState(DefaultControllerState(), folder));
    const std::filesystem::path file = folder / "controller.state";
    std::vector<std::uint8_t> bytes = *platform::ReadWholeFile(file);
    bytes.resize(bytes.size() / 2);
    ASSERT_TRUE(platform::WriteFileAtomically(file, bytes));

    EXPECT_FALSE(LoadControllerState(folder));
    EXPECT_EQ(platform::ReadWholeFile(file), bytes);
}

TEST(ControllerStateTest, StoredValuesOfTheWrongSizeFallBackToTheFactoryValue) {
    ControllerState state = DefaultControllerState();
    state.params[ParamKey(link::ParamId::kG0Vel, 0)] = {1, 2, 3};
    state.params[ParamKey(link::ParamId::kG0Vel, 9)] = link::Pack(1.0);  // an index the parameter lacks
    const std::filesystem::path folder = cutrix::testing::TempHome();
    ASSERT_TRUE(SaveControllerState(state, folder));
    const std::optional<ControllerState> loaded = LoadControllerState(folder);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(ParamDouble(*loaded, link::ParamId::kG0Vel), 200.0);
    EXPECT_EQ(loaded->params.count(ParamKey(link::ParamId::kG0Vel, 9)), 0u);
}

}  // namespace
}  // namespace motionlink::emulator
