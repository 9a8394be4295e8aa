#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QMessageBox>
#include <QTimer>

#include <functional>
#include <memory>

#include "AboutDlg.h"
#include "CadBitmap.h"
#include "CadMgr.h"
#include "CutrixView.h"
#include "ImportDialog.h"
#include "ImportWorker.h"
#include "LanguageTexts.h"
#include "MainFrame.h"
#include "SaneTestDevice.h"
#include "ScanDlg.h"
#include "ScanSettingsDlg.h"
#include "SettingsGlobals.h"
#include "TempHome.h"
#include "WidgetTestApplication.h"

namespace {

constexpr std::uint32_t kImport = 32771;
constexpr std::uint32_t kCapture = 40020;
constexpr std::uint32_t kAbout = 57664;
constexpr std::uint32_t kUndo = 57643;
constexpr std::uint32_t kLayerColour = 0x0000FF;

// Answers the modal windows that come up while a command runs: message boxes are noted and closed,
// every other modal window goes to `answer`.
class ModalAnswerer {
  public:
    explicit ModalAnswerer(std::function<void(QWidget*)> answer = {}) : answer_(std::move(answer)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                messages.push_back(box->text().toStdString());
                box->close();
            } else if (modal != nullptr && answer_) {
                answer_(modal);
            }
        });
        timer_.start(10);
    }

    std::vector<std::string> messages;

  private:
    std::function<void(QWidget*)> answer_;
    QTimer timer_;
};

class FrameDialogsTest : public platform::WidgetTest {
  protected:
    FrameDialogsTest() {
        LanguageIndex = kLanguageEnglish;
        WriteDefaultTexts();
        manager->drawColor = kLayerColour;
    }
    ~FrameDialogsTest() override { filebridge::SetFileChooser({}); }

    std::vector<CCadBitmap*> Bitmaps() const {
        std::vector<CCadBitmap*> bitmaps;
        for (auto* node = manager->elementList.head->next; node != manager->elementList.head;
             node = node->next) {
            if (node->value->typeCode == kBitmapElement) {
                bitmaps.push_back(static_cast<CCadBitmap*>(node->value));
            }
        }
        return bitmaps;
    }

    void ExpectCentred(const CCadElement& element) const {
        EXPECT_NEAR((element.rect.x1 + element.rect.x2) / 2, manager->pageWidth / 2, 1e-6);
        EXPECT_NEAR((element.rect.y1 + element.rect.y2) / 2, manager->pageHeight / 2, 1e-6);
    }

    // Accepts the scan settings, with the source set when one is given.
    static std::function<void(QWidget*)> AcceptScanSettings(QString source = {}) {
        return [source](QWidget* modal) {
            auto* settings = qobject_cast<CScanSettingsDlg*>(modal);
            if (settings == nullptr) {
                return;
            }
            if (!source.isEmpty()) {
                for (auto* box : settings->findChildren<QComboBox*>()) {
                    if (box->findText(source) >= 0) {
                        box->setCurrentText(source);
                    }
                }
            }
            settings->accept();
        };
    }

    std::unique_ptr<CCadMgr> manager = std::make_unique<CCadMgr>();
    CMainFrame frame{*manager};
};

TEST_F(FrameDialogsTest, CaptureBringsTheScannedPageInAsAnEightBitBitmapOfTheLayerColourCentred) {
    cutrix::testing::UseSaneTestDevice();
    frame.View().grab();  // the first paint makes the view the manager's owner, which hears of changes
    frame.UpdateCommandUi();
    ASSERT_TRUE(frame.Action(kCapture)->isEnabled());
    ModalAnswerer answerer(AcceptScanSettings());
    frame.RunCommand(kCapture);
    EXPECT_TRUE(answerer.messages.empty());
    const std::vector<CCadBitmap*> bitmaps = Bitmaps();
    ASSERT_EQ(bitmaps.size(), 1u);
    EXPECT_EQ(bitmaps[0]->GetBitCount(), 8);
    EXPECT_EQ(bitmaps[0]->color, kLayerColour);
    EXPECT_EQ(bitmaps[0]->GetWidth(), 157);  // 80 mm at 50 dpi
    ExpectCentred(*bitmaps[0]);
    EXPECT_EQ(manager->selectionList.count, 1);

    QApplication::processEvents();  // the modification notice reaches the undo history
    frame.RunCommand(kUndo);
    EXPECT_EQ(manager->elementList.count, 0);
}

