// The parameter library file: a new set byte for byte (also on a German desktop), what loading does with
// missing, odd and damaged values, names the file could not carry back, a file that could not be read or
// written, and a library written under a Chinese code page.
#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <QLocale>

#include "AtomicFile.h"
#include "CadBitmapLayer.h"
#include "CadVectorLayer.h"
#include "GbkText.h"
#include "LoaderHolder.h"
#include "ParamLibTexts.h"
#include "ParamLibrary.h"
#include "TextStore.h"

namespace {

std::string ReadText(const std::filesystem::path& file) {
    const auto bytes = platform::ReadWholeFile(file);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

class ParamLibraryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::remove_all(file);
        std::filesystem::remove_all(std::filesystem::path(file) += ".saving");
        vector.BeginEdit();
        bitmap.BeginEdit();
    }
    void TearDown() override {
        std::setlocale(LC_ALL, "C");
        QLocale::setDefault(QLocale::c());
    }
    // The library opened afresh over the file, as each opening of the dialog does.
    ParamLibrary& Reopened() {
        library.Open();
        return library;
    }
    void WriteFile(const std::string& text) { ASSERT_TRUE(platform::WriteFileAtomically(file, text)); }
    // A one-set file: the section, then the lines given, each ended by CR LF.
    void WriteSet(const std::string& name, const std::vector<std::string>& lines) {
        std::string text = "[" + name + "]\r\n";
        for (const std::string& line : lines) {
            text += line + "\r\n";
        }
        WriteFile(text + "\r\n");
    }
    // A vector layer in cut mode with a few values that show the number forms.
    void MakeAcrylicCutLayer() {
        vector.editCommonParams.COM_Speed = 12.5;
        vector.editCommonParams.COM_Pmax1 = 65.5;
        vector.editVectorParams.COM_WorkType = VectorLayerParams::kCut;
    }

    const std::filesystem::path file = GetParamLibPath();
    CLoaderHolder store;
    ParamLibrary library{store, file};
    CCadVectorLayer vector;
    CCadBitmapLayer bitmap;
};

TEST_F(ParamLibraryTest, NewCutSetIsTheKnownSectionByteForByte) {
    MakeAcrylicCutLayer();
    ASSERT_EQ(Reopened().Open(), ParamLibrary::Opened::Empty);
    ASSERT_EQ(library.Save("Acrylic 3mm", "fast, clean edge", vector), ParamLibrary::Written::Done);
    EXPECT_EQ(ReadText(file), ReadText(PARAM_LIB_DATA "/acrylic_cut_set.lib"));
}

TEST_F(ParamLibraryTest, NewCutSetIsTheSameOnAGermanDesktop) {
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "the German locale must be installed";
    QLocale::setDefault(QLocale::German);
    MakeAcrylicCutLayer();
    Reopened();
    ASSERT_EQ(library.Save("Acrylic 3mm", "fast, clean edge", vector), ParamLibrary::Written::Done);
    EXPECT_EQ(ReadText(file), ReadText(PARAM_LIB_DATA "/acrylic_cut_set.lib"));
    // And read back under it: 12.5, not 12.
    CCadVectorLayer other;
    ASSERT_TRUE(Reopened().Load("Acrylic 3mm", other));
    EXPECT_EQ(other.editCommonParams.COM_Speed, 12.5);
}

TEST_F(ParamLibraryTest, BitmapSetHoldsItsFortyTwoKeysAndRefusesAVectorLayer) {
    bitmap.editBitmapParams.Eng_Space = 0.25;
    Reopened();
    ASSERT_EQ(library.Save("Photo", "", bitmap), ParamLibrary::Written::Done);
    const std::string text = ReadText(file);
    EXPECT_EQ(std::count(text.begin(), text.end(), '='), 42);
    EXPECT_NE(text.find("COM_Type=Bmp\r\nCOM_Output="), std::string::npos);
    EXPECT_NE(text.find("COM_WorkType=Scan\r\nEng_OptDirect="), std::string::npos);
    EXPECT_TRUE(text.ends_with("EngCut_OffDelay=0.000000\r\n\r\n"));

    Reopened();
    const VectorLayerParams before = vector.editVectorParams;
    EXPECT_FALSE(library.Load("Photo", vector));
    EXPECT_EQ(vector.editVectorParams, before);
    CCadBitmapLayer other;
    ASSERT_TRUE(library.Load("Photo", other));
    EXPECT_EQ(other.editBitmapParams.Eng_Space, 0.25);
}

