// The hand-over import through real files in a hand-over folder, and the hand-over message.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>

#include "Archive.h"
#include "AtomicFile.h"
#include "CadBitmap.h"
#include "HandOver.h"
#include "SettingsRecords.h"
#include "ShellDocumentFixture.h"
#include "TempHome.h"

namespace {

// An outline of two lines from an Illustrator-form file.
constexpr const char* kAiDrawing = "%!PS-Adobe-3.0\n/m {moveto} def\n1 0 0 Xa 0 0 m 10 0 l 10 10 l f\n";
constexpr const char* kDxfDrawing =
    "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n0\n20\n0\n30\n0\n11\n10\n21\n5\n31\n0\n0\nENDSEC\n0\nEOF\n";

// A 2 x 2 picture of 24 bits.
std::vector<std::uint8_t> BmpFile() {
    platform::Archive ar = platform::Archive::ForStoring();
    const std::uint32_t rowBytes = 8;
    ar.WriteU8('B');
    ar.WriteU8('M');
    ar.WriteU32(14 + 40 + 2 * rowBytes);
    ar.WriteU32(0);
    ar.WriteU32(14 + 40);
    ar.WriteU32(40);
    ar.WriteI32(2);
    ar.WriteI32(2);
    ar.WriteU16(1);
    ar.WriteU16(24);
    for (int field = 0; field < 6; ++field) {
        ar.WriteU32(field == 2 || field == 3 ? 2835 : 0);
    }
    for (std::uint32_t byte = 0; byte < 2 * rowBytes; ++byte) {
        ar.WriteU8(0x80);
    }
    return ar.Bytes();
}

struct Part {
    double width, height, centreX, centreY;
};

// A main window that places curve records as curves and picture records as bitmaps, selected.
class TestFrame : public HandOverFrame {
  public:
    explicit TestFrame(CCadMgr& manager) : manager_(manager) {}

    void PlaceImportedData(CDbList<CFileDraw*>& records, int select) override {
        for (auto* node = records.head->next; node != records.head; node = node->next) {
            CCadElement* element = MakeElement(*node->value);
            manager_.AddElement(element);
            if (select != 0) {
                manager_.AddToSelection(element);
            }
            delete node->value;
        }
        records.RemoveAll();
        manager_.CalcSelectionRect();
        ++placements;
    }
    void OnDataChanged() override { ++dataChanges; }
    void SetLastImportedPath(const std::filesystem::path& file) override { lastImported = file; }
    void BringToFront() override { ++raised; }

    int placements = 0;
    int dataChanges = 0;
    int raised = 0;
    std::filesystem::path lastImported;

  private:
    static CCadElement* MakeElement(CFileDraw& record) {
        if (record.type == CFileDraw::kBitmap) {
            auto* bitmap = new CCadBitmap();
            bitmap->dib = std::move(static_cast<CFileDib&>(record).dib);
            bitmap->CalRect();
            return bitmap;
        }
        auto* curve = new CCadCurve();
        for (const CFileLine& segment : cutrix::testing::Records(static_cast<CFileCurve&>(record).segments)) {
            curve->pathList.AddTail(segment);
        }
        curve->CalRect();
        return curve;
    }

    CCadMgr& manager_;
};

class NoChooser : public SavePathChooser {
  public:
    std::optional<std::filesystem::path> ChooseSavePath() override { return std::nullopt; }
};

class HandOverTest : public ShellDocumentFixture {
  protected:
    void SetUp() override {
        ShellDocumentFixture::SetUp();
        std::filesystem::create_directories(folder);
        manager->pageWidth = 600.0;
        manager->pageHeight = 400.0;
        saved = gFileParaSettings;
    }
    void TearDown() override { gFileParaSettings = saved; }

    std::filesystem::path File(const std::string& name) const { return folder / name; }
    void Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        ASSERT_TRUE(platform::WriteFileAtomically(File(name), bytes));
    }
    void Write(const std::string& name, std::string_view text) {
        ASSERT_TRUE(platform::WriteFileAtomically(File(name), text));
    }
    void WriteDest(std::uint16_t kind, const std::vector<Part>& pictures) {
        platform::Archive ar = platform::Archive::ForStoring();
        ar.WriteU16(kind);
        if (kind == 0) {
            ar.WriteU16(static_cast<std::uint16_t>(pictures.size()));
            for (const Part& part : pictures) {
                ar << part.width << part.height << part.centreX << part.centreY;
            }
        }
        Write("dest.tmp", ar.Bytes());
    }
    void WriteVectorPart(const Part& part) {
        platform::Archive ar = platform::Archive::ForStoring();
        ar << part.width << part.height << part.centreX << part.centreY;
        Write("dest2.tmp", ar.Bytes());
        Write("zint.ai", kAiDrawing);
    }
    void Import() { ImportHandOverFiles(folder, *manager, frame, messages); }
    bool Exists(const std::string& name) const { return std::filesystem::exists(File(name)); }

    std::filesystem::path folder = cutrix::testing::TempHome() / "handover";
    TestFrame frame{*manager};
    FileParaSettings saved;
};