TEST_F(FrameDialogsTest, CaptureFromTheFeederBringsEverySheetEachCentred) {
    cutrix::testing::UseSaneTestDevice({.mode = "Color"});
    ModalAnswerer answerer(AcceptScanSettings(QStringLiteral("Automatic Document Feeder")));
    frame.RunCommand(kCapture);
    EXPECT_TRUE(answerer.messages.empty()) << (answerer.messages.empty() ? "" : answerer.messages[0]);
    const std::vector<CCadBitmap*> bitmaps = Bitmaps();
    ASSERT_EQ(bitmaps.size(), 10u);  // the test scanner's feeder holds ten sheets
    for (const CCadBitmap* bitmap : bitmaps) {
        EXPECT_EQ(bitmap->GetBitCount(), 8);
        ExpectCentred(*bitmap);
    }
    EXPECT_EQ(manager->selectionList.count, 1);
}

TEST_F(FrameDialogsTest, CancelInTheScanBoxStopsTheFeederWithoutAMessage) {
    cutrix::testing::UseSaneTestDevice({.readDelayUs = 200000});
    const auto acceptSettings = AcceptScanSettings(QStringLiteral("Automatic Document Feeder"));
    ModalAnswerer answerer([&acceptSettings](QWidget* modal) {
        if (auto* scanning = qobject_cast<CScanDlg*>(modal)) {
            scanning->reject();
        } else {
            acceptSettings(modal);
        }
    });
    frame.RunCommand(kCapture);
    EXPECT_TRUE(answerer.messages.empty());
    EXPECT_LT(Bitmaps().size(), 10u);
}

TEST_F(FrameDialogsTest, CaptureWithoutScannerOrLibrarySaysWhyAndAddsNothing) {
    cutrix::testing::UseSaneTestDevice({.devices = 0});
    ModalAnswerer answerer(AcceptScanSettings());
    frame.RunCommand(kCapture);
    frame.UseScannerLibrary("libsane-that-is-not-there.so.1");
    frame.RunCommand(kCapture);
    EXPECT_EQ(answerer.messages, (std::vector<std::string>{"No scanner found!",
                                                           "The scanner library (SANE) is not installed!"}));
    EXPECT_EQ(manager->elementList.count, 0);
}

TEST_F(FrameDialogsTest, CancellingTheScanSettingsAddsNothingAndSaysNothing) {
    cutrix::testing::UseSaneTestDevice();
    ModalAnswerer answerer([](QWidget* modal) {
        if (auto* settings = qobject_cast<CScanSettingsDlg*>(modal)) {
            settings->reject();
        }
    });
    frame.RunCommand(kCapture);
    EXPECT_TRUE(answerer.messages.empty());
    EXPECT_EQ(manager->elementList.count, 0);
}

TEST_F(FrameDialogsTest, ImportRunsTheChosenFileThroughTheImportBoxAndCentresIt) {
    const std::filesystem::path file = cutrix::testing::TempHome() / "line.dxf";
    QFile dxf(QString::fromStdString(file.string()));
    ASSERT_TRUE(dxf.open(QIODevice::WriteOnly));
    dxf.write(
        "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n0.0\n20\n0.0\n11\n50.0\n21\n0.0\n0\nENDSEC\n0\nEOF\n");
    dxf.close();
    filebridge::SetFileChooser([&file](const std::string&, const std::string& title) {
        EXPECT_EQ(title, "Import");
        return std::optional<std::string>(file.string());
    });
    ModalAnswerer answerer;
    frame.RunCommand(kImport);
    EXPECT_TRUE(answerer.messages.empty());
    ASSERT_EQ(manager->elementList.count, 1);
    EXPECT_EQ(manager->selectionList.count, 1);
    ExpectCentred(*manager->elementList.head->next->value);
    EXPECT_EQ(ImportDone.load(), 1);
}

// Writes the bytes into a file of the test's home.
std::filesystem::path WriteFile(const char* name, const QByteArray& bytes) {
    const std::filesystem::path file = cutrix::testing::TempHome() / name;
    QFile out(QString::fromStdString(file.string()));
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    return file;
}

