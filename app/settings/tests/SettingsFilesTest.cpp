#include "SettingsFiles.h"

#include "LayerParaFile.h"
#include "MachineParaFiles.h"
#include "MachineParaRecords.h"
#include "MachineParaTestFiles.h"
#include "OlderMachineParaForm.h"
#include "SettingsTestSupport.h"
#include "ScopedEnvironment.h"
#include "TempHome.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <iterator>
#include <map>
#include <string>

namespace {

// While it lives, no file of this process may grow beyond the given size: a write past it fails as it
// would on a full disk, instead of ending the process.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &previous_);
        signal(SIGXFSZ, SIG_IGN);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        signal(SIGXFSZ, SIG_DFL);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit previous_{};
};

class SettingsFilesTest : public SettingsTest {
  protected:
    void SetUp() override {
        SettingsTest::SetUp();
        gVendorPara = CVendorPara{};
        gUserPara = CUserPara{};
        SetLayerParaSerializer(nullptr);
    }
    void TearDown() override {
        SetUp();
        SettingsTest::TearDown();
    }
    const std::filesystem::path& Folder() const { return cutrix::testing::TempHome(); }
    std::filesystem::path File(const char* name) const { return Folder() / name; }
};

}  // namespace

TEST_F(SettingsFilesTest, AFirstStartWritesEveryMissingFileFromTheDefaults) {
    std::uint32_t layerBlock = 7;
    SetLayerParaSerializer([&](platform::Archive& archive) {
        archive.Exchange(layerBlock);
        return true;
    });
    LoadAllSettings(Folder());
    for (const char* name : {"config", "vpara", "upara", "lpara"}) {
        EXPECT_TRUE(std::filesystem::exists(File(name))) << name;
    }
    EXPECT_EQ(gGeneralSettings.speedLimits.GetCount(), 6);
    EXPECT_EQ(gOutputOptions.reverseIntervals.GetCount(), 0);
    EXPECT_EQ(gVendorPara.maxAccMmPerS2[0], 8000.0);
}

// A first start reads the language the desktop speaks; once "config" exists, its language wins over
// the locale, whichever it is.
TEST_F(SettingsFilesTest, AFirstStartTakesItsLanguageFromTheLocaleAndConfigWinsAfterwards) {
    struct Case {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        std::uint16_t firstStart;
    };
    const Case cases[] = {
        {nullptr, nullptr, "en_US.UTF-8", kLanguageEnglish},
        {nullptr, nullptr, "zh_CN.UTF-8", kLanguageSimplifiedChinese},
        {nullptr, nullptr, "zh_TW", kLanguageSimplifiedChinese},
        {nullptr, nullptr, "de_DE.UTF-8", kLanguageEnglish},
        {nullptr, nullptr, "zhx_XX", kLanguageEnglish},
        {nullptr, nullptr, nullptr, kLanguageEnglish},
        {nullptr, nullptr, "C.UTF-8", kLanguageEnglish},
        {"en_GB.UTF-8", nullptr, "zh_CN.UTF-8", kLanguageEnglish},
        {nullptr, "zh_CN.UTF-8", "en_US.UTF-8", kLanguageSimplifiedChinese},
        {"", "", "zh_CN.GB18030", kLanguageSimplifiedChinese},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("LANG=") + (c.lang ? c.lang : "(unset)"));
        std::filesystem::remove(File("config"));
        cutrix::testing::ScopedEnvironment locale;
        locale.Set("LC_ALL", c.lcAll).Set("LC_MESSAGES", c.lcMessages).Set("LANG", c.lang);
        LanguageIndex = kLanguageTraditionalChinese;
        LoadAllSettings(Folder());
        EXPECT_EQ(LanguageIndex, c.firstStart);

        const std::uint16_t other =
            c.firstStart == kLanguageEnglish ? kLanguageSimplifiedChinese : kLanguageEnglish;
        LanguageIndex = other;
        SaveAllSettings(Folder());
        LanguageIndex = c.firstStart;
        LoadAllSettings(Folder());
        EXPECT_EQ(LanguageIndex, other) << "the language of config";
    }
}