TEST_F(HandOverTest, EmptyFolderImportsNothingAndSaysNothing) {
    Import();
    EXPECT_EQ(manager->elementList.GetCount(), 0);
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_EQ(frame.placements, 0);
}

TEST_F(HandOverTest, NoPicturesAndNoVectorPartOnlyDeletesDest) {
    WriteDest(0, {});
    Import();
    EXPECT_FALSE(Exists("dest.tmp"));
    EXPECT_EQ(manager->elementList.GetCount(), 0);
    EXPECT_EQ(frame.dataChanges, 0);
}

TEST_F(HandOverTest, ThreePicturesAndAVectorPartEndSelectedAndCentredAsOneBlock) {
    WriteDest(0, {{20, 10, 0, 0}, {20, 10, 100, 0}, {20, 10, 200, 50}});
    for (const char* name : {"1.bmp", "2.bmp", "3.bmp"}) {
        Write(name, BmpFile());
    }
    WriteVectorPart({30, 30, 50, 300});
    Import();

    EXPECT_EQ(manager->elementList.GetCount(), 4);
    EXPECT_EQ(manager->selectionList.GetCount(), 4);
    const CCadRect block = manager->GetSelectionRect();
    EXPECT_NEAR((block.x1 + block.x2) / 2, 300.0, 1e-6);
    EXPECT_NEAR((block.y1 + block.y2) / 2, 200.0, 1e-6);
    for (const char* name : {"1.bmp", "2.bmp", "3.bmp", "dest.tmp", "dest2.tmp", "zint.ai"}) {
        EXPECT_FALSE(Exists(name)) << name;
    }
    EXPECT_EQ(frame.lastImported, File("zint.ai"));
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(HandOverTest, PictureTakesTheSizeItWasGiven) {
    WriteDest(0, {{20, 10, 0, 0}});
    Write("1.bmp", BmpFile());
    Import();
    const CCadRect rect = manager->elementList.head->next->value->rect;
    EXPECT_NEAR(rect.x2 - rect.x1, 20.0, 1e-6);
    EXPECT_NEAR(rect.y2 - rect.y1, 10.0, 1e-6);
}

// Sizes from "dest.tmp" were used unchecked: a NaN or negative size scaled the picture to nonsense.
TEST_F(HandOverTest, SizesThatAreNotPositiveAndFiniteAreIgnored) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const Part& part : {Part{-20, 10, 0, 0}, Part{0, 10, 0, 0}, Part{nan, 10, 0, 0}, Part{20, inf, 0, 0},
                             Part{20, 10, nan, 0}}) {
        manager->DeleteAll();
        WriteDest(0, {part});
        Write("1.bmp", BmpFile());
        Import();
        ASSERT_EQ(manager->elementList.GetCount(), 1);
        const CCadRect rect = manager->elementList.head->next->value->rect;
        EXPECT_TRUE(std::isfinite(rect.x1) && std::isfinite(rect.y1) && std::isfinite(rect.x2) &&
                    std::isfinite(rect.y2));
        EXPECT_GT(rect.x2 - rect.x1, 0.0);
        EXPECT_NE(rect.x2 - rect.x1, 20.0);
    }
}

TEST_F(HandOverTest, FailingPictureStopsWithTheMessageAndKeepsWhatWasPlaced) {
    WriteDest(0, {{20, 10, 0, 0}, {20, 10, 100, 0}, {20, 10, 200, 0}});
    Write("1.bmp", BmpFile());
    Write("2.bmp", std::string_view("not a picture"));
    Write("3.bmp", BmpFile());
    WriteVectorPart({30, 30, 50, 300});
    Import();

    EXPECT_EQ(manager->elementList.GetCount(), 1);
    ASSERT_EQ(messages.Shown().size(), 1u);
    // The warning, then on its own line why the file library refused the picture.
    const std::string shown = messages.Shown()[0].text;
    EXPECT_EQ(shown.substr(0, shown.find('\n')), "Load data failure!");
    EXPECT_GT(shown.size(), std::string("Load data failure!\n").size()) << shown;
    EXPECT_FALSE(Exists("2.bmp"));
    EXPECT_FALSE(Exists("dest.tmp"));
    EXPECT_TRUE(Exists("3.bmp"));
    EXPECT_TRUE(Exists("dest2.tmp"));
}

TEST_F(HandOverTest, DxfIsPlacedCentredAndKept) {
    WriteDest(1, {});
    Write("zint.dxf", kDxfDrawing);
    Import();
    ASSERT_EQ(manager->elementList.GetCount(), 1);
    const CCadRect rect = manager->GetSelectionRect();
    EXPECT_NEAR((rect.x1 + rect.x2) / 2, 300.0, 1e-6);
    EXPECT_FALSE(Exists("dest.tmp"));
    EXPECT_TRUE(Exists("zint.dxf"));
    EXPECT_EQ(frame.lastImported, File("zint.dxf"));
    EXPECT_EQ(frame.dataChanges, 1);
}

