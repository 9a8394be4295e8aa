// A program folder whose settings, language and parameter files are damaged one at a time, run through
// a start and an exit as the program runs them: the damaged file's bytes survive, the program runs on
// its built-in values for that file only, and the operator is told once.
#include "DamagedFiles.h"

#include "LanguageTexts.h"
#include "LayerParaFile.h"
#include "LoaderHolder.h"
#include "MachineParaFiles.h"
#include "MachineParaRecords.h"
#include "RecordingMessageSink.h"
#include "SettingsFiles.h"
#include "SettingsTestSupport.h"
#include "Settingstore.h"
#include "TempHome.h"
#include "VendorInfo.h"
#include "VerCfgFile.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uintmax_t kOversizeBytes = 50u << 20;

// Stands in for the drawing manager: a grid step and a layer table of 500 words, taken only whole.
struct FakeLayers {
    std::uint32_t gridStep = 50;
    std::vector<std::uint32_t> table = std::vector<std::uint32_t>(500, 0);

    bool Serialize(platform::Archive& archive) {
        if (archive.IsStoring()) {
            archive.WriteU32(gridStep);
            for (std::uint32_t word : table) {
                archive.WriteU32(word);
            }
            return true;
        }
        FakeLayers loaded;
        loaded.gridStep = archive.ReadU32();
        for (std::uint32_t& word : loaded.table) {
            word = archive.ReadU32();
        }
        if (archive.Remaining() != 0) {
            return false;
        }
        *this = loaded;
        return true;
    }
};

// A damage done to one file: new bytes from the good ones, or the good ones grown to 50 MB.
struct Damage {
    const char* name;
    std::function<Bytes(const Bytes&)> apply;  // null: grown to kOversizeBytes
};

Bytes CutBy(const Bytes& bytes, std::size_t count) {
    return Bytes(bytes.begin(), bytes.end() - static_cast<std::ptrdiff_t>(count));
}

Damage CutByOneByte() {
    return {"cut by one byte", [](const Bytes& b) { return CutBy(b, 1); }};
}
Damage CutInHalf() {
    return {"cut in half", [](const Bytes& b) { return CutBy(b, b.size() / 2); }};
}
Damage Oversize() {
    return {"50 MB", nullptr};
}

// A parameter file with one entry's text replaced.
Damage ParaEntry(const char* name, std::uint32_t group, std::uint32_t index, const char* text) {
    return {name, [=](const Bytes& good) {
                const std::filesystem::path scratch = cutrix::testing::TempHome() / "scratch.para";
                WriteFile(scratch, good);
                CSettingstore store;
                EXPECT_EQ(store.ImportParaFile(scratch), 1);
                store.SetParaData(group, index, text);
                EXPECT_EQ(store.ExportParaFile(scratch), 1);
                Bytes bytes = FileBytes(scratch);
                std::filesystem::remove(scratch);
                return bytes;
            }};
}

// The key count of a parameter file lies after the marker and the version.
Damage KeyCountBitFlipped() {
    return {"key count with a bit flipped", [](const Bytes& good) {
                Bytes bytes = good;
                bytes.at(CSettingstore::kMarker.size() + CSettingstore::kDefaultVersion.size() + 2) ^= 0x01;
                return bytes;
            }};
}

// Where the numbers that give a parameter file its shape stand: the key count, then per key its number
// and entry count, then per entry its id (each a little-endian u32) and its value as an archive string.
struct ParaFileShape {
    std::size_t keyCount = 0;
    std::vector<std::size_t> keys;
    std::vector<std::size_t> entryCounts;
    std::vector<std::size_t> ids;
};

ParaFileShape ShapeOf(const Bytes& bytes) {
    auto u32At = [&](std::size_t at) {
        return std::uint32_t{bytes.at(at)} | std::uint32_t{bytes.at(at + 1)} << 8 |
               std::uint32_t{bytes.at(at + 2)} << 16 | std::uint32_t{bytes.at(at + 3)} << 24;
    };
    ParaFileShape shape;
    std::size_t at = 0;
    at += 1 + bytes.at(at);  // marker
    at += 1 + bytes.at(at);  // version
    shape.keyCount = at;
    const std::uint32_t keyCount = u32At(at);
    at += 4;
    for (std::uint32_t key = 0; key < keyCount; ++key) {
        shape.keys.push_back(at);
        shape.entryCounts.push_back(at + 4);
        const std::uint32_t entryCount = u32At(at + 4);
        at += 8;
        for (std::uint32_t entry = 0; entry < entryCount; ++entry) {
            shape.ids.push_back(at);
            at += 4;
            at += 1 + bytes.at(at);  // values are short
        }
    }
    return shape;
}