// One set of a file, loaded into a fresh layer of the kind the case says, and what it must give.
struct LoadCase {
    const char* what;
    std::vector<std::string> lines;
    bool intoBitmap;
    bool loads;
    std::function<void(const CCadVectorLayer&, const CCadBitmapLayer&)> check;
};

TEST_F(ParamLibraryTest, LoadingTakesEachKeyByItsRule) {
    const std::vector<LoadCase> cases = {
        {"direction keeps its low 16 bits",
         {"COM_WorkType=Cut", "Cut_SewDir=70000"},
         false,
         true,
         [](const CCadVectorLayer& v, const CCadBitmapLayer&) {
             EXPECT_EQ(v.editVectorParams.Cut_SewDir, 4464);
         }},
        {"scan type keeps its low 8 bits",
         {"COM_WorkType=Scan", "Eng_Type=257"},
         false,
         true,
         [](const CCadVectorLayer& v, const CCadBitmapLayer&) { EXPECT_EQ(v.editVectorParams.Eng_Type, 1); }},
        {"bitmap in any letter case",
         {"COM_Type=bMp", "Eng_Invert=YES"},
         true,
         true,
         [](const CCadVectorLayer&, const CCadBitmapLayer& b) {
             EXPECT_EQ(b.editBitmapParams.Eng_Invert, 1);
         }},
        {"bitmap set refuses a vector layer", {"COM_Type=BMP"}, false, false, nullptr},
        {"no type loads only into a vector layer", {"COM_Speed=50"}, true, false, nullptr},
        {"no mode is cut, missing cut keys are cleared",
         {"COM_Type=Vector", "Cut_OnDelay=7"},
         false,
         true,
         [](const CCadVectorLayer& v, const CCadBitmapLayer&) {
             EXPECT_EQ(v.editVectorParams.COM_WorkType, VectorLayerParams::kCut);
             EXPECT_EQ(v.editVectorParams.Cut_OnDelay, 7.0);
             EXPECT_EQ(v.editVectorParams.Cut_Close, 0.0);
             EXPECT_EQ(v.editVectorParams.Cut_ThroughMode, 0);
             EXPECT_EQ(v.editVectorParams.Cut_SewWidth, 0.01);  // the kerf's least width
         }},
        {"flags: only Yes sets them",
         {"COM_Output=1", "COM_Blow=true", "COM_EnZ=yes"},
         false,
         true,
         [](const CCadVectorLayer& v, const CCadBitmapLayer&) {
             EXPECT_EQ(v.editCommonParams.COM_Output, 0);
             EXPECT_EQ(v.editCommonParams.COM_Blow, 0);
             EXPECT_EQ(v.editCommonParams.COM_EnZ, 1);
             EXPECT_EQ(v.editCommonParams.COM_EnLaser1, 0);  // missing
         }},
        {"mode word in any letter case",
         {"COM_WorkType=dOt", "Dot_Time=2.5", "Dot_EnCenter=Yes"},
         false,
         true,
         [](const CCadVectorLayer& v, const CCadBitmapLayer&) {
             EXPECT_EQ(v.editVectorParams.COM_WorkType, VectorLayerParams::kDot);
             EXPECT_EQ(v.editVectorParams.Dot_Time, 2.5);
             EXPECT_EQ(v.editVectorParams.Dot_EnCenter, 1);
         }},
        {"garbage is held by the entry rules",
         {"COM_Speed=0", "COM_Pmax1=250", "COM_Pmin2=-20", "COM_ZSpeed=-5", "COM_DotInterval=5000",
          "COM_WorkType=Scan", "Eng_Space=0", "Eng_SlopeLen=x", "EngCut_Speed=1e999", "EngCut_OnDelay=99999"},
         false,
         true,
         [](const CCadVectorLayer& v, const CCadBitmapLayer&) {
             EXPECT_EQ(v.editCommonParams.COM_Speed, 0.01);
             EXPECT_EQ(v.editCommonParams.COM_Pmax1, 100.0);
             EXPECT_EQ(v.editCommonParams.COM_Pmin2, 20.0);
             EXPECT_EQ(v.editCommonParams.COM_ZSpeed, 5.0);
             EXPECT_EQ(v.editCommonParams.COM_DotInterval, 1000.0);
             EXPECT_EQ(v.editVectorParams.Eng_Space, 0.001);
             EXPECT_EQ(v.editVectorParams.Eng_SlopeLen, 0.0);
             EXPECT_EQ(v.editVectorParams.EngCut_Speed, 0.01);
             EXPECT_EQ(v.editVectorParams.EngCut_OnDelay, 30000.0);
         }},
        {"dot interval of zero",
         {"COM_WorkType=Dot", "Dot_Space=0"},
         false,
         true,
         [](const CCadVectorLayer& v, const CCadBitmapLayer&) {
             EXPECT_EQ(v.editVectorParams.Dot_Space, 0.0);
         }},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.what);
        WriteSet("Set", c.lines);
        CCadVectorLayer intoVector;
        CCadBitmapLayer intoBitmap;
        CCadLayer& layer = c.intoBitmap ? static_cast<CCadLayer&>(intoBitmap) : intoVector;
        EXPECT_EQ(Reopened().Load("Set", layer), c.loads);
        if (c.check) {
            c.check(intoVector, intoBitmap);
        }
    }
}