TEST_F(SettingsFilesTest, WhatIsSavedAtExitIsLoadedAtTheNextStart) {
    LanguageIndex = kLanguageEnglish;
    gGeneralSettings.laserHeadPosition = 6;
    gVendorPara.breadthMm[1] = 450.0;
    gUserPara.focusDepthMm = 7.5;
    SaveAllSettings(Folder());

    ResetSettingsGlobals();
    gVendorPara = CVendorPara{};
    gUserPara = CUserPara{};
    LoadAllSettings(Folder());
    EXPECT_EQ(LanguageIndex, kLanguageEnglish);
    EXPECT_EQ(gGeneralSettings.laserHeadPosition, 6);
    EXPECT_EQ(gVendorPara.breadthMm[1], 450.0);
    EXPECT_EQ(gUserPara.focusDepthMm, 7.5);
}

TEST_F(SettingsFilesTest, AnEmptyConfigIsWrittenAgainFromTheDefaults) {
    WriteFile(File("config"), "");
    LoadAllSettings(Folder());
    EXPECT_FALSE(FileBytes(File("config")).empty());
}

TEST_F(SettingsFilesTest, AFileThatMerelyFailsToOpenIsNotOverwrittenWithDefaults) {
    for (const char* name : {"config", "vpara", "upara"}) {
        std::filesystem::create_directory(File(name));
    }
    LoadAllSettings(Folder());
    SaveAllSettings(Folder());
    for (const char* name : {"config", "vpara", "upara"}) {
        EXPECT_TRUE(std::filesystem::is_directory(File(name))) << name;
    }
    EXPECT_EQ(gVendorPara.maxAccMmPerS2[0], 8000.0);
}

TEST_F(SettingsFilesTest, AnOlderUserFileIsReadAndWrittenInTheCurrentFormAtExit) {
    const std::vector<std::uint8_t> older = OlderUserFile();
    WriteFile(File("upara"), older);
    LoadAllSettings(Folder());
    EXPECT_EQ(gUserPara.accFactorPercent, 150);
    EXPECT_EQ(gUserPara.idleSpeedMmPerS, 210.0);
    EXPECT_EQ(FileBytes(File("upara")), older);

    SaveAllSettings(Folder());
    gUserPara = CUserPara{};
    ASSERT_EQ(ImportUserParaFile(File("upara")), 1);
    EXPECT_EQ(gUserPara.idleSpeedMmPerS, 210.0);
    EXPECT_NE(FileBytes(File("upara")).size(), kOlderUserFormBytes);
    EXPECT_FALSE(std::filesystem::exists(File("upara.damaged"))) << "a file read whole is not kept aside";
}

// The records before the cut were read whole, yet none of them may be taken: a file is taken whole or
// not at all, and is kept aside before it is written at exit.
TEST_F(SettingsFilesTest, AConfigThatEndsEarlyIsTakenNotAtAllAndKeptAsideAtExit) {
    LanguageIndex = kLanguageOther;
    gOutputOptions.circlePulse = 2000.0;
    SaveAllSettings(Folder());
    std::vector<std::uint8_t> config = FileBytes(File("config"));
    config.resize(config.size() - 20);
    WriteFile(File("config"), config);

    ResetSettingsGlobals();
    LoadAllSettings(Folder());
    EXPECT_EQ(LanguageIndex, kLanguageSimplifiedChinese);
    EXPECT_EQ(gOutputOptions.circlePulse, OutputOptions{}.circlePulse);
    EXPECT_EQ(gGeneralSettings.speedLimits.GetCount(), 6);
    EXPECT_EQ(FileBytes(File("config")), config) << "nothing is written at start";
    SaveAllSettings(Folder());
    EXPECT_EQ(FileBytes(File("config.damaged")), config);
}

// A disk that fills up while the settings are saved at exit must leave every file as it was before.
TEST_F(SettingsFilesTest, SavingAtExitNoLongerTruncatesTheFilesInPlace) {
    SetLayerParaSerializer([](platform::Archive& archive) {
        for (std::uint32_t word = 0; word < 64; ++word) {
            archive.Exchange(word);
        }
        return true;
    });
    SaveAllSettings(Folder());
    std::map<std::string, std::vector<std::uint8_t>> before;
    for (const char* name : {"config", "vpara", "upara", "lpara"}) {
        before[name] = FileBytes(File(name));
        ASSERT_GT(before[name].size(), 64u) << name;
    }

    LanguageIndex = kLanguageEnglish;
    gVendorPara.breadthMm[0] = 321.0;
    gUserPara.focusDepthMm = 9.0;
    {
        FileSizeLimit fullDisk(64);
        SaveAllSettings(Folder());
    }
    for (const auto& [name, bytes] : before) {
        EXPECT_EQ(FileBytes(File(name.c_str())), bytes) << name;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Folder()), {}), 4)
        << "no temporary file is left behind";
}
