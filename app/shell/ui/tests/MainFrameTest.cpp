#include "MainFrame.h"

#include <qpa/qwindowsysteminterface.h>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <memory>
#include <thread>

#include "CadCurve.h"
#include "CadMgr.h"
#include "CommandTable.h"
#include "CutrixView.h"
#include "GeometryTestHelpers.h"
#include "InstanceChannel.h"
#include "LanguageTexts.h"
#include "MainToolBars.h"
#include "MetafileConverter.h"
#include "PropertyBar.h"
#include "SettingsGlobals.h"
#include "SettingsRecords.h"
#include "ShellTexts.h"
#include "StatusBarXP.h"
#include "TempHome.h"
#include "ToolBarEx.h"
#include "UndoStore.h"
#include "WidgetTestApplication.h"
#include "WindowMessage.h"

namespace {

constexpr std::uint32_t kSelectAll = 32782;
constexpr std::uint32_t kDelete = 32781;

class MainFrameTest : public platform::WidgetTest {
  protected:
    MainFrameTest() {
        LanguageIndex = kLanguageEnglish;
        WriteDefaultTexts();
        CUndoStore::Init();
    }

    std::filesystem::path TestFile(const char* name) const { return cutrix::testing::TempHome() / name; }

    // The square of side `size` at (x, y), closed, added to the manager's drawing.
    static void AddSquare(CCadMgr& manager, double x, double y, double size) {
        auto curve = std::make_unique<CCadCurve>();
        cutrix::testing::AddPolyline(curve->pathList,
                                     {{x, y}, {x + size, y}, {x + size, y + size}, {x, y + size}}, true);
        curve->closed = 1;
        curve->CalRect();
        ASSERT_EQ(manager.AddElement(curve.release()), 1);
    }

    static std::vector<double> ElementLefts(const CCadMgr& manager) {
        std::vector<double> lefts;
        for (auto* node = manager.elementList.head->next; node != manager.elementList.head;
             node = node->next) {
            lefts.push_back(node->value->rect.x1);
        }
        return lefts;
    }

    // A document file of three squares written by a document of its own.
    std::filesystem::path WriteThreeSquares() {
        auto other = std::make_unique<CCadMgr>();
        AddSquare(*other, 0, 0, 10);
        AddSquare(*other, 20, 0, 5);
        AddSquare(*other, 40, 10, 7);
        CCutrixDoc writer(*other);
        const std::filesystem::path file = TestFile("squares.lcx");
        EXPECT_TRUE(writer.SaveDocument(file));
        return file;
    }

    // A DXF file of one line, 50 mm long.
    std::filesystem::path WriteLineDxf() const {
        const std::filesystem::path file = TestFile("line.dxf");
        QFile dxf(QString::fromStdString(file.string()));
        EXPECT_TRUE(dxf.open(QIODevice::WriteOnly));
        dxf.write(
            "0\nSECTION\n2\nENTITIES\n"
            "0\nLINE\n8\n0\n10\n0.0\n20\n0.0\n11\n50.0\n21\n0.0\n"
            "0\nENDSEC\n0\nEOF\n");
        return file;
    }

    // The drawing a document file holds, read by a manager of its own.
    static std::unique_ptr<CCadMgr> LoadDocument(const std::filesystem::path& file) {
        auto reader = std::make_unique<CCadMgr>();
        CCutrixDoc doc(*reader);
        platform::NullMessageSink messages;
        EXPECT_EQ(doc.OpenDocument(file, messages), CCutrixDoc::LoadResult::kOpened);
        return reader;
    }

    // Closes each message box as it opens and keeps its text.
    class MessageTexts {
      public:
        MessageTexts() {
            QObject::connect(&answer_, &QTimer::timeout, [this] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    texts.push_back(box->text().toStdString());
                    box->close();
                }
            });
            answer_.start(10);
        }
        std::vector<std::string> texts;