TEST_F(ParamLibraryTest, CutSetOverwrittenByADotLayerKeepsItsCutLinesAndLoadsAsDot) {
    MakeAcrylicCutLayer();
    vector.editVectorParams.Cut_OnDelay = 12.0;
    Reopened();
    ASSERT_EQ(library.Save("Wood", "", vector), ParamLibrary::Written::Done);
    vector.editVectorParams.COM_WorkType = VectorLayerParams::kDot;
    vector.editVectorParams.Dot_Time = 0.5;
    ASSERT_EQ(library.Save("Wood", "", vector), ParamLibrary::Written::Done);
    const std::string text = ReadText(file);
    EXPECT_NE(text.find("Cut_OnDelay=12.000000"), std::string::npos);
    EXPECT_NE(text.find("COM_WorkType=Dot"), std::string::npos);

    CCadVectorLayer other;
    other.editVectorParams.Cut_OnDelay = 3.0;
    ASSERT_TRUE(Reopened().Load("Wood", other));
    EXPECT_EQ(other.editVectorParams.COM_WorkType, VectorLayerParams::kDot);
    EXPECT_EQ(other.editVectorParams.Dot_Time, 0.5);
    EXPECT_EQ(other.editVectorParams.Cut_OnDelay, 3.0);
}

TEST_F(ParamLibraryTest, NoteWithEqualsAndPenDelaysComeBackWhole) {
    vector.editVectorParams.COM_WorkType = VectorLayerParams::kPen;
    vector.editVectorParams.Pen_DownDelay = 12.5;
    vector.editVectorParams.Pen_UpDelay = 3.0;
    Reopened();
    ASSERT_EQ(library.Save("Plotter", "speed=slow; a=b", vector), ParamLibrary::Written::Done);
    CCadVectorLayer other;
    ASSERT_TRUE(Reopened().Load("Plotter", other));
    EXPECT_EQ(library.Value("Plotter", "Note"), "speed=slow; a=b");
    EXPECT_EQ(other.editVectorParams.COM_WorkType, VectorLayerParams::kPen);
    EXPECT_EQ(other.editVectorParams.Pen_DownDelay, 12.5);
    EXPECT_EQ(other.editVectorParams.Pen_UpDelay, 3.0);
}

TEST_F(ParamLibraryTest, NameDifferingOnlyInCaseReplacesTheListedSetUnderItsSpelling) {
    Reopened();
    ASSERT_EQ(library.Save("Default", "first", vector), ParamLibrary::Written::Done);
    ASSERT_EQ(library.Save("default", "second", vector), ParamLibrary::Written::Done);
    EXPECT_EQ(Reopened().Names(), std::vector<std::string>{"Default"});
    EXPECT_EQ(library.Value("Default", "Note"), "second");
}

