// CTextParam: the defaults of a new text and the stored record.
#include "TextParam.h"

#include <gtest/gtest.h>

#include <string>

#include "RecordBytes.h"

namespace {

// Every field differs from its default and from its neighbours, so that a swapped or missing field shows.
CTextParam DistinctParams() {
    CTextParam params;
    params.text = "ABC";
    params.height = 12.5;
    params.widthPercent = 75.0;
    params.charSpace = 1.25;
    params.lineSpace = 2.5;
    params.angle = 30.0;
    params.fontKind = CTextParam::kShxFont;
    params.trueTypeFont = "Arial";
    params.shxFont = "TXT.SHX";
    params.auxWord1 = 7;
    params.varTextOn = 1;
    params.varKind = 2;
    params.dateFormat = 15;
    params.dateOffsetUnit = 1;
    params.dateOffset = -3;
    params.snStart = "0100";
    params.snCurrent = "0123";
    params.snIncrement = -2;
    params.snPrefix = "SN-";
    params.snSuffix = "-X";
    params.snResetOn = 1;
    params.snResetValue = "0999";
    params.snKeepZeros = 0;
    params.snArrayOn = 1;
    params.snArrayCount1 = 3;
    params.snArrayCount2 = 4;
    params.snArraySpacing1 = 11.0;
    params.snArraySpacing2 = 12.0;
    params.auxWord2 = 8;
    params.auxWord3 = 9;
    params.skipRulesOn = 1;
    for (std::size_t index = 0; index < params.skipRules.size(); ++index) {
        params.skipRules[index] = "r" + std::to_string(index);
    }
    return params;
}

RecordBytes DistinctParamsBytes() {
    RecordBytes bytes;
    bytes.ShortString("ABC").F64(12.5).F64(75.0).F64(1.25).F64(2.5).F64(30.0);
    bytes.U16(1).ShortString("Arial").ShortString("TXT.SHX");
    bytes.U16(7).U32(1).U16(2).U16(15).U16(1).U16(static_cast<std::uint16_t>(-3));
    bytes.ShortString("0100").ShortString("0123").I32(-2);
    bytes.ShortString("SN-").ShortString("-X").U32(1);
    bytes.ShortString("0999").U32(0).U32(1);
    bytes.U16(3).U16(4).F64(11.0).F64(12.0);
    bytes.U16(8).U16(9).U32(1);
    for (int index = 0; index < 10; ++index) {
        bytes.ShortString("r" + std::to_string(index));
    }
    return bytes;
}

}  // namespace

TEST(TextParam, DefaultsAreThoseOfANewText) {
    const CTextParam params;
    EXPECT_EQ(params.text, "Text");
    EXPECT_EQ(params.height, 8.0);
    EXPECT_EQ(params.widthPercent, 50.0);
    EXPECT_EQ(params.fontKind, CTextParam::kTrueTypeFont);
    EXPECT_EQ(params.trueTypeFont, "Tahoma");
    EXPECT_EQ(params.shxFont, "FS.SHX");
    EXPECT_EQ(params.snStart, "0000");
    EXPECT_EQ(params.snCurrent, "0000");
    EXPECT_EQ(params.snResetValue, "9999");
    EXPECT_EQ(params.snIncrement, 1);
    EXPECT_EQ(params.snKeepZeros, 1);
    EXPECT_EQ(params.snArrayCount1, 1);
    EXPECT_EQ(params.snArrayCount2, 1);
    EXPECT_EQ(params.snArraySpacing1, 10.0);
    EXPECT_EQ(params.snArraySpacing2, 10.0);
    EXPECT_EQ(params.varTextOn, 0);
    EXPECT_EQ(params.skipRulesOn, 0);
    for (const std::string& rule : params.skipRules) {
        EXPECT_TRUE(rule.empty());
    }
}

TEST(TextParam, StoresEveryFieldInRecordOrderAndLoadsItBack) {
    CTextParam stored = DistinctParams();
    const RecordBytes expected = DistinctParamsBytes();
    EXPECT_EQ(StoredBytes(stored), expected.Bytes());

    CTextParam loaded;
    platform::Archive archive = expected.ForLoading();
    loaded.Serialize(archive);
    EXPECT_EQ(loaded, stored);
    EXPECT_EQ(archive.Remaining(), 0u);
}

TEST(TextParam, AShortRecordLeavesTheParametersUnchanged) {
    const std::vector<std::uint8_t> whole = DistinctParamsBytes().Bytes();
    // Cut inside the first string, after the doubles, inside the serial numbers, before the last rule.
    for (std::size_t kept : {std::size_t{2}, std::size_t{44}, std::size_t{70}, whole.size() - 1}) {
        platform::Archive archive = platform::Archive::ForLoading({whole.begin(), whole.begin() + kept});
        CTextParam params;
        EXPECT_THROW(params.Serialize(archive), platform::ArchiveError) << kept;
        EXPECT_EQ(params, CTextParam{}) << kept;
    }
}