      private:
        QTimer answer_;
    };

    std::unique_ptr<CCadMgr> manager = std::make_unique<CCadMgr>();
    CMainFrame frame{*manager};
};

TEST_F(MainFrameTest, EveryMenuItemOfTheTableSitsInAMenuAndLaterCommandsSayWhy) {
    frame.UpdateCommandUi();
    for (const CommandEntry& command : CommandTable()) {
        if (command.popup.empty()) {
            continue;
        }
        SCOPED_TRACE(command.id);
        QAction* action = frame.Action(command.id);
        ASSERT_NE(action, nullptr);
        EXPECT_FALSE(action->text().isEmpty());
        bool inMenu = false;
        for (QObject* holder : action->associatedObjects()) {
            inMenu = inMenu || qobject_cast<QMenu*>(holder) != nullptr;
        }
        EXPECT_TRUE(inMenu);
        if (IsLaterCommand(command.id)) {
            EXPECT_FALSE(action->isEnabled());
            EXPECT_EQ(action->statusTip().toStdString(), LaterCommandStatusText());
        }
    }
}

TEST_F(MainFrameTest, RulesFollowTheDrawing) {
    struct Case {
        std::uint32_t id;
        bool enabledWhenEmpty;
        bool enabledWithSelection;
    };
    const Case cases[] = {
        {57600, true, true},    // New
        {32772, false, true},   // Export needs elements
        {57643, false, false},  // Undo before any change
        {32778, false, true},   // Zoom to selection
    };
    frame.UpdateCommandUi();
    for (const Case& c : cases) {
        EXPECT_EQ(frame.Action(c.id)->isEnabled(), c.enabledWhenEmpty) << c.id;
    }
    AddSquare(*manager, 0, 0, 10);
    frame.RunCommand(kSelectAll);
    for (const Case& c : cases) {
        EXPECT_EQ(frame.Action(c.id)->isEnabled(), c.enabledWithSelection) << c.id;
    }
}

TEST_F(MainFrameTest, ToolCommandsSetAndCheckTheToolMode) {
    // Some tools work on the selection and ask for a value first (rotate asks for its angle): give
    // them something selected and dismiss what they ask.
    AddSquare(*manager, 0, 0, 10);
    QTimer dismiss;
    QObject::connect(&dismiss, &QTimer::timeout, [] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            dialog->close();
        }
    });
    dismiss.start(10);
    for (const CommandEntry& command : CommandTable()) {
        if (command.toolMode == 0 || IsLaterCommand(command.id) || frame.Action(command.id) == nullptr) {
            continue;
        }
        if (command.enable == EnableRule::kSelection) {
            frame.RunCommand(kSelectAll);
        }
        frame.RunCommand(command.id);
        EXPECT_EQ(manager->toolMode, command.toolMode) << command.id;
        // Rotate sets its tool but its row shows no check.
        EXPECT_EQ(frame.Action(command.id)->isChecked(), command.check != CheckRule::kNone) << command.id;
    }
}

TEST_F(MainFrameTest, DisplaySwitchesFlipAndShowChecked) {
    const std::pair<std::uint32_t, int*> switches[] = {
        {32893, &ShowPathOn}, {32811, &FillDisplayOn}, {40024, &ShowArray}};
    for (const auto& [id, value] : switches) {
        const int before = *value;
        frame.RunCommand(id);
        EXPECT_NE(*value != 0, before != 0) << id;
        EXPECT_EQ(frame.Action(id)->isChecked(), *value != 0) << id;
        frame.RunCommand(id);
        EXPECT_EQ(*value, before) << id;
    }
}

TEST_F(MainFrameTest, ImportPlacesTheDrawingSelected) {
    ASSERT_TRUE(frame.ImportFile(WriteLineDxf()));
    EXPECT_EQ(manager->elementList.count, 1);
    EXPECT_EQ(manager->selectionList.count, 1);
}

