// Every record's field table, walked: keys unique, every member of the record in exactly one row, ranges
// that the loader holds to, and a record of random values that survives its stored exchange unchanged.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

#include "CadBitmapLayer.h"
#include "CadVectorLayer.h"
#include "FieldWalks.h"
#include "MachineParaRecords.h"
#include "SettingsRecords.h"
#include "Settingstore.h"

namespace {

// A member of a record by its place; tables and the records' own lists of unlisted members give them.
struct MemberPlace {
    std::size_t offset;
    std::size_t size;
    std::size_t alignment;
};

template <typename Record, typename Member>
MemberPlace PlaceOf(const Record& record, const Member& member) {
    const auto* base = reinterpret_cast<const char*>(&record);
    const auto* at = reinterpret_cast<const char*>(&member);
    return {static_cast<std::size_t>(at - base), sizeof(Member), alignof(Member)};
}

// What is wrong with a table: a key twice, a member in two rows or outside the record, a member between
// two rows that no row names, or an empty range. Empty when nothing is.
template <typename Record>
std::string TableFaults(const Record& record, std::vector<MemberPlace> unlisted = {}) {
    std::string faults;
    std::set<std::pair<std::string, int>> keys;
    std::vector<MemberPlace> places = unlisted;
    VisitFields(record, [&](const FieldInfo& info, const auto& member) {
        if (!keys.insert({std::string(info.key), info.element}).second) {
            faults += "key " + std::string(info.key) + " twice; ";
        }
        if (!(info.range.low <= info.range.high)) {
            faults += "empty range of " + std::string(info.key) + "; ";
        }
        places.push_back(PlaceOf(record, member));
    });
    std::sort(places.begin(), places.end(), [](const MemberPlace& a, const MemberPlace& b) { return a.offset < b.offset; });
    std::size_t end = 0;
    for (const MemberPlace& place : places) {
        const std::size_t aligned = (end + place.alignment - 1) / place.alignment * place.alignment;
        if (place.offset != aligned) {
            faults += place.offset < aligned ? "a member in two rows at " + std::to_string(place.offset) + "; "
                                             : "no row for the bytes " + std::to_string(end) + ".." +
                                                   std::to_string(place.offset) + "; ";
        }
        end = place.offset + place.size;
    }
    const std::size_t alignedEnd = (end + alignof(Record) - 1) / alignof(Record) * alignof(Record);
    if (alignedEnd != sizeof(Record)) {
        faults += "no row for the bytes from " + std::to_string(end) + "; ";
    }
    return faults;
}

// A value within the row's range, away from its default where the range allows.
template <typename Member>
Member RandomWithin(const ParaRange& range, std::mt19937& random) {
    const double low = std::max(range.low, -1e6);
    const double high = std::min(range.high, 1e6);
    if constexpr (std::is_floating_point_v<Member>) {
        return std::uniform_real_distribution<double>(low, high)(random);
    } else {
        return static_cast<Member>(std::uniform_int_distribution<long long>(static_cast<long long>(low),
                                                                            static_cast<long long>(high))(random));
    }
}

// The fields of the layout given; the newer ones keep their defaults.
template <typename Record>
void FillRandomly(Record& record, std::mt19937& random, int layout = kNewestLayout) {
    VisitFields(record, [&](const FieldInfo& info, auto& member) {
        if (info.sinceLayout <= layout) {
            member = RandomWithin<std::remove_reference_t<decltype(member)>>(info.range, random);
        }
    });
}

// The bytes that the rows of a layout take in the stored form.
template <typename Record>
std::size_t StoredBytesOfRows(const Record& record, int layout) {
    std::size_t bytes = 0;
    VisitFields(record, [&](const FieldInfo& info, const auto& member) {
        bytes += info.sinceLayout <= layout ? sizeof(member) : 0;
    });
    return bytes;
}

template <typename Record>
void ExpectRandomRecordsSurviveTheExchange(int layout = kNewestLayout) {
    std::mt19937 random(3216);
    for (int round = 0; round < 20; ++round) {
        Record written{};
        FillRandomly(written, random, layout);
        ASSERT_TRUE(FieldsInRange(written));
        platform::Archive stored = platform::Archive::ForStoring();
        ExchangeFields(stored, written, layout);
        Record loaded{};
        platform::Archive archive = platform::Archive::ForLoading(stored.Bytes());
        ExchangeFields(archive, loaded, layout);
        EXPECT_EQ(archive.Remaining(), 0u);
        EXPECT_TRUE(FieldsEqual(loaded, written));
    }
}

template <typename Record, typename List>
MemberPlace ListPlace(const Record& record, const List& list) {
    return PlaceOf(record, list);
}

TEST(FieldTables, EveryMemberOfEveryRecordHasOneRowUnderAKeyOfItsOwn) {
    const LayerCommonParams common;
    EXPECT_EQ(TableFaults(common, {PlaceOf(common, common.COM_OutputNo)}), "") << "layer common block";
    EXPECT_EQ(TableFaults(VectorLayerParams{}), "") << "vector block";
    EXPECT_EQ(TableFaults(BitmapLayerParams{}), "") << "bitmap block";
    EXPECT_EQ(TableFaults(CVendorPara{}), "") << "vendor record";
    EXPECT_EQ(TableFaults(CUserPara{}), "") << "user record";
    const GeneralSettings general;
    EXPECT_EQ(TableFaults(general, {PlaceOf(general, general.speedLimits)}), "") << "general settings";
    const OutputOptions output;
    EXPECT_EQ(TableFaults(output, {PlaceOf(output, output.reverseIntervals)}), "") << "output options";
    EXPECT_EQ(TableFaults(FileParaSettings{}), "") << "file settings";
    EXPECT_EQ(TableFaults(ProcessCtrlSettings{}), "") << "process control settings";
    EXPECT_EQ(TableFaults(OptimSettings{}), "") << "optimisation settings";
}

// The check above on a record whose table lost a row, named a member twice or repeated a key.
struct ThreeFields {
    double first = 0.0;
    std::int32_t second = 0;
    std::int32_t third = 0;
};
enum class TableSlip { kNone, kRowMissing, kMemberTwice, kKeyTwice };
TableSlip slip = TableSlip::kNone;

template <RecordOf<ThreeFields> Record, typename Visit>
void VisitFields(Record& r, Visit&& visit) {
    visit(FieldInfo{"first", "mm", field_range::kAmount}, r.first);
    if (slip != TableSlip::kRowMissing) {
        visit(FieldInfo{slip == TableSlip::kKeyTwice ? "first" : "second", "", field_range::kSwitch}, r.second);
    }
    visit(FieldInfo{"third", "", field_range::kSwitch}, slip == TableSlip::kMemberTwice ? r.second : r.third);
}

TEST(FieldTables, ATableWithARowMissingOrNamedTwiceIsFound) {
    const struct {
        TableSlip slip;
        const char* fault;
    } cases[] = {
        {TableSlip::kNone, ""},
        {TableSlip::kRowMissing, "no row for the bytes"},
        {TableSlip::kMemberTwice, "a member in two rows"},
        {TableSlip::kKeyTwice, "key first twice"},
    };
    for (const auto& c : cases) {
        slip = c.slip;
        const std::string faults = TableFaults(ThreeFields{});
        if (std::string(c.fault).empty()) {
            EXPECT_EQ(faults, "");
        } else {
            EXPECT_NE(faults.find(c.fault), std::string::npos) << faults;
        }
    }
    slip = TableSlip::kNone;
}

// The stored sizes that the independent layout tests check byte by byte: a row left out changes them.
TEST(FieldTables, LayerRowsTakeTheBytesOfTheStoredLayouts) {
    EXPECT_EQ(StoredBytesOfRows(LayerCommonParams{}, 0), LayerCommonParams::kStoredBytes);
    EXPECT_EQ(StoredBytesOfRows(VectorLayerParams{}, 0), VectorLayerParams::kOlderStoredBytes);
    EXPECT_EQ(StoredBytesOfRows(VectorLayerParams{}, 1), VectorLayerParams::kCurrentStoredBytes);
    EXPECT_EQ(StoredBytesOfRows(BitmapLayerParams{}, 0), BitmapLayerParams::kOlderStoredBytes);
    EXPECT_EQ(StoredBytesOfRows(BitmapLayerParams{}, 1), BitmapLayerParams::kCurrentStoredBytes);
}

TEST(FieldTables, ARandomRecordSurvivesItsStoredExchange) {
    ExpectRandomRecordsSurviveTheExchange<LayerCommonParams>();
    ExpectRandomRecordsSurviveTheExchange<VectorLayerParams>(0);
    ExpectRandomRecordsSurviveTheExchange<VectorLayerParams>(1);
    ExpectRandomRecordsSurviveTheExchange<BitmapLayerParams>(0);
    ExpectRandomRecordsSurviveTheExchange<BitmapLayerParams>(1);
    ExpectRandomRecordsSurviveTheExchange<FileParaSettings>();
    ExpectRandomRecordsSurviveTheExchange<ProcessCtrlSettings>();
    ExpectRandomRecordsSurviveTheExchange<OptimSettings>();
}

// The machine records travel through the parameter store as text of six decimals: their random values
// are whole thousandths, which the text carries exactly.
template <typename Record>
void ExpectRandomRecordsSurviveTheStore() {
    std::mt19937 random(4104);
    for (int round = 0; round < 20; ++round) {
        Record written{};
        FillRandomly(written, random);
        VisitFields(written, [](const FieldInfo& info, auto& member) {
            if constexpr (std::is_floating_point_v<std::remove_reference_t<decltype(member)>>) {
                member = std::clamp(std::round(member * 1000.0) / 1000.0, info.range.low, info.range.high);
            }
        });
        CSettingstore store;
        written.SaveToStore(store);
        Record loaded{};
        ASSERT_TRUE(loaded.LoadFromCompleteStore(store));
        // Only what the store keeps travels; the rest keeps the loaded record's values.
        VisitFields(loaded, [&](const FieldInfo& info, auto& member) {
            if (!info.store.IsKept()) {
                VisitFields(written, [&](const FieldInfo& other, auto& source) {
                    if (other.key == info.key && other.element == info.element) {
                        member = static_cast<std::remove_reference_t<decltype(member)>>(source);
                    }
                });
            }
        });
        EXPECT_TRUE(FieldsEqual(loaded, written));
    }
}

TEST(FieldTables, ARandomMachineRecordSurvivesTheParameterStore) {
    ExpectRandomRecordsSurviveTheStore<CVendorPara>();
    ExpectRandomRecordsSurviveTheStore<CUserPara>();
}

// Each kept field, at the edges of its row's range and just beyond: the store's loader takes the edges
// and refuses beyond, so the table is the one place of the range.
template <typename Record>
void ExpectTheLoaderHoldsToEveryRange() {
    const Record defaults{};
    std::vector<std::pair<FieldInfo, bool>> rows;
    VisitFields(defaults, [&](const FieldInfo& info, const auto&) { rows.push_back({info, info.store.IsKept()}); });
    for (const auto& [info, kept] : rows) {
        if (!kept) {
            continue;
        }
        const double step = info.range.wholeNumbers ? 1.0 : std::max(1e-3, std::fabs(info.range.high) * 1e-6);
        struct Probe {
            double value;
            bool accepted;
        };
        std::vector<Probe> probes = {{info.range.low, true}, {info.range.low - step, false}};
        if (info.range.high < 1e12) {
            probes.push_back({info.range.high, true});
            probes.push_back({info.range.high + step, false});
        }
        for (const Probe& probe : probes) {
            SCOPED_TRACE(std::string(info.key) + " " + std::to_string(info.element) + " = " + std::to_string(probe.value));
            CSettingstore store;
            defaults.SaveToStore(store);
            char text[64];
            std::snprintf(text, sizeof text, "%.6f", probe.value);
            store.SetParaData(static_cast<std::uint32_t>(info.store.group), info.store.index, text);
            Record loaded{};
            EXPECT_EQ(loaded.LoadFromCompleteStore(store), probe.accepted);
        }
    }
}

TEST(FieldTables, TheParameterStoreLoaderRefusesJustBeyondEveryRange) {
    ExpectTheLoaderHoldsToEveryRange<CVendorPara>();
    ExpectTheLoaderHoldsToEveryRange<CUserPara>();
}

}  // namespace
