// The document file: round trips through real files, versions, refused files that change nothing, and
// the save question.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>

#include "AtomicFile.h"
#include "ShellDocumentFixture.h"
#include "TempHome.h"

namespace {

constexpr std::size_t kVersionAt = 5;  // after the magic and the string's one-byte length
constexpr std::size_t kWorkWidthAt = kVersionAt + kFileVersionString.size();

std::filesystem::path TestFile(const char* name) {
    return cutrix::testing::TempHome() / name;
}

void PutDouble(std::vector<std::uint8_t>& bytes, std::size_t at, double value) {
    std::memcpy(bytes.data() + at, &value, sizeof value);
}

void PutText(std::vector<std::uint8_t>& bytes, std::size_t at, std::string_view text) {
    std::copy(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

class CutrixDocTest : public ShellDocumentFixture {
  protected:
    // Three squares in two colours, a work size of 600 x 400 and the page the same.
    void MakeDrawing() {
        manager->workWidth = 600.0;
        manager->workHeight = 400.0;
        AddSquare(0, 0, 10, CCadMgr::kSlotColors[1]);
        AddSquare(20, 0, 5, CCadMgr::kSlotColors[2]);
        AddSquare(40, 10, 7, CCadMgr::kSlotColors[1]);
    }

    // The document file with its version string replaced by one of the same length.
    std::vector<std::uint8_t> WithVersion(std::string_view version) {
        std::vector<std::uint8_t> bytes = doc.StoreDocument();
        PutText(bytes, kVersionAt, version);
        return bytes;
    }

    // Opens the file on a drawing of one square at 77 with a work width of 900: what a refused open
    // must leave as it is.
    CCutrixDoc::LoadResult OpenOverOtherDrawing(const std::vector<std::uint8_t>& bytes) {
        const std::filesystem::path file = TestFile("refused.lcx");
        EXPECT_TRUE(platform::WriteFileAtomically(file, bytes));
        manager->DeleteAll();
        manager->workWidth = 900.0;
        AddSquare(77, 0, 1);
        EXPECT_TRUE(doc.SaveDocument(TestFile("current.lcx")));
        doc.SetModifiedFlag();
        return doc.OpenDocument(file, messages);
    }

    void ExpectOtherDrawingKept(const std::string& message) {
        EXPECT_EQ(ElementLefts(), std::vector<double>{77.0});
        EXPECT_EQ(manager->workWidth, 900.0);
        EXPECT_EQ(doc.GetPathName(), TestFile("current.lcx"));
        EXPECT_EQ(doc.GetTitle(), "current.lcx");
        EXPECT_TRUE(doc.IsModified());
        ASSERT_EQ(messages.Shown().size(), 1u);
        EXPECT_EQ(messages.Shown()[0].text, message);
    }
};

TEST_F(CutrixDocTest, SaveLoadSaveGivesEqualBytes) {
    MakeDrawing();
    ASSERT_TRUE(doc.SaveDocument(TestFile("first.lcx")));
    manager->DeleteAll();
    manager->workWidth = 100.0;

    ASSERT_EQ(doc.OpenDocument(TestFile("first.lcx"), messages), CCutrixDoc::LoadResult::kOpened);
    ASSERT_TRUE(doc.SaveDocument(TestFile("second.lcx")));

    EXPECT_EQ(platform::ReadWholeFile(TestFile("first.lcx")),
              platform::ReadWholeFile(TestFile("second.lcx")));
    EXPECT_EQ(ElementLefts(), (std::vector<double>{0.0, 20.0, 40.0}));
    EXPECT_EQ(manager->workWidth, 600.0);
    EXPECT_EQ(manager->layerList.GetCount(), 2);
}

TEST_F(CutrixDocTest, FileStartsWithMagicAndVersion) {
    const std::vector<std::uint8_t> bytes = doc.StoreDocument();
    const std::vector<std::uint8_t> head(bytes.begin(), bytes.begin() + kWorkWidthAt);
    std::vector<std::uint8_t> expected{0xAB, 0x00, 0x06, 0xFF, 14};
    expected.insert(expected.end(), kFileVersionString.begin(), kFileVersionString.end());
    EXPECT_EQ(head, expected);
}

TEST_F(CutrixDocTest, OpeningBecomesPathAndTitleAndStartsUnmodified) {
    MakeDrawing();
    ASSERT_TRUE(platform::WriteFileAtomically(TestFile("drawing.lcx"), doc.StoreDocument()));
    doc.SetModifiedFlag();
    ASSERT_EQ(doc.OpenDocument(TestFile("drawing.lcx"), messages), CCutrixDoc::LoadResult::kOpened);
    EXPECT_EQ(doc.GetPathName(), TestFile("drawing.lcx"));
    EXPECT_EQ(doc.GetTitle(), "drawing.lcx");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(CutrixDocTest, OpeningReplacesTheDrawingRatherThanAddingToIt) {
    MakeDrawing();
    const std::vector<std::uint8_t> bytes = doc.StoreDocument();
    AddSquare(90, 0, 1);
    ASSERT_EQ(doc.LoadDocument(bytes), CCutrixDoc::LoadResult::kOpened);
    EXPECT_EQ(ElementLefts(), (std::vector<double>{0.0, 20.0, 40.0}));
}

TEST_F(CutrixDocTest, VersionDifferingOnlyInCaseLoads) {
    MakeDrawing();
    const std::vector<std::uint8_t> bytes = WithVersion("zintfilever2.0");
    manager->DeleteAll();
    EXPECT_EQ(doc.LoadDocument(bytes), CCutrixDoc::LoadResult::kOpened);
    EXPECT_EQ(ElementLefts().size(), 3u);
}

// A refused document used to count as opened: the path and title switched, and Save then wrote the
// unchanged drawing over the refused file.
TEST_F(CutrixDocTest, RefusedDocumentChangesNothing) {
    struct Case {
        const char* name;
        std::function<void(std::vector<std::uint8_t>&)> damage;
        CCutrixDoc::LoadResult result;
    };
    const std::vector<Case> cases = {
        {"another version", [](auto& bytes) { PutText(bytes, kVersionAt, "ZintFILEVER1.0"); },
         CCutrixDoc::LoadResult::kWrongVersion},
        {"work width 0", [](auto& bytes) { PutDouble(bytes, kWorkWidthAt, 0.0); },
         CCutrixDoc::LoadResult::kSettingsRefused},
        {"work height above 100000", [](auto& bytes) { PutDouble(bytes, kWorkWidthAt + 8, 100000.5); },
         CCutrixDoc::LoadResult::kSettingsRefused},
        {"drawing cut by one byte", [](auto& bytes) { bytes.pop_back(); },
         CCutrixDoc::LoadResult::kDrawingRefused},
        {"file ends inside the version", [](auto& bytes) { bytes.resize(kVersionAt + 3); },
         CCutrixDoc::LoadResult::kNotADocument},
        {"version of another program", [](auto& bytes) { PutText(bytes, kVersionAt, "PNGFILEVER2.01"); },
         CCutrixDoc::LoadResult::kNotADocument},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        manager->DeleteAll();
        messages.Clear();
        MakeDrawing();
        std::vector<std::uint8_t> bytes = doc.StoreDocument();
        c.damage(bytes);
        EXPECT_EQ(OpenOverOtherDrawing(bytes), c.result);
        ExpectOtherDrawingKept(c.result == CCutrixDoc::LoadResult::kWrongVersion ? VersionMessageText()
                                                                                 : DamagedDocumentText());
    }
}

// Every damaged or foreign file was called an early version.
TEST_F(CutrixDocTest, DamagedFilesAreToldApartFromAnOlderVersion) {
    struct Case {
        const char* name;
        std::function<void(std::vector<std::uint8_t>&)> damage;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"older version", [](auto& bytes) { PutText(bytes, kVersionAt, "ZintFILEVER1.0"); },
         VersionMessageText()},
        {"random bytes", [](auto& bytes) { std::fill(bytes.begin(), bytes.end(), std::uint8_t{0x5A}); },
         DamagedDocumentText()},
        {"cut inside the version", [](auto& bytes) { bytes.resize(kVersionAt + 3); }, DamagedDocumentText()},
        {"drawing cut by one byte", [](auto& bytes) { bytes.pop_back(); }, DamagedDocumentText()},
        {"settings out of range", [](auto& bytes) { PutDouble(bytes, kWorkWidthAt, 0.0); },
         DamagedDocumentText()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MakeDrawing();
        std::vector<std::uint8_t> bytes = doc.StoreDocument();
        c.damage(bytes);
        const std::filesystem::path file = TestFile("damaged.lcx");
        ASSERT_TRUE(platform::WriteFileAtomically(file, bytes));
        messages.Clear();
        EXPECT_NE(doc.OpenDocument(file, messages), CCutrixDoc::LoadResult::kOpened);
        ASSERT_EQ(messages.Shown().size(), 1u);
        EXPECT_EQ(messages.Shown()[0].text, c.message);
    }
    EXPECT_EQ(VersionMessageText(), "Early version,is not compatible with the software!");
    EXPECT_EQ(DamagedDocumentText(), "The file is damaged or not a Cutrix document.");
}

TEST_F(CutrixDocTest, MissingFileIsRefusedWithAMessageOfItsOwn) {
    EXPECT_EQ(doc.OpenDocument(TestFile("absent.lcx"), messages), CCutrixDoc::LoadResult::kCannotRead);
    EXPECT_TRUE(doc.GetPathName().empty());
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, "The file could not be opened!");
}

TEST_F(CutrixDocTest, FailedSaveKeepsOldFileAndPath) {
    MakeDrawing();
    ASSERT_TRUE(doc.SaveDocument(TestFile("kept.lcx")));
    const auto before = platform::ReadWholeFile(TestFile("kept.lcx"));
    doc.SetModifiedFlag();
    EXPECT_FALSE(doc.SaveDocument(TestFile("no-such-folder") / "x.lcx"));
    EXPECT_EQ(doc.GetPathName(), TestFile("kept.lcx"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(platform::ReadWholeFile(TestFile("kept.lcx")), before);
}

TEST_F(CutrixDocTest, MessagesAreChineseForLanguageZero) {
    LanguageIndex = kLanguageSimplifiedChinese;
    WriteDefaultTexts();
    EXPECT_EQ(VersionMessageText(), "非当前版本文件格式，与软件不兼容!");
    EXPECT_EQ(SaveQuestionText(), "文件已修改，是否保存?");
    LanguageIndex = kLanguageOther;
    WriteDefaultTexts();
    EXPECT_EQ(SaveQuestionText(), "File be modified,save or not?");
}

class ScriptedChooser : public SavePathChooser {
  public:
    explicit ScriptedChooser(std::optional<std::filesystem::path> answer) : answer_(std::move(answer)) {}
    std::optional<std::filesystem::path> ChooseSavePath() override {
        ++asked;
        return answer_;
    }
    int asked = 0;

  private:
    std::optional<std::filesystem::path> answer_;
};

// Yes to the save question and then Cancel in the file dialog used to close the program unsaved.
TEST_F(CutrixDocTest, SaveQuestionKeepsTheDrawingUnlessSavedOrDeclined) {
    struct Case {
        const char* name;
        bool modified;
        int answer;
        std::optional<std::filesystem::path> chosen;
        bool mayClose;
        bool written;
    };
    const std::filesystem::path target = TestFile("asked.lcx");
    const std::vector<Case> cases = {
        {"unmodified", false, platform::kResultCancel, std::nullopt, true, false},
        {"No", true, platform::kResultNo, target, true, false},
        {"Cancel", true, platform::kResultCancel, target, false, false},
        {"Yes then Cancel in the dialog", true, platform::kResultYes, std::nullopt, false, false},
        {"Yes then a folder that does not exist", true, platform::kResultYes, TestFile("none") / "a.lcx",
         false, false},
        {"Yes then a file", true, platform::kResultYes, target, true, true},
    };
    MakeDrawing();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(target);
        messages.Clear();
        messages.ScriptAnswers({c.answer});
        doc.SetModifiedFlag(c.modified);
        ScriptedChooser chooser(c.chosen);

        EXPECT_EQ(CanCloseFrame(doc, messages, chooser), c.mayClose);
        EXPECT_EQ(std::filesystem::exists(target), c.written);
        EXPECT_EQ(doc.IsModified(), c.modified);
        EXPECT_TRUE(doc.GetPathName().empty());
    }
}

TEST_F(CutrixDocTest, SaveQuestionAsksYesNoCancel) {
    doc.SetModifiedFlag();
    ScriptedChooser chooser(std::nullopt);
    messages.ScriptAnswers({platform::kResultNo});
    CanCloseFrame(doc, messages, chooser);
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, "File be modified,save or not?");
    EXPECT_EQ(messages.Shown()[0].style & platform::kMessageBoxButtonsMask, platform::kYesNoCancel);
    EXPECT_EQ(chooser.asked, 0);
}

}  // namespace