TEST_F(FrameDialogsTest, AFileThatDoesNotImportSaysNoData) {
    const std::filesystem::path file = WriteFile("broken.dxf", "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\n");
    filebridge::SetFileChooser([&file](const std::string&, const std::string&) {
        return std::optional<std::string>(file.string());
    });
    ModalAnswerer answerer;
    frame.RunCommand(kImport);
    EXPECT_EQ(answerer.messages,
              std::vector<std::string>{"No data!\nbroken.dxf: file cut short or damaged: a section never ends"});
    EXPECT_EQ(manager->elementList.count, 0);
}

// The user learns why a file was refused: the file library's reason stands on its own line below the
// import's warning, instead of the warning alone.
TEST_F(FrameDialogsTest, AFileTheLibraryRefusesSaysNoDataAndWhy) {
    const std::filesystem::path broken = WriteFile(
        "hostile.dxf", "0\nSECTION\n2\nENTITIES\n0\nLWPOLYLINE\n8\n0\n90\n-5\n70\n0\n10\n0\n20\n0\n0\nENDSEC\n0\nEOF\n");
    const std::filesystem::path unsupported = WriteFile("drawing.xyz", "anything");
    struct Case {
        std::filesystem::path file;
        std::string reasonStart;  // empty: any reason the reader gives
    };
    const Case cases[] = {
        {broken, ""},
        {unsupported, "file kind not supported: " + unsupported.string()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.string());
        filebridge::SetFileChooser([&c](const std::string&, const std::string&) {
            return std::optional<std::string>(c.file.string());
        });
        ModalAnswerer answerer;
        frame.RunCommand(kImport);
        ASSERT_EQ(answerer.messages.size(), 1u);
        const std::string& message = answerer.messages[0];
        const std::size_t lineEnd = message.find('\n');
        ASSERT_NE(lineEnd, std::string::npos) << message;
        EXPECT_EQ(message.substr(0, lineEnd), "No data!");
        const std::string reason = message.substr(lineEnd + 1);
        EXPECT_FALSE(reason.empty());
        EXPECT_EQ(reason.substr(0, c.reasonStart.size()), c.reasonStart);
        EXPECT_EQ(manager->elementList.count, 0);
    }
}

// The menu's import (the chooser's "imported" is 2) and a named file's import (its "imported" is 0)
// finish alike: the drawing placed, selected and centred, and the same answer to the caller's question.
TEST_F(FrameDialogsTest, MenuImportAndNamedFileImportFinishAlike) {
    const std::filesystem::path file = WriteFile(
        "line.dxf", "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n0.0\n20\n0.0\n11\n50.0\n21\n0.0\n0\nENDSEC\n0\nEOF\n");
    filebridge::SetFileChooser(
        [&file](const std::string&, const std::string&) { return std::optional<std::string>(file.string()); });
    ModalAnswerer answerer;
    frame.RunCommand(kImport);
    ASSERT_EQ(manager->elementList.count, 1);
    const CCadRect byMenu = manager->elementList.head->next->value->rect;
    EXPECT_EQ(manager->selectionList.count, 1);

    manager->SelectAll();
    manager->DeleteSelection();
    EXPECT_TRUE(frame.ImportFile(file));
    ASSERT_EQ(manager->elementList.count, 1);
    const CCadRect byName = manager->elementList.head->next->value->rect;
    EXPECT_EQ(manager->selectionList.count, 1);
    for (const auto edge : {&CCadRect::x1, &CCadRect::y1, &CCadRect::x2, &CCadRect::y2}) {
        EXPECT_DOUBLE_EQ(byName.*edge, byMenu.*edge);
    }
    ExpectCentred(*manager->elementList.head->next->value);
    EXPECT_TRUE(answerer.messages.empty());
}

TEST_F(FrameDialogsTest, AboutShowsTheAboutDialog) {
    bool shown = false;
    ModalAnswerer answerer([&shown](QWidget* modal) {
        if (auto* about = qobject_cast<CAboutDlg*>(modal)) {
            shown = true;
            about->accept();
        }
    });
    frame.RunCommand(kAbout);
    EXPECT_TRUE(shown);
}

}  // namespace