// A file of a line and a text gave the line alone and no word about the text.
TEST_F(MainFrameTest, ImportNamesTheTextsItLeavesOutAndDrawsThemWhenAsked) {
    const std::filesystem::path file = TestFile("line-and-text.dxf");
    QFile dxf(QString::fromStdString(file.string()));
    ASSERT_TRUE(dxf.open(QIODevice::WriteOnly));
    dxf.write(
        "0\nSECTION\n2\nENTITIES\n"
        "0\nLINE\n8\n0\n10\n0.0\n20\n0.0\n11\n50.0\n21\n0.0\n"
        "0\nTEXT\n8\nLETTERS\n10\n0.0\n20\n10.0\n40\n5.0\n1\nCUTRIX\n"
        "0\nENDSEC\n0\nEOF\n");
    dxf.close();
    gFileParaSettings.combineLines = 0;
    gFileParaSettings.importDxfText = 0;
    {
        MessageTexts messages;
        ASSERT_TRUE(frame.ImportFile(file));
        EXPECT_EQ(manager->elementList.count, 1);
        ASSERT_EQ(messages.texts.size(), 1u);
        EXPECT_EQ(messages.texts[0].rfind(
                      GetLangText("Prompt", "LeftOut") + "\nTEXT \"CUTRIX\" on layer LETTERS", 0),
                  0u)
            << messages.texts[0];
    }
    manager->DeleteAll();
    gFileParaSettings.importDxfText = 1;
    MessageTexts messages;
    ASSERT_TRUE(frame.ImportFile(file));
    EXPECT_EQ(manager->elementList.count, 1 + 7);  // the line, and the letters' contours
    EXPECT_TRUE(messages.texts.empty());
    gFileParaSettings = FileParaSettings{};
}

// A save typed right after the file was chosen reaches the window while the import is still on its way:
// run then, it wrote the drawing without the import, and the import that followed left the document
// modified, so closing asked to save again. The keys are queued as the window system queues them.
TEST_F(MainFrameTest, SaveTypedAsAnImportBeginsDoesNotWriteTheDrawingBeforeTheImport) {
    const std::filesystem::path document = WriteThreeSquares();
    ASSERT_TRUE(frame.OpenDocumentFile(document));  // it has a name: Save writes without a dialog
    frame.RunCommand(kSelectAll);
    frame.RunCommand(kDelete);
    frame.resize(640, 480);
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    const std::filesystem::path drawing = WriteLineDxf();

    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(
            frame.windowHandle(), type, Qt::Key_S, Qt::ControlModifier);
    }
    ASSERT_TRUE(frame.ImportFile(drawing));
    EXPECT_EQ(ElementLefts(*LoadDocument(document)).size(), 3u);
}

// The metafile converter runs in a helper process; when it crashes the import fails as any unreadable
// file does: the import's warning, and nothing added.
TEST_F(MainFrameTest, MetafileWhoseConverterCrashesWarnsAndAddsNothing) {
    const std::filesystem::path helper = TestFile("crashing-helper");
    QFile script(QString::fromStdString(helper.string()));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nkill -SEGV $$\n");
    script.close();
    std::filesystem::permissions(helper, std::filesystem::perms::owner_all);
    filebridge::SetMetafileHelper(filebridge::MetafileHelper{helper});

    // A header record (bounds, frame, signature, size 108, two records) and the end-of-file record.
    const std::uint32_t words[] = {1, 88, 0, 0, 100,  50,   0,   0,   2540, 1270, 0x464D4520, 0x10000, 108, 2,
                                   1, 0,  0, 0, 1000, 1000, 254, 254, 14,   20,   0,          16,      20};
    const std::filesystem::path file = TestFile("drawing.emf");
    QFile emf(QString::fromStdString(file.string()));
    ASSERT_TRUE(emf.open(QIODevice::WriteOnly));
    emf.write(reinterpret_cast<const char*>(words), sizeof words);
    emf.close();

    QString shown;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->close();
        }
    });
    answer.start(10);
    EXPECT_FALSE(frame.ImportFile(file));
    filebridge::SetMetafileHelper(std::nullopt);
    // The import's warning, then on its own line why the file library refused the file.
    const QStringList lines = shown.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2) << shown.toStdString();
    EXPECT_EQ(lines[0].toStdString(), GetLangText("Prompt", "3"));
    EXPECT_FALSE(lines[1].isEmpty());
    EXPECT_EQ(manager->elementList.count, 0);
}