TEST_F(HandOverTest, IllustrationIsPlacedAndDeletedWithItsLeftover) {
    WriteDest(7, {});
    Write("temp.ai", kAiDrawing);
    Write("temp-01.ai", kAiDrawing);
    Import();
    EXPECT_EQ(manager->elementList.GetCount(), 1);
    for (const char* name : {"dest.tmp", "temp.ai", "temp-01.ai"}) {
        EXPECT_FALSE(Exists(name)) << name;
    }
}

TEST_F(HandOverTest, MissingIllustrationShowsTheFailure) {
    WriteDest(2, {});
    Import();
    EXPECT_EQ(messages.Shown().size(), 1u);
    EXPECT_FALSE(Exists("dest.tmp"));
    EXPECT_EQ(manager->elementList.GetCount(), 0);
}

TEST_F(HandOverTest, NewDocumentLeavesThePltPrecisionSetting) {
    gFileParaSettings.pltPrecision = 5;
    WriteDest(7, {});
    Write("temp.ai", kAiDrawing);
    StartNewDocument(folder, doc, &frame, messages);
    EXPECT_EQ(gFileParaSettings.pltPrecision, 5);
    EXPECT_EQ(ClampedPltPrecision(gFileParaSettings), 10.0);
}

TEST_F(HandOverTest, NewDocumentWithAnEmptyFolderIsEmptyAndSilent) {
    AddSquare(0, 0, 5);
    doc.SetModifiedFlag();
    StartNewDocument(folder, doc, &frame, messages);
    EXPECT_EQ(manager->elementList.GetCount(), 0);
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(frame.dataChanges, 1);
}

TEST_F(HandOverTest, NewDocumentTakesTheHandedOverDrawing) {
    WriteDest(7, {});
    Write("temp.ai", kAiDrawing);
    StartNewDocument(folder, doc, &frame, messages);
    EXPECT_EQ(manager->elementList.GetCount(), 1);
}

TEST_F(HandOverTest, FirstNewDocumentAtStartUpImportsNothing) {
    AddSquare(0, 0, 5);
    WriteDest(7, {});
    Write("temp.ai", kAiDrawing);
    StartNewDocument(folder, doc, nullptr, messages);
    EXPECT_EQ(manager->elementList.GetCount(), 1);
    EXPECT_TRUE(Exists("temp.ai"));
}

class HandOverMessageTest : public HandOverTest {
  protected:
    HandOverOutcome Message() { return OnHandOverMessage(folder, doc, frame, messages, chooser); }
    NoChooser chooser;
};

TEST_F(HandOverMessageTest, WithoutHandOverFilesOnlyRaisesTheWindow) {
    AddSquare(0, 0, 5);
    EXPECT_EQ(Message(), HandOverOutcome::kBroughtToFront);
    EXPECT_EQ(frame.raised, 1);
    EXPECT_EQ(manager->elementList.GetCount(), 1);
}

TEST_F(HandOverMessageTest, HandedOverDrawingReplacesTheDrawingWithoutRaising) {
    AddSquare(0, 0, 5);
    gFileParaSettings.pltPrecision = 5;
    WriteDest(1, {});
    Write("zint.dxf", kDxfDrawing);
    EXPECT_EQ(Message(), HandOverOutcome::kImported);
    EXPECT_EQ(frame.raised, 0);
    EXPECT_EQ(manager->elementList.GetCount(), 1);
    EXPECT_EQ(manager->elementList.head->next->value->typeCode, 1);
    EXPECT_NE(manager->elementList.head->next->value->rect.x2, 5.0);
    EXPECT_EQ(gFileParaSettings.pltPrecision, 10);  // stored back clamped
    EXPECT_TRUE(messages.Shown().empty());
}

// The message used to empty a modified drawing without asking.
TEST_F(HandOverMessageTest, ModifiedDrawingIsOfferedForSavingFirst) {
    struct Case {
        const char* name;
        int answer;
        HandOverOutcome outcome;
        int elementsAfter;
        bool filesKept;
    };
    for (const Case& c :
         {Case{"Cancel keeps drawing and files", platform::kResultCancel, HandOverOutcome::kKept, 2, true},
          Case{"Yes then no file keeps them", platform::kResultYes, HandOverOutcome::kKept, 2, true},
          Case{"No replaces the drawing", platform::kResultNo, HandOverOutcome::kImported, 1, false}}) {
        SCOPED_TRACE(c.name);
        manager->DeleteAll();
        AddSquare(0, 0, 5);
        AddSquare(10, 0, 5);
        doc.SetModifiedFlag();
        WriteDest(7, {});
        Write("temp.ai", kAiDrawing);
        messages.Clear();
        messages.ScriptAnswers({c.answer});

        EXPECT_EQ(Message(), c.outcome);
        EXPECT_EQ(manager->elementList.GetCount(), c.elementsAfter);
        EXPECT_EQ(Exists("dest.tmp"), c.filesKept);
        EXPECT_EQ(Exists("temp.ai"), c.filesKept);
        ASSERT_FALSE(messages.Shown().empty());
        EXPECT_EQ(messages.Shown()[0].text, "File be modified,save or not?");
    }
}

}  // namespace