// One byte of a shaping number changed by `delta`: the offset is picked from the file's shape.
Damage ShapeByteChanged(const char* name, std::size_t (*pick)(const ParaFileShape&), int delta) {
    return {name, [=](const Bytes& good) {
                Bytes bytes = good;
                std::uint8_t& byte = bytes.at(pick(ShapeOf(good)));
                byte = static_cast<std::uint8_t>(byte + delta);
                return bytes;
            }};
}

// The one-byte changes of a parameter file's keys and counts that a damaged disk or transfer makes: a
// repeated key, a key of no field, a field's key gone, counts that no longer fit the entries.
std::vector<Damage> ShapeDamages() {
    return {
        ShapeByteChanged("the first group's number raised into the next", [](const ParaFileShape& s) { return s.keys.front(); }, 1),
        ShapeByteChanged("the last group's number raised to no group", [](const ParaFileShape& s) { return s.keys.back(); }, 1),
        ShapeByteChanged("the first entry's id raised onto the second", [](const ParaFileShape& s) { return s.ids.front(); }, 1),
        ShapeByteChanged("the second entry's id lowered onto the first", [](const ParaFileShape& s) { return s.ids.at(1); }, -1),
        ShapeByteChanged("the last entry's id raised to no field", [](const ParaFileShape& s) { return s.ids.back(); }, 1),
        ShapeByteChanged("an entry's id moved far off", [](const ParaFileShape& s) { return s.ids.at(s.ids.size() / 2); }, 0x40),
        ShapeByteChanged("the first entry count lowered", [](const ParaFileShape& s) { return s.entryCounts.front(); }, -1),
        ShapeByteChanged("the last entry count raised", [](const ParaFileShape& s) { return s.entryCounts.back(); }, 1),
        ShapeByteChanged("the key count lowered", [](const ParaFileShape& s) { return s.keyCount; }, -1),
        ShapeByteChanged("the key count raised", [](const ParaFileShape& s) { return s.keyCount; }, 1),
    };
}

struct DamageCase {
    const char* file;
    Damage damage;
    bool keptAside;  // else left in place, never written
};

class DamagedFilesTest : public SettingsTest {
  protected:
    void SetUp() override {
        SettingsTest::SetUp();
        ResetAll();
        WriteGoodFolder();
    }
    void TearDown() override {
        ResetAll();
        SetLayerParaSerializer(nullptr);
        SettingsTest::TearDown();
    }

    static std::filesystem::path Folder() { return cutrix::testing::TempHome(); }
    static std::filesystem::path File(const std::string& name) { return Folder() / name; }

    void ResetAll() {
        ResetSettingsGlobals();
        gVendorPara = CVendorPara{};
        gUserPara = CUserPara{};
        layers_ = FakeLayers{};
        ClearLangStore();
        SetLayerParaSerializer([this](platform::Archive& archive) { return layers_.Serialize(archive); });
    }

    // A folder as the vendor and the user left it, every value distinct from the built-in ones.
    void WriteGoodFolder() {
        LanguageIndex = kLanguageEnglish;
        gOutputOptions.circlePulse = 2000.0;
        gVendorPara.breadthMm[0] = 450.0;
        gUserPara.focusDepthMm = 7.5;
        layers_.gridStep = 53;
        layers_.table.assign(layers_.table.size(), 7);
        SaveAllSettings(Folder());
        WriteFile(File("VerCFG"), Bytes{0x40, 0x01, 0, 0, 1, 0});  // the pen work mode on
        WriteFile(File("Lang_eng.ini"), "[MsgInfo]\r\n4=Lost the machine!\r\n");
        WriteFile(File("Param.lib"), "[Acrylic 3mm]\r\nSpeed=15.000000\r\n");
        std::filesystem::create_directories(File("Vendor"));
        WriteFile(File("Vendor/Info_En.txt"), "11=Laser Works\r\n");
        for (const char* name : {"VerCFG", "config", "vpara", "upara", "lpara", "Lang_eng.ini", "Param.lib",
                                 "Vendor/Info_En.txt"}) {
            good_[name] = FileBytes(File(name));
        }
        ResetAll();
    }

    void Damage(const DamageCase& c) {
        for (const auto& [name, bytes] : good_) {
            WriteFile(File(name), bytes);
        }
        if (c.damage.apply) {
            WriteFile(File(c.file), c.damage.apply(good_.at(c.file)));
        } else {
            std::filesystem::resize_file(File(c.file), kOversizeBytes);
        }
    }