TEST_F(MainFrameTest, OpenShowsTheFilesElementsAndNamesTheCaption) {
    frame.resize(640, 480);
    frame.show();
    ASSERT_TRUE(frame.OpenDocumentFile(WriteThreeSquares()));
    EXPECT_EQ(ElementLefts(*manager), (std::vector<double>{0.0, 20.0, 40.0}));
    EXPECT_TRUE(frame.windowTitle().contains(QStringLiteral("squares.lcx")));
    QApplication::processEvents();
    const QImage drawn = frame.View().grab().toImage();
    EXPECT_FALSE(drawn.isNull());
}

TEST_F(MainFrameTest, RefusedOpenKeepsTheDrawingAndCaption) {
    AddSquare(*manager, 77, 0, 1);
    const QString caption = frame.windowTitle();
    const std::filesystem::path file = TestFile("short.lcx");
    QFile cut(QString::fromStdString(file.string()));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write("\xAB\x00\x06", 3);
    cut.close();
    QTimer answer;  // the version message
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            box->close();
        }
    });
    answer.start(10);
    EXPECT_FALSE(frame.OpenDocumentFile(file));
    EXPECT_EQ(ElementLefts(*manager), std::vector<double>{77.0});
    EXPECT_EQ(frame.windowTitle(), caption);
    EXPECT_TRUE(CRecentFileList(platform::ProgramFile("RecentFiles")).Entries().empty());
}

TEST_F(MainFrameTest, OpenedFilesAreListedNewestFirstAndOneThatNoLongerOpensLeavesTheList) {
    constexpr std::uint32_t kFirstRecentFile = 57616;
    EXPECT_FALSE(frame.Action(kFirstRecentFile)->isEnabled());
    const std::filesystem::path first = WriteThreeSquares();
    const std::filesystem::path second = TestFile("second.lcx");
    std::filesystem::copy_file(first, second);
    ASSERT_TRUE(frame.OpenDocumentFile(first));
    ASSERT_TRUE(frame.OpenDocumentFile(second));
    EXPECT_EQ(CRecentFileList(platform::ProgramFile("RecentFiles")).Entries(),
              (std::vector<std::filesystem::path>{second, first}));
    EXPECT_TRUE(frame.Action(kFirstRecentFile)->isEnabled());
    EXPECT_TRUE(frame.Action(kFirstRecentFile)->text().endsWith(QString::fromStdString(second.string())));

    std::filesystem::remove(second);
    QTimer answer;  // the message that the file cannot be read
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            box->close();
        }
    });
    answer.start(10);
    frame.RunCommand(kFirstRecentFile);
    EXPECT_EQ(CRecentFileList(platform::ProgramFile("RecentFiles")).Entries(),
              std::vector<std::filesystem::path>{first});
    EXPECT_TRUE(frame.Action(kFirstRecentFile)->text().endsWith(QString::fromStdString(first.string())));
    EXPECT_TRUE(frame.windowTitle().contains(QStringLiteral("second.lcx")));
}

