// Every record's field table, walked: keys unique, every member of the record in exactly one row, ranges
// that the loader holds to, and a record of random values that survives its stored exchange unchanged.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

#include "CadBitmapLayer.h"
#include "CadMgr.h"
#include "CadVectorLayer.h"
#include "FieldWalks.h"
#include "LayerOutputRecord.h"
#include "MachineParaRecords.h"
#include "ScanBlocks.h"
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
        using Member = std::remove_reference_t<decltype(member)>;
        if (info.sinceLayout > layout) {
            return;
        }
        if constexpr (kIsNumberField<Member>) {
            member = RandomWithin<Member>(info.range, random);
        } else {
            member = "text " + std::to_string(random());
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
    const CadMgrSettings drawing;
    EXPECT_EQ(TableFaults(drawing, {PlaceOf(drawing, drawing.textParam), PlaceOf(drawing, drawing.dataCheck)}), "")
        << "drawing settings block";
    EXPECT_EQ(TableFaults(LayerOutputRecord::Common{}), "") << "output record, common part";
    EXPECT_EQ(TableFaults(LayerOutputRecord::Vector{}), "") << "output record, vector part";
    EXPECT_EQ(TableFaults(LayerOutputRecord::Bitmap{}), "") << "output record, bitmap part";
    EXPECT_EQ(TableFaults(LayerOutputRecord::Pen{}), "") << "output record, pen part";
    EXPECT_EQ(TableFaults(joboutput::ScanParams{}), "") << "scan settings";
    EXPECT_EQ(TableFaults(joboutput::SweepCut{}), "") << "cut after sweeping";
}

// The keys of a record's rows that none of the sources' rows has: a field made from the sources by key
// that no source fills, such as one whose key was mistyped, would silently stay at its default.
template <typename Target, typename... Sources>
std::set<std::string> KeysNoSourceFills() {
    std::set<std::string> unfilled;
    const Target target{};
    VisitFields(target, [&](const FieldInfo& info, const auto&) { unfilled.insert(std::string(info.key)); });
    const auto dropFilled = [&]<typename Source>(const Source& source) {
        VisitFields(source, [&](const FieldInfo& info, const auto&) { unfilled.erase(std::string(info.key)); });
    };
    (dropFilled(Sources{}), ...);
    return unfilled;
}

TEST(FieldTables, EveryFieldMadeFromAnotherRecordHasASourceOfItsKey) {
    using Unfilled = std::set<std::string>;
    EXPECT_EQ((KeysNoSourceFills<LayerOutputRecord::Common, LayerCommonParams>()), Unfilled{});
    EXPECT_EQ((KeysNoSourceFills<LayerOutputRecord::Vector, LayerCommonParams, VectorLayerParams>()), Unfilled{});
    EXPECT_EQ((KeysNoSourceFills<LayerOutputRecord::Bitmap, LayerCommonParams, BitmapLayerParams>()), Unfilled{});
    EXPECT_EQ((KeysNoSourceFills<LayerOutputRecord::Pen, VectorLayerParams>()), Unfilled{});
    EXPECT_EQ((KeysNoSourceFills<joboutput::ScanParams, LayerOutputRecord::Bitmap>()), Unfilled{});
    // A vector layer scans without the bitmap's optimised scan and direct output: they stay off.
    EXPECT_EQ((KeysNoSourceFills<joboutput::ScanParams, LayerOutputRecord::Vector>()),
              (Unfilled{"Eng_EnOptim", "Eng_OptDirect"}));
    EXPECT_EQ((KeysNoSourceFills<joboutput::SweepCut, LayerOutputRecord::Vector>()), Unfilled{});
    EXPECT_EQ((KeysNoSourceFills<joboutput::SweepCut, LayerOutputRecord::Bitmap>()), Unfilled{});
}

