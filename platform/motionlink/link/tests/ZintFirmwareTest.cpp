// Firmware update files and panel logos: checked before sending, checked again by the controller.
#include "MotionlinkLink.h"
#include "TempHome.h"
#include "TestControllers.h"
#include "UpdateFile.h"

#include <gtest/gtest.h>

#include "Archive.h"
#include "AtomicFile.h"

namespace motionlink::testing {
namespace {

std::string WriteFile(const char* name, const std::vector<std::uint8_t>& bytes) {
    const std::filesystem::path path = cutrix::testing::TempHome() / name;
    EXPECT_TRUE(platform::WriteFileAtomically(path, bytes));
    return path.string();
}

std::string BoardVersion() {
    std::string version;
    EXPECT_EQ(Zint_Open(1, 0, "127.0.0.1"), 0);
    EXPECT_EQ(Zint_GetManiboardVer(&version), 0);
    Zint_Close();
    return version;
}

// A packed 24-bit picture with a 40-byte info header.
std::vector<std::uint8_t> Picture(std::int32_t width, std::int32_t height) {
    platform::Archive dib = platform::Archive::ForStoring();
    dib.WriteU32(40);
    dib.WriteI32(width);
    dib.WriteI32(height);
    dib.WriteU16(1);
    dib.WriteU16(24);
    for (int field = 0; field < 6; ++field) {
        dib.WriteU32(0);
    }
    std::vector<std::uint8_t> bytes = dib.Bytes();
    bytes.resize(bytes.size() + static_cast<std::size_t>((width * 3 + 3) / 4 * 4) *
                                    static_cast<std::size_t>(std::abs(height)),
                 0x80);
    return bytes;
}

TEST(ZintFirmwareTest, UpdateFileCheckTellsUnreadableFromWrong) {
    const std::vector<std::uint8_t> valid = link::BuildUpdateFile(std::vector<std::uint8_t>(3000, 1), "V9");
    std::vector<std::uint8_t> damaged = valid;
    damaged[100] ^= 1;
    EXPECT_EQ(Zint_IsUpdateFileValid(WriteFile("good.bin", valid), 1), 0);
    EXPECT_EQ(Zint_IsUpdateFileValid(WriteFile("good.bin", valid), 2), kUpdateFileWrong);
    EXPECT_EQ(Zint_IsUpdateFileValid(WriteFile("damaged.bin", damaged), 1), kUpdateFileWrong);
    EXPECT_EQ(Zint_IsUpdateFileValid(WriteFile("empty.bin", {}), 1), kUpdateFileWrong);
    EXPECT_EQ(Zint_IsUpdateFileValid((cutrix::testing::TempHome() / "missing.bin").string(), 1),
              kUpdateFileUnreadable);
}

TEST(ZintFirmwareTest, UpdateGoesToTheControllerOpenedLastOverItsOwnConnection) {
    InProcessEmulator controller;
    EXPECT_EQ(BoardVersion(), emulator::kDefaultBoardVersion);  // opens, so the controller is known
    const std::string file =
        WriteFile("update.bin", link::BuildUpdateFile(std::vector<std::uint8_t>(5000, 7), "V2.00"));

    EXPECT_EQ(Zint_Update(file, 1), 0);
    EXPECT_EQ(BoardVersion(), "V2.00");
    controller.Restart();
    EXPECT_EQ(BoardVersion(), "V2.00");
}

TEST(ZintFirmwareTest, InvalidUpdateFileIsNotSent) {
    InProcessEmulator controller;
    EXPECT_EQ(BoardVersion(), emulator::kDefaultBoardVersion);
    std::vector<std::uint8_t> file = link::BuildUpdateFile(std::vector<std::uint8_t>(100, 7), "BAD");
    file.back() ^= 1;
    EXPECT_EQ(Zint_Update(WriteFile("bad.bin", file), 1), kLinkBadArgument);
    EXPECT_EQ(BoardVersion(), emulator::kDefaultBoardVersion);
}

TEST(ZintFirmwareTest, LogosAreTakenOnlyInThePanelFormats) {
    InProcessEmulator controller;
    ASSERT_EQ(Zint_Open(1, 0, "127.0.0.1"), 0);
    const std::vector<std::uint8_t> mono(1024, 0x0F);
    EXPECT_EQ(Zint_UpdateLogo(mono.data(), 1024), 0);
    EXPECT_EQ(Zint_UpdateLogo(mono.data(), 1000), kLinkBadArgument);
    const std::vector<std::uint8_t> colour = Picture(320, -240);
    EXPECT_EQ(Zint_UpdateColorLogo(colour.data(), static_cast<std::uint32_t>(colour.size())), 0);
    const std::vector<std::uint8_t> odd = Picture(321, 240);
    EXPECT_EQ(Zint_UpdateColorLogo(odd.data(), static_cast<std::uint32_t>(odd.size())), kLinkRefused);
    std::vector<std::uint8_t> cut = Picture(640, 480);
    cut.resize(cut.size() - 1);
    EXPECT_EQ(Zint_UpdateColorLogo(cut.data(), static_cast<std::uint32_t>(cut.size())), kLinkRefused);

    const emulator::ControllerState state = controller.Server().StateSnapshot();
    EXPECT_EQ(state.monoLogo, mono);
    EXPECT_EQ(state.colorLogo, colour);
}

}  // namespace
}  // namespace motionlink::testing