TEST_F(MainFrameTest, SaveWritesAFileThatLoadsTheChangedDrawing) {
    const std::filesystem::path file = WriteThreeSquares();
    ASSERT_TRUE(frame.OpenDocumentFile(file));
    frame.RunCommand(kSelectAll);
    frame.RunCommand(kDelete);
    ASSERT_TRUE(ElementLefts(*manager).empty());
    frame.RunCommand(57603);  // Save: the document has its path, no dialog

    auto reader = std::make_unique<CCadMgr>();
    AddSquare(*reader, 5, 5, 5);
    CCutrixDoc doc(*reader);
    platform::NullMessageSink messages;
    ASSERT_EQ(doc.OpenDocument(file, messages), CCutrixDoc::LoadResult::kOpened);
    EXPECT_TRUE(ElementLefts(*reader).empty());
}

TEST_F(MainFrameTest, UndoBringsBackWhatADeleteTook) {
    frame.resize(640, 480);  // beside the docking panel the view keeps room to paint in
    frame.View().grab();     // the first paint makes the view the manager's owner, which hears of changes
    ASSERT_TRUE(frame.OpenDocumentFile(WriteThreeSquares()));
    frame.RunCommand(kSelectAll);
    frame.RunCommand(kDelete);
    QApplication::processEvents();
    ASSERT_TRUE(frame.Action(57643)->isEnabled());
    frame.RunCommand(57643);
    EXPECT_EQ(ElementLefts(*manager).size(), 3u);
    EXPECT_TRUE(frame.Action(57644)->isEnabled());
}

// Waits for the file to appear, for at most `limit`.
bool WaitForFile(const QString& file, std::chrono::seconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (QFile::exists(file)) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

TEST_F(MainFrameTest, SecondCopyInTheSameHomeHandsOverAndEndsAtOnce) {
    const std::filesystem::path runtime = TestFile("runtime");
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    const QString runtimeFolder = QString::fromStdString(runtime.string());
    // Made before either copy starts, so that both read the same names.
    const QString socket =
        InstanceChannel(InstallationId(cutrix::testing::TempHome()), runtimeFolder).SocketPath();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("CUTRIX_HOME"),
                       QString::fromStdString(cutrix::testing::TempHome().string()));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess first;
    first.setProcessEnvironment(environment);
    first.start(QStringLiteral(CUTRIX_PROGRAM));
    ASSERT_TRUE(first.waitForStarted());
    ASSERT_TRUE(WaitForFile(socket, std::chrono::seconds(60)));

    QProcess second;
    second.setProcessEnvironment(environment);
    second.start(QStringLiteral(CUTRIX_PROGRAM));
    EXPECT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    first.kill();
    first.waitForFinished();
}

}  // namespace

// Each command that changes the drawing, run after another change: Undo gives back the drawing between
// the two, Redo the drawing after the command, byte for byte.
class DrawingCommandHistoryTest : public MainFrameTest {
  protected:
    std::vector<std::uint8_t> Drawing() const { return frameDocument().StoreDocument(); }
    CCutrixDoc& frameDocument() const { return const_cast<CMainFrame&>(frame).Document(); }

    void Run(std::uint32_t id) {
        frame.RunCommand(id);
        QApplication::processEvents();  // the manager reports its change by a posted message
    }
};