// Each field of the output record holds the value of the parameter its row names, for random layers of
// both kinds: the copy converts every number type without loss.
TEST(FieldTables, ARandomLayerReachesTheOutputRecordFieldForField) {
    std::mt19937 random(3220);
    const auto expectFrom = [](const auto& source, const auto& part) {
        VisitFields(part, [&](const FieldInfo& info, const auto& field) {
            VisitFields(source, [&](const FieldInfo& from, const auto& parameter) {
                if (from.key == info.key) {
                    EXPECT_EQ(static_cast<double>(field), static_cast<double>(parameter)) << info.key;
                }
            });
        });
    };
    for (int round = 0; round < 5; ++round) {
        CCadVectorLayer vectorLayer;
        FillRandomly(vectorLayer.commonParams, random);
        FillRandomly(vectorLayer.vectorParams, random);
        LayerOutputRecord fromVector;
        vectorLayer.ToOutputRecord(fromVector);
        expectFrom(vectorLayer.commonParams, fromVector.common);
        expectFrom(vectorLayer.commonParams, fromVector.vector);
        expectFrom(vectorLayer.vectorParams, fromVector.vector);
        expectFrom(vectorLayer.vectorParams, fromVector.pen);
        EXPECT_EQ(fromVector.bitmap, LayerOutputRecord::Bitmap{});

        CCadBitmapLayer bitmapLayer;
        FillRandomly(bitmapLayer.commonParams, random);
        FillRandomly(bitmapLayer.bitmapParams, random);
        LayerOutputRecord fromBitmap;
        bitmapLayer.ToOutputRecord(fromBitmap);
        expectFrom(bitmapLayer.commonParams, fromBitmap.common);
        expectFrom(bitmapLayer.commonParams, fromBitmap.bitmap);
        expectFrom(bitmapLayer.bitmapParams, fromBitmap.bitmap);
        EXPECT_EQ(fromBitmap.vector, LayerOutputRecord::Vector{});
        EXPECT_EQ(fromBitmap.pen, LayerOutputRecord::Pen{});
    }
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

// The drawing manager's block goes through its own exchange, which places the display switches and the
// text parameters among the table's rows.
class DrawingSettingsBlock : public ::testing::Test {
  protected:
    void TearDown() override {
        ShowPathOn = 0;
        FillDisplayOn = 0;
    }

    // The block as stored and loaded back by a manager of its own; nullopt when the load is refused.
    static std::optional<CadMgrSettings> StoredAndLoaded(const CadMgrSettings& block) {
        auto writer = std::make_unique<CCadMgr>();
        static_cast<CadMgrSettings&>(*writer) = block;
        platform::Archive stored = platform::Archive::ForStoring();
        writer->Serialize(stored);
        auto reader = std::make_unique<CCadMgr>();
        platform::Archive archive = platform::Archive::ForLoading(stored.Bytes());
        if (reader->Serialize(archive) != 1) {
            return std::nullopt;
        }
        EXPECT_EQ(archive.Remaining(), 0u);
        return static_cast<const CadMgrSettings&>(*reader);
    }
};

TEST_F(DrawingSettingsBlock, ARandomBlockSurvivesTheManagersExchange) {
    std::mt19937 random(3104);
    for (int round = 0; round < 10; ++round) {
        CadMgrSettings written;
        FillRandomly(written, random);
        const std::optional<CadMgrSettings> loaded = StoredAndLoaded(written);
        ASSERT_TRUE(loaded.has_value());
        EXPECT_TRUE(FieldsEqual(*loaded, written));
        EXPECT_TRUE(*loaded == written);
    }
}

// The loader checks the work area's rows against their ranges: the edges load, just beyond is refused.
TEST_F(DrawingSettingsBlock, TheLoaderRefusesJustBeyondTheWorkAreasRanges) {
    const std::set<std::string_view> checkedKeys = {"workWidth", "workHeight", "originCorner"};
    std::vector<FieldInfo> rows;
    const CadMgrSettings defaults;
    VisitFields(defaults, [&](const FieldInfo& info, const auto&) {
        if (checkedKeys.contains(info.key)) {
            rows.push_back(info);
        }
    });
    ASSERT_EQ(rows.size(), checkedKeys.size());
    for (const FieldInfo& row : rows) {
        const double step = row.range.wholeNumbers ? 1.0 : 0.01;
        const struct {
            double value;
            bool accepted;
        } probes[] = {{row.range.low, true}, {row.range.high, true}, {row.range.low - step, false},
                      {row.range.high + step, false}};
        for (const auto& probe : probes) {
            SCOPED_TRACE(std::string(row.key) + " = " + std::to_string(probe.value));
            if (probe.value < 0) {
                continue;  // the origin corner is unsigned: below 0 cannot be stored
            }
            CadMgrSettings block;
            VisitFields(block, [&](const FieldInfo& info, auto& member) {
                if constexpr (kIsNumberField<decltype(member)>) {
                    if (info.key == row.key) {
                        member = static_cast<std::remove_reference_t<decltype(member)>>(probe.value);
                    }
                }
            });
            EXPECT_EQ(StoredAndLoaded(block).has_value(), probe.accepted);
        }
    }
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
