#include "Settingstore.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "RecordingMessageSink.h"
#include "TempHome.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void AppendU32(Bytes& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void AppendShortString(Bytes& bytes, std::string_view text) {
    bytes.push_back(static_cast<std::uint8_t>(text.size()));
    bytes.insert(bytes.end(), text.begin(), text.end());
}

// The file of a store with key 7 holding id 1 = "2.500000" and id 2 = "-1", byte by byte.
Bytes HandBuiltFile(std::string_view marker = CSettingstore::kMarker) {
    Bytes bytes;
    AppendShortString(bytes, marker);
    AppendShortString(bytes, "ZintC_PARA_V1.0");
    AppendU32(bytes, 1);  // keys
    AppendU32(bytes, 7);  // key
    AppendU32(bytes, 2);  // entries
    AppendU32(bytes, 1);
    AppendShortString(bytes, "2.500000");
    AppendU32(bytes, 2);
    AppendShortString(bytes, "-1");
    return bytes;
}

std::filesystem::path WriteFile(const std::string& name, const Bytes& bytes) {
    const std::filesystem::path file = cutrix::testing::TempHome() / name;
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return file;
}

Bytes ReadFile(const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(stream), {});
}

std::string Text(const CSettingstore& store, std::uint32_t key, std::uint32_t id) {
    std::string value = "<missing>";
    store.GetParaData(key, id, value);
    return value;
}

}  // namespace

TEST(Settingstore, ExportWritesTheParameterFileFormat) {
    CSettingstore store;
    store.SetFloatPara(7, 1, 2.5);
    store.SetIntPara(7, 2, -1);
    const std::filesystem::path file = cutrix::testing::TempHome() / "out.para";
    ASSERT_EQ(store.ExportParaFile(file), 1);
    EXPECT_EQ(ReadFile(file), HandBuiltFile());
}

TEST(Settingstore, ImportReadsTheFileWhateverTheMarkerCase) {
    std::string lowerMarker(CSettingstore::kMarker);
    for (char& c : lowerMarker) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    CSettingstore store;
    ASSERT_EQ(store.ImportParaFile(WriteFile("lower.para", HandBuiltFile(lowerMarker))), 1);
    EXPECT_EQ(Text(store, 7, 1), "2.500000");
    EXPECT_EQ(Text(store, 7, 2), "-1");
    EXPECT_EQ(Text(store, 7, 3), "<missing>");
    EXPECT_EQ(Text(store, 8, 1), "<missing>");
}

TEST(Settingstore, ForeignOrMissingFileIsRefusedAndChangesNothing) {
    CSettingstore store;
    store.SetIntPara(1, 1, 5);
    EXPECT_EQ(store.ImportParaFile(
                  WriteFile("foreign.para", HandBuiltFile("{00000000-0000-0000-0000-000000000000}"))),
              0);
    EXPECT_EQ(store.ImportParaFile(cutrix::testing::TempHome() / "missing.para"), 0);
    EXPECT_EQ(store.ImportParaFile(WriteFile("empty.para", {})), 0);
    EXPECT_EQ(Text(store, 1, 1), "5");
    EXPECT_EQ(Text(store, 7, 1), "<missing>");
}