TEST_F(DrawingCommandHistoryTest, EachCommandIsOneUndoStepAndRedoBringsItBack) {
    constexpr std::uint32_t kTopLeft = 40026, kDataCenter = 32795, kGroup = 40021, kCopy = 57634;
    struct Case {
        const char* name;
        std::uint32_t id;
        std::vector<std::uint32_t> before;  // run first; the first of them changes the drawing
    };
    const Case cases[] = {
        {"Horz Mirror", 32792, {kTopLeft}},
        {"Vert Mirror", 32793, {kTopLeft}},
        {"Data Center", kDataCenter, {kTopLeft}},
        {"Arrange Left", 32796, {kTopLeft}},
        {"Arrange Right", 32797, {kTopLeft}},
        {"Arrange Top", 32798, {kTopLeft}},
        {"Arrange Bottom", 32799, {kTopLeft}},
        {"Arrange Horz Center", 32800, {kTopLeft}},
        {"Arrange Vert Center", 32801, {kTopLeft}},
        {"Arrange Page Center", 32802, {kTopLeft}},
        {"Arrange space horizontal", 40005, {kTopLeft}},
        {"Arrange space vertical", 40006, {kTopLeft}},
        {"Resize width", 40007, {kTopLeft}},
        {"Resize height", 40008, {kTopLeft}},
        {"Resize size", 40010, {kTopLeft}},
        {"Top left", kTopLeft, {kDataCenter}},
        {"Top right", 40027, {kTopLeft}},
        {"Bottom right", 40028, {kTopLeft}},
        {"Bottom left", 40030, {kTopLeft}},
        {"Group", kGroup, {kTopLeft}},
        {"Ungroup", 40022, {kGroup}},
        {"Delete", kDelete, {kTopLeft}},
        {"Cut", 57635, {kTopLeft}},
        {"Paste", 57637, {kTopLeft, kCopy}},
    };
    frame.resize(640, 480);
    frame.show();
    frame.View().grab();
    const std::filesystem::path file = WriteThreeSquares();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(frame.OpenDocumentFile(file));
        QCursor::setPos(
            frame.View().mapToGlobal(QPoint(frame.View().width() / 2, frame.View().height() / 2)));
        Run(kSelectAll);
        for (std::uint32_t id : c.before) {
            Run(id);
        }
        const std::vector<std::uint8_t> before = Drawing();
        Run(c.id);
        const std::vector<std::uint8_t> after = Drawing();
        ASSERT_NE(after, before) << "the command changed nothing";
        Run(57643);
        EXPECT_EQ(Drawing(), before);
        Run(57644);
        EXPECT_EQ(Drawing(), after);
    }
}

// The status bar once counted from the model's own corner while the rulers and the property bar counted
// from the origin corner: at one point the rulers read 271 and the status bar 929.890 on a 1200 mm page.
TEST_F(MainFrameTest, StatusBarPositionAgreesWithTheRulersForEveryOriginCorner) {
    frame.resize(900, 700);
    frame.show();
    frame.View().grab();
    RulerMapping marker;
    QObject::connect(&frame.View(), &CCutrixView::RulersChanged,
                     [&marker](int kind, const RulerMapping& mapping) {
                         if (kind == kRulerMoveMarker) {
                             marker = mapping;
                         }
                     });
    CCutrixView& view = frame.View();
    const QPoint points[] = {{20, 30}, {150, 90}, {260, 210}};
    for (std::uint16_t corner = 0; corner < 4; ++corner) {
        manager->originCorner = corner;
        for (const QPoint& point : points) {
            SCOPED_TRACE(testing::Message()
                         << "corner " << corner << " at " << point.x() << "," << point.y());
            QTest::mouseMove(&view, point);
            QApplication::processEvents();
            ASSERT_EQ(QPoint(marker.cursorX, marker.cursorY), point);
            // The rulers count along the direction their extent runs.
            const double rulerX =
                marker.originXMm + std::copysign(marker.cursorX / marker.pixelsPerMmX, marker.extentXMm);
            const double rulerY =
                marker.originYMm + std::copysign(marker.cursorY / marker.pixelsPerMmY, marker.extentYMm);
            double statusX = 0, statusY = 0;
            const std::string status = frame.StatusBarXP().PaneText(CMainFrame::kPositionPane).toStdString();
            ASSERT_EQ(std::sscanf(status.c_str(), "X:%lfmm,Y:%lfmm", &statusX, &statusY), 2) << status;
            EXPECT_NEAR(statusX, rulerX, 0.01);
            EXPECT_NEAR(statusY, rulerY, 0.01);
        }
    }
}

