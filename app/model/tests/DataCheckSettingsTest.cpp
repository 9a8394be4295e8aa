// DataCheckSettings: defaults and the 52-byte stored form, read back as it stands.
#include "DataCheckSettings.h"

#include <gtest/gtest.h>

#include "RecordBytes.h"

namespace {

RecordBytes DataCheckBytes(const DataCheckSettings& s) {
    RecordBytes bytes;
    bytes.I32(s.checkClose).I32(s.autoClose).F64(s.closeError).I32(s.checkOverlap).I32(s.overlapErrorOn);
    bytes.F64(s.overlapError).I32(s.autoDeleteOverlap).I32(s.checkSelfCross).I32(s.autoOpenSelfCross);
    bytes.I32(s.checkCross).I32(s.autoCombineClosed);
    return bytes;
}

TEST(DataCheckSettings, DefaultsCheckClosureOnlyWithHundredthMillimetreTolerances) {
    EXPECT_EQ(DataCheckSettings{}, (DataCheckSettings{1, 0, 0.01, 0, 0, 0.01, 0, 0, 0, 0, 0}));
}

TEST(DataCheckSettings, StoresFiftyTwoBytesInFieldOrder) {
    DataCheckSettings settings{2, 3, 0.5, 4, 5, 0.25, 6, 7, 8, 9, 10};
    const RecordBytes expected = DataCheckBytes(settings);
    EXPECT_EQ(expected.Size(), DataCheckSettings::kStoredBytes);
    EXPECT_EQ(StoredBytes(settings), expected.Bytes());
}

TEST(DataCheckSettings, ReadsSwitchesAndTolerancesUncheckedAndRefusesAShortRecord) {
    const DataCheckSettings stored{-1, 7, -0.5, 0, 255, 0.0, 1, 1, 1, 1, 1};
    DataCheckSettings loaded;
    platform::Archive archive = DataCheckBytes(stored).ForLoading();
    loaded.Serialize(archive);
    EXPECT_EQ(loaded, stored);

    std::vector<std::uint8_t> shortRecord = DataCheckBytes(stored).Bytes();
    shortRecord.pop_back();
    DataCheckSettings kept;
    platform::Archive truncated = platform::Archive::ForLoading(shortRecord);
    EXPECT_THROW(kept.Serialize(truncated), platform::ArchiveError);
    EXPECT_EQ(kept, DataCheckSettings{});
}

}  // namespace