TEST(Settingstore, TruncatedParameterFileIsRefusedAndLeavesTheStoreUnchanged) {
    const Bytes whole = HandBuiltFile();
    CSettingstore reference;
    reference.SetIntPara(1, 1, 5);
    const std::filesystem::path referenceFile = cutrix::testing::TempHome() / "reference.para";
    ASSERT_EQ(reference.ExportParaFile(referenceFile), 1);

    for (std::size_t length = 0; length < whole.size(); ++length) {
        SCOPED_TRACE(length);
        CSettingstore store;
        store.SetIntPara(1, 1, 5);
        const Bytes truncated(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_EQ(store.ImportParaFile(WriteFile("cut.para", truncated)), 0);
        const std::filesystem::path after = cutrix::testing::TempHome() / "after.para";
        ASSERT_EQ(store.ExportParaFile(after), 1);
        EXPECT_EQ(ReadFile(after), ReadFile(referenceFile)) << "keys and version unchanged";
    }
}

// A key count with a bit flipped toward fewer keys, bytes appended after a good file, and a file beyond
// the size limit: each is refused whole, where reading as far as the count goes would take a part.
TEST(Settingstore, AFileWithMoreThanItsKeysIsRefusedWhole) {
    Bytes countCut = HandBuiltFile();
    Bytes twoKeys = countCut;
    AppendU32(twoKeys, 9);
    AppendU32(twoKeys, 0);
    twoKeys[CSettingstore::kMarker.size() + 17] = 2;  // key count 2, the second key has no entries
    countCut.insert(countCut.end(), twoKeys.end() - 8, twoKeys.end());  // key count still 1
    Bytes trailing = HandBuiltFile();
    trailing.push_back(0);
    Bytes oversized = HandBuiltFile();
    oversized.resize(CSettingstore::kMaxFileBytes + 1);

    CSettingstore store;
    ASSERT_EQ(store.ImportParaFile(WriteFile("two-keys.para", twoKeys)), 1) << "the well-formed file loads";
    store.RemoveAllData();
    for (const auto& [name, bytes] : {std::pair{"count-cut", countCut}, std::pair{"trailing", trailing},
                                      std::pair{"oversized", oversized}}) {
        EXPECT_EQ(store.ImportParaFile(WriteFile(name, bytes)), 0) << name;
        EXPECT_EQ(Text(store, 7, 1), "<missing>") << name;
    }
}

TEST(Settingstore, ImportAppendsAfterTheKeysPresentAndTakesTheVersion) {
    Bytes file;
    AppendShortString(file, CSettingstore::kMarker);
    AppendShortString(file, "ZintC_PARA_V9.9");
    AppendU32(file, 1);
    AppendU32(file, 7);
    AppendU32(file, 1);
    AppendU32(file, 1);
    AppendShortString(file, "from file");

    CSettingstore store;
    store.SetParaData(7, 1, "earlier");
    ASSERT_EQ(store.ImportParaFile(WriteFile("more.para", file)), 1);
    EXPECT_EQ(Text(store, 7, 1), "earlier") << "the earlier key record is found first";

    const std::filesystem::path exported = cutrix::testing::TempHome() / "both.para";
    ASSERT_EQ(store.ExportParaFile(exported), 1);
    CSettingstore reread;
    ASSERT_EQ(reread.ImportParaFile(exported), 1);
    EXPECT_EQ(Text(reread, 7, 1), "earlier");
    reread.RemoveAllData();
    EXPECT_EQ(Text(reread, 7, 1), "<missing>");
    const Bytes bytes = ReadFile(exported);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(text.find("ZintC_PARA_V9.9"), std::string::npos);
    EXPECT_NE(text.find("from file"), std::string::npos) << "both key records are written";
}

TEST(Settingstore, ExportFailureIsReported) {
    CSettingstore store;
    store.SetIntPara(1, 1, 5);
    EXPECT_EQ(store.ExportParaFile(cutrix::testing::TempHome() / "missing" / "out.para"), 0);
}

TEST(Settingstore, TypedValuesAreStoredAsText) {
    CSettingstore store;
    store.SetFloatPara(1, 1, 2.5);
    store.SetLongPara(1, 2, -70000);
    store.SetShortPara(1, 3, -5);
    store.SetBoolPara(1, 4, 1);
    store.SetULongPara(1, 5, 4294967295u);
    store.SetUShortPara(1, 6, 65535);
    store.SetParaData(1, 2, "-70001");  // replaces in place
    EXPECT_EQ(Text(store, 1, 1), "2.500000");
    EXPECT_EQ(Text(store, 1, 2), "-70001");
    EXPECT_EQ(Text(store, 1, 3), "-5");
    EXPECT_EQ(Text(store, 1, 4), "1");
    EXPECT_EQ(Text(store, 1, 5), "-1");
    EXPECT_EQ(Text(store, 1, 6), "65535");

    std::uint32_t unsignedLong = 0;
    ASSERT_EQ(store.GetULongPara(1, 5, unsignedLong), 1);
    EXPECT_EQ(unsignedLong, 4294967295u);
}

TEST(Settingstore, IntegerGettersTruncateTheLeadingNumber) {
    struct Case {
        const char* text;
        int asInt;
        std::uint16_t asUShort;
        double asDouble;
    };
    const Case cases[] = {
        {"2.500000", 2, 2, 2.5},         {"-1.9", -1, 65535, -1.9},
        {"70000", 70000, 4464, 70000.0},  // low 16 bits
        {" 12abc", 12, 12, 12.0},        {"abc", 0, 0, 0.0},
        {"1e300", -1, 65535, 1e300},  // saturates at the 64-bit limit, whose low bits are all ones
        {"-1e300", 0, 0, -1e300},
    };
    CSettingstore store;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        store.SetParaData(3, 1, c.text);
        int asInt = 99;
        std::uint16_t asUShort = 99;
        double asDouble = 99;
        ASSERT_EQ(store.GetIntPara(3, 1, asInt), 1);
        ASSERT_EQ(store.GetUShortPara(3, 1, asUShort), 1);
        ASSERT_EQ(store.GetFloatPara(3, 1, asDouble), 1);
        EXPECT_EQ(asInt, c.asInt);
        EXPECT_EQ(asUShort, c.asUShort);
        EXPECT_DOUBLE_EQ(asDouble, c.asDouble);
    }
}

TEST(Settingstore, MissingEntriesLeaveTheOutputUntouched) {
    CSettingstore store;
    double value = 42.0;
    std::int16_t shortValue = 7;
    EXPECT_EQ(store.GetFloatPara(1, 1, value), 0);
    store.SetIntPara(1, 2, 3);
    EXPECT_EQ(store.GetFloatPara(1, 1, value), 0);
    EXPECT_EQ(store.GetShortPara(2, 2, shortValue), 0);
    EXPECT_EQ(value, 42.0);
    EXPECT_EQ(shortValue, 7);
}

TEST(Settingstore, AboutAnswersOnlyTheAccessWord) {
    platform::RecordingMessageSink messages;
    EXPECT_EQ(DLL_About("hello", messages), 0);
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_EQ(DLL_About("pewQuin", messages), 0);
    EXPECT_EQ(messages.Shown().size(), 1u);
}
