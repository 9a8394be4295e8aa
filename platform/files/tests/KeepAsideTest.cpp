#include "AtomicFile.h"
#include "KeepAside.h"
#include "TempHome.h"

#include <gtest/gtest.h>

#include <string>

using cutrix::testing::TempHome;

namespace {

std::string Content(const std::filesystem::path& file) {
    const auto bytes = platform::ReadWholeFile(file);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<none>");
}

}  // namespace

// Three damaged versions of one file, each kept aside and then replaced: every version survives under
// its own name, and no earlier kept copy is replaced by a later one.
TEST(KeepAside, EachDamagedVersionGetsANameOfItsOwn) {
    const auto file = TempHome() / "vpara";
    const char* expectedNames[] = {"vpara.damaged", "vpara.damaged-2", "vpara.damaged-3"};
    for (int round = 0; round < 3; ++round) {
        const std::string damaged = "damaged bytes " + std::to_string(round);
        ASSERT_TRUE(platform::WriteFileAtomically(file, std::string_view(damaged)));
        const auto aside = platform::KeepAside(file, ".damaged");
        ASSERT_TRUE(aside.has_value());
        EXPECT_EQ(aside->filename(), expectedNames[round]);
        EXPECT_EQ(Content(file), damaged) << "the file itself stays until it is rewritten";
        ASSERT_TRUE(platform::WriteFileAtomically(file, std::string_view("defaults")));
        EXPECT_EQ(Content(*aside), damaged);
    }
    EXPECT_EQ(Content(TempHome() / "vpara.damaged"), "damaged bytes 0");
}

TEST(KeepAside, AMissingFileGivesNothing) {
    EXPECT_FALSE(platform::KeepAside(TempHome() / "absent", ".damaged").has_value());
    EXPECT_FALSE(std::filesystem::exists(TempHome() / "absent.damaged"));
}