namespace {

// The running copy here, a second copy of the program started with a document: the document opens here
// as File > Open opens one, after the question about unsaved changes.
TEST_F(MainFrameTest, SecondCopyStartedWithADocumentHasTheRunningCopyOpenIt) {
    const std::filesystem::path runtime = TestFile("runtime-open");
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    const QString runtimeFolder = QString::fromStdString(runtime.string());
    InstanceChannel channel(InstallationId(cutrix::testing::TempHome()), runtimeFolder);
    ASSERT_EQ(channel.Claim(), InstanceChannel::Role::kFirst);
    QObject::connect(&channel, &InstanceChannel::openRequested,
                     [this](const QString& file) { frame.OpenFromAnotherCopy(file.toStdString()); });
    const std::filesystem::path squares = WriteThreeSquares();
    const std::filesystem::path two = TestFile("two.lcx");
    std::filesystem::copy_file(squares, two);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("CUTRIX_HOME"),
                       QString::fromStdString(cutrix::testing::TempHome().string()));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const auto startSecondCopy = [&](const std::filesystem::path& document) {
        QProcess second;
        second.setProcessEnvironment(environment);
        second.setWorkingDirectory(QString::fromStdString(document.parent_path().string()));
        second.start(QStringLiteral(CUTRIX_PROGRAM), {QString::fromStdString(document.filename().string())});
        EXPECT_TRUE(second.waitForFinished(30000));
        EXPECT_EQ(second.exitCode(), 0);
    };

    {
        // Unsaved changes: the question comes first, and a cancel keeps the drawing.
        ASSERT_TRUE(frame.OpenDocumentFile(squares));
        frame.Document().SetModifiedFlag();
        MessageTexts messages;
        startSecondCopy(two);
        QTRY_COMPARE_WITH_TIMEOUT(messages.texts.size(), std::size_t{1}, 10000);
        EXPECT_EQ(messages.texts[0], SaveQuestionText());
        EXPECT_TRUE(frame.windowTitle().contains(QStringLiteral("squares")));
    }
    frame.Document().SetModifiedFlag(false);
    startSecondCopy(two);
    QTRY_VERIFY_WITH_TIMEOUT(frame.windowTitle().contains(QStringLiteral("two")), 10000);
    EXPECT_EQ(frame.Document().GetPathName(), two);
}

}  // namespace

namespace {

// Keys as the window system hands them over, shortcuts and all.
void PressKey(QWidget& window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
              const QString& text = {}) {
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QWindowSystemInterface::handleKeyEvent(window.windowHandle(), type, key, modifiers, text);
    }
    QApplication::processEvents();
}