    // The program's start and exit; the parameter library dialog opens and closes in between.
    void StartAndExit() {
        LoadVerCfg(Folder());
        LoadAllSettings(Folder());
        SelectLanguage();
        CLoaderHolder library;
        library.LoadItemFile(File("Param.lib"));
        SaveAllSettings(Folder());
        library.SaveItemFile(File("Param.lib"));
    }

    // Each file's values: the good ones unless the file is the damaged one.
    void ExpectValuesOf(const std::string& damaged) {
        SCOPED_TRACE("values");
        EXPECT_EQ(PenModeFlag, damaged == "VerCFG" ? 0 : 1);
        EXPECT_EQ(gOutputOptions.circlePulse, damaged == "config" ? OutputOptions{}.circlePulse : 2000.0);
        EXPECT_EQ(gVendorPara.breadthMm[0], damaged == "vpara" ? 1000.0 : 450.0);
        EXPECT_EQ(gUserPara.focusDepthMm, damaged == "upara" ? 5.0 : 7.5);
        EXPECT_EQ(layers_.gridStep, damaged == "lpara" ? 50u : 53u);
        EXPECT_EQ(layers_.table[499], damaged == "lpara" ? 0u : 7u);
        if (damaged != "config") {  // a damaged "config" leaves the language Chinese
            EXPECT_EQ(GetLangText("MsgInfo", "4"),
                      damaged == "Lang_eng.ini" ? "Communication Error!" : "Lost the machine!");
            EXPECT_EQ(gVendorInfo.entries[VendorInfo::kSoftwareTitle] == "Laser Works",
                      damaged != "Vendor/Info_En.txt");
        }
    }

    static bool SameBytes(const std::filesystem::path& file, const Bytes& expected, bool oversize) {
        if (!oversize) {
            return FileBytes(file) == expected;
        }
        std::error_code error;
        if (std::filesystem::file_size(file, error) != kOversizeBytes) {
            return false;
        }
        const Bytes head = platform::ReadWholeFileWithin(file, kOversizeBytes).bytes;
        return std::equal(expected.begin(), expected.end(), head.begin());
    }

    FakeLayers layers_;
    std::map<std::string, Bytes> good_;
};

std::vector<DamageCase> DamageCases() {
    std::vector<DamageCase> cases;
    for (const Damage& damage :
         {CutByOneByte(), CutInHalf(), Oversize(), Damage{"a flag of 2", [](const Bytes& b) {
                                                              Bytes bytes = b;
                                                              bytes[4] = 2;
                                                              return bytes;
                                                          }}}) {
        cases.push_back({"VerCFG", damage, true});
    }
    for (const Damage& damage : {CutByOneByte(), CutInHalf(), Oversize(),
                                 Damage{"a language index of 4",
                                        [](const Bytes& b) {
                                            Bytes bytes = b;
                                            bytes[0] = 4;
                                            return bytes;
                                        }},
                                 Damage{"a byte after its end", [](const Bytes& b) {
                                            Bytes bytes = b;
                                            bytes.push_back(0);
                                            return bytes;
                                        }}}) {
        cases.push_back({"config", damage, true});
    }
    for (const char* file : {"vpara", "upara"}) {
        const std::uint32_t group = file[0] == 'v' ? 1 : 3;  // maximum power of laser 1; idle speed
        const std::uint32_t index = file[0] == 'v' ? 7 : 0;
        for (const Damage& damage : {CutByOneByte(), CutInHalf(), Oversize(), KeyCountBitFlipped(),
                                     ParaEntry("a value NaN", group, index, "nan"),
                                     ParaEntry("a value out of range", group, index, "-5"),
                                     ParaEntry("text where a number stands", group, index, "fast")}) {
            cases.push_back({file, damage, true});
        }
        for (const Damage& damage : ShapeDamages()) {
            cases.push_back({file, damage, true});
        }
    }
    for (const Damage& damage : {CutByOneByte(), CutInHalf(), Oversize()}) {
        cases.push_back({"lpara", damage, true});
    }
    cases.push_back({"Lang_eng.ini", Oversize(), false});
    cases.push_back({"Vendor/Info_En.txt", Oversize(), false});
    cases.push_back({"Param.lib", Oversize(), true});
    return cases;
}

}  // namespace