TEST_F(ParamLibraryTest, NamesTheFileCannotCarryBackAreRefusedAndNotesAreCleaned) {
    Reopened();
    for (const std::string& name :
         {std::string(), std::string("[x]"), std::string("a]b"), std::string("a[b"),
          std::string("two\nlines"), std::string("cr\rhere"), std::string(1100, 'n')}) {
        EXPECT_EQ(library.Save(name, "", vector), ParamLibrary::Written::RefusedName) << name.size();
    }
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(ParamLibrary::CleanNote("line one\r\nline [two]"), "line oneline two");
    EXPECT_EQ(ParamLibrary::CleanNote(std::string(2000, 'x')).size(), 1016u);
    // A cut never splits a character: 'ä' is two bytes.
    std::string umlauts;
    for (int index = 0; index < 600; ++index) {
        umlauts += "ä";
    }
    EXPECT_EQ(ParamLibrary::CleanNote(umlauts).size() % 2, 0u);
    ASSERT_EQ(library.Save("Notes", umlauts + "[x]", vector), ParamLibrary::Written::Done);
    EXPECT_EQ(Reopened().Names(), std::vector<std::string>{"Notes"});
}

TEST_F(ParamLibraryTest, DeletingTheLastOfThreeKeepsTheOthersInOrder) {
    Reopened();
    for (const char* name : {"One", "Two", "Three"}) {
        ASSERT_EQ(library.Save(name, "", vector), ParamLibrary::Written::Done);
    }
    ASSERT_EQ(library.Delete("Three"), ParamLibrary::Written::Done);
    EXPECT_EQ(Reopened().Names(), (std::vector<std::string>{"One", "Two"}));
}

TEST_F(ParamLibraryTest, LibraryThatCouldNotBeReadIsNeverWrittenOver) {
    std::filesystem::create_directories(file);  // present, but no file to read
    EXPECT_EQ(Reopened().Open(), ParamLibrary::Opened::Unreadable);
    EXPECT_FALSE(library.Writable());
    EXPECT_TRUE(library.Names().empty());
    EXPECT_EQ(library.Save("New", "", vector), ParamLibrary::Written::Locked);
    EXPECT_EQ(library.Delete("New"), ParamLibrary::Written::Locked);
    EXPECT_TRUE(std::filesystem::is_directory(file));
}

TEST_F(ParamLibraryTest, FailedWriteIsReportedAndKeepsTheOldFile) {
    Reopened();
    ASSERT_EQ(library.Save("Kept", "", vector), ParamLibrary::Written::Done);
    const std::string before = ReadText(file);
    std::filesystem::create_directories(std::filesystem::path(file) += ".saving");
    EXPECT_EQ(library.Save("Lost", "", vector), ParamLibrary::Written::Failed);
    EXPECT_EQ(ReadText(file), before);
    EXPECT_EQ(ParamLibSaveFailureText(2), "Save parameters lib failure!");
    EXPECT_EQ(ParamLibSaveFailureText(0), "保存参数库文件失败!");
}

TEST_F(ParamLibraryTest, SaveThatWouldOutgrowWhatTheNextOpeningReadsIsRefused) {
    std::string text = "[Big]\r\n";
    const std::string line = "k" + std::string(1000, 'v');
    // Within one line of the limit: any new set goes past it.
    for (int index = 0; text.size() + line.size() + 16 < CTextStore::kMaxFileBytes; ++index) {
        text += line + std::to_string(index) + "=1\r\n";
    }
    WriteFile(text + "\r\n");
    ASSERT_EQ(Reopened().Open(), ParamLibrary::Opened::Loaded);
    const std::string before = ReadText(file);
    EXPECT_EQ(library.Save("One more", std::string(1000, 'n'), vector), ParamLibrary::Written::TooLarge);
    EXPECT_TRUE(ReadText(file) == before);  // compared whole, not printed: megabytes
    EXPECT_EQ(library.Names(), std::vector<std::string>{"Big"});
}

TEST_F(ParamLibraryTest, LibraryWrittenUnderAChineseCodePageKeepsItsNames) {
    const std::optional<std::string> gbkName = platform::Utf8ToGbk("亚克力");
    ASSERT_TRUE(gbkName);
    const std::optional<std::string> gbkNote = platform::Utf8ToGbk("快速切割");
    WriteSet(*gbkName, {"Note=" + *gbkNote, "COM_Type=Vector", "COM_Speed=20"});
    ASSERT_EQ(Reopened().Open(), ParamLibrary::Opened::Loaded);
    EXPECT_EQ(library.Names(), std::vector<std::string>{"亚克力"});
    EXPECT_EQ(library.Value("亚克力", "Note"), "快速切割");
    ASSERT_TRUE(library.Load("亚克力", vector));
    EXPECT_EQ(vector.editCommonParams.COM_Speed, 20.0);
}

}  // namespace