// After a value was typed into the property bar the keyboard stayed in the field, and the field took
// Ctrl+Z for its own empty history: the drawing's Undo never ran.
TEST_F(MainFrameTest, UndoKeysInAPropertyFieldUndoTheDrawingUnlessTheFieldHasTypingToUndo) {
    frame.resize(2400, 700);  // wide enough for every field of the bar to show
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    frame.View().grab();
    ASSERT_TRUE(frame.OpenDocumentFile(WriteThreeSquares()));
    frame.RunCommand(kSelectAll);
    QApplication::processEvents();
    const std::vector<std::uint8_t> before = frame.Document().StoreDocument();

    QLineEdit* angle = frame.PropertyBar().Edit(CPropertyBar::kAngleEdit);
    ASSERT_TRUE(angle->isEnabled());
    angle->setFocus();
    ASSERT_TRUE(angle->hasFocus());
    angle->selectAll();
    PressKey(frame, Qt::Key_4, Qt::NoModifier, QStringLiteral("4"));
    PressKey(frame, Qt::Key_5, Qt::NoModifier, QStringLiteral("5"));
    PressKey(frame, Qt::Key_Return);
    const std::vector<std::uint8_t> rotated = frame.Document().StoreDocument();
    ASSERT_NE(rotated, before);
    ASSERT_TRUE(angle->hasFocus());

    // Escape drops what was typed and hands the keyboard back to the drawing.
    PressKey(frame, Qt::Key_3, Qt::NoModifier, QStringLiteral("3"));
    PressKey(frame, Qt::Key_Escape);
    EXPECT_TRUE(frame.View().hasFocus());
    EXPECT_EQ(angle->text(), QStringLiteral("0"));
    EXPECT_EQ(frame.Document().StoreDocument(), rotated);
    angle->setFocus();

    // Typing of its own: the field undoes that, and the drawing stays.
    PressKey(frame, Qt::Key_7, Qt::NoModifier, QStringLiteral("7"));
    const QString typed = angle->text();
    PressKey(frame, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_NE(angle->text(), typed);
    EXPECT_EQ(frame.Document().StoreDocument(), rotated);

    PressKey(frame, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(frame.Document().StoreDocument(), before);
    PressKey(frame, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(frame.Document().StoreDocument(), rotated);
}

}  // namespace

namespace {

// Disabled commands showed their toolbar buttons enabled, and tooltips kept the old language until a
// restart.
TEST_F(MainFrameTest, ToolbarButtonsFollowTheirCommandsStateAndLanguage) {
    // The frame was made before the fixture wrote the texts: its tooltips are right only once a language
    // switch has relabelled them, which is what is checked.
    const auto checkButtons = [this](bool tooltips) {
        for (int which = 0; which < CMainToolBars::kBarCount; ++which) {
            for (QAction* button : frame.ToolBars().Bar(static_cast<CMainToolBars::Which>(which)).actions()) {
                const std::optional<int> id = platform::CommandId(*button);
                if (button->isSeparator() || !id) {
                    continue;
                }
                SCOPED_TRACE(*id);
                const QAction* command = frame.Action(static_cast<std::uint32_t>(*id));
                ASSERT_NE(command, nullptr);
                EXPECT_EQ(button->isEnabled(), command->isEnabled());
                const CommandEntry* entry = FindCommand(static_cast<std::uint32_t>(*id));
                if (tooltips) {
                    EXPECT_EQ(button->toolTip().toStdString(), CommandToolTip(std::string(entry->key)));
                }
            }
        }
    };
    frame.UpdateCommandUi();
    checkButtons(false);
    ASSERT_TRUE(frame.OpenDocumentFile(WriteThreeSquares()));
    frame.RunCommand(kSelectAll);
    checkButtons(false);
    frame.RunCommand(32898);  // Simplified Chinese
    checkButtons(true);
    frame.RunCommand(32900);  // English
    checkButtons(true);
}

// Disabled menu items said nothing in the status bar, although every command has its prompt.
TEST_F(MainFrameTest, DisabledMenuItemShowsItsStatusPrompt) {
    frame.resize(900, 600);
    frame.show();
    frame.RunCommand(32900);  // English: the menus were labelled before the fixture wrote the texts
    frame.UpdateCommandUi();
    QAction* remove = frame.Action(kDelete);
    ASSERT_FALSE(remove->isEnabled());
    QMenu* edit = nullptr;
    for (QObject* holder : remove->associatedObjects()) {
        edit = edit != nullptr ? edit : qobject_cast<QMenu*>(holder);
    }
    ASSERT_NE(edit, nullptr);
    edit->popup(frame.mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(edit));
    // From an enabled item to the disabled one: the menu's own clearing of the status bar, for the item
    // the pointer left, once wiped the prompt out.
    for (QAction* item : edit->actions()) {
        if (item->isEnabled() && !item->isSeparator() && item->menu() == nullptr) {
            QTest::mouseMove(edit, edit->actionGeometry(item).center());
            QApplication::processEvents();
            break;
        }
    }
    QTest::mouseMove(edit, edit->actionGeometry(remove).center());
    QApplication::processEvents();
    EXPECT_EQ(frame.statusBar()->currentMessage().toStdString(), CommandStatusPrompt("MU26"));
    edit->close();
}

}  // namespace