TEST_F(DamagedFilesTest, TheBytesOfEveryDamagedFileSurviveAndTheOperatorIsToldOnce) {
    for (const DamageCase& c : DamageCases()) {
        SCOPED_TRACE(std::string(c.file) + ", " + c.damage.name);
        for (const auto& entry : std::filesystem::directory_iterator(Folder())) {
            std::filesystem::remove_all(entry.path());
        }
        std::filesystem::create_directories(File("Vendor"));
        ResetAll();
        Damage(c);
        const bool oversize = !c.damage.apply;
        const Bytes damaged = oversize ? good_.at(c.file) : FileBytes(File(c.file));

        StartAndExit();
        ExpectValuesOf(c.file);
        const std::filesystem::path aside = File(std::string(c.file) + ".damaged");
        EXPECT_TRUE(SameBytes(c.keptAside ? aside : File(c.file), damaged, oversize));
        if (c.keptAside) {
            EXPECT_TRUE(good_.at(c.file).empty() || !SameBytes(File(c.file), damaged, oversize))
                << "written anew at exit";
        }

        platform::RecordingMessageSink messages;
        TellOfDamagedFiles(Folder(), messages);
        TellOfDamagedFiles(Folder(), messages);
        ASSERT_EQ(messages.Shown().size(), 1u) << "told once";
        const std::string text = messages.Shown()[0].text;
        EXPECT_NE(text.find(File(c.file).string()), std::string::npos) << text;
        if (c.keptAside) {
            EXPECT_NE(text.find(aside.string()), std::string::npos) << text;
        }
    }
}

// An intact folder: a file the program read whole and the user then changed is saved as it always was,
// nothing is kept aside and nobody is told anything.
TEST_F(DamagedFilesTest, AWholeFolderIsSavedAsBeforeAndNothingIsTold) {
    for (const auto& [name, bytes] : good_) {
        WriteFile(File(name), bytes);
    }
    LoadVerCfg(Folder());
    LoadAllSettings(Folder());
    SelectLanguage();
    ExpectValuesOf("");
    gVendorPara.breadthMm[0] = 640.0;
    SaveAllSettings(Folder());

    gVendorPara = CVendorPara{};
    ASSERT_EQ(ImportVendorParaFile(File("vpara")), 1);
    EXPECT_EQ(gVendorPara.breadthMm[0], 640.0);
    for (const auto& entry : std::filesystem::directory_iterator(Folder())) {
        EXPECT_EQ(entry.path().string().find(".damaged"), std::string::npos) << entry.path();
    }
    platform::RecordingMessageSink messages;
    TellOfDamagedFiles(Folder(), messages);
    EXPECT_TRUE(messages.Shown().empty());
}

// Damaged at one start after another: each version is kept under a name of its own, and the message
// names every one of them.
TEST_F(DamagedFilesTest, RepeatedDamageNeverReplacesAnEarlierKeptCopy) {
    std::vector<Bytes> versions;
    for (int start = 0; start < 3; ++start) {
        Bytes damaged = CutBy(good_.at("vpara"), 1 + static_cast<std::size_t>(start));
        WriteFile(File("vpara"), damaged);
        versions.push_back(damaged);
        LoadAllSettings(Folder());
        SaveAllSettings(Folder());
        SaveAllSettings(Folder());  // a second save writes the file without keeping it aside again
    }
    EXPECT_EQ(FileBytes(File("vpara.damaged")), versions[0]);
    EXPECT_EQ(FileBytes(File("vpara.damaged-2")), versions[1]);
    EXPECT_EQ(FileBytes(File("vpara.damaged-3")), versions[2]);
    EXPECT_FALSE(std::filesystem::exists(File("vpara.damaged-4")));
    platform::RecordingMessageSink messages;
    TellOfDamagedFiles(Folder(), messages);
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_NE(messages.Shown()[0].text.find("vpara.damaged-3"), std::string::npos);
}

// A notice that was itself damaged, or names files outside the folder, shows only what it may.
TEST_F(DamagedFilesTest, ANoticeNamesOnlyFilesOfItsOwnFolder) {
    WriteFile(File(std::string(kDamagedNoticeFile)),
              "vpara\tvpara.damaged\n../../etc/passwd\tx\nconfig\t/etc/shadow\n\x01\x02 garbage\nupara\t\n");
    platform::RecordingMessageSink messages;
    TellOfDamagedFiles(Folder(), messages);
    ASSERT_EQ(messages.Shown().size(), 1u);
    const std::string text = messages.Shown()[0].text;
    EXPECT_NE(text.find(File("vpara.damaged").string()), std::string::npos);
    EXPECT_NE(text.find(File("upara").string()), std::string::npos);
    EXPECT_EQ(text.find("passwd"), std::string::npos);
    EXPECT_EQ(text.find("shadow"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(File(std::string(kDamagedNoticeFile))));
}
