#include "MainFrame.h"

#include <qpa/qwindowsysteminterface.h>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <memory>
#include <thread>

#include "CadCurve.h"
#include "CadMgr.h"
#include "CutrixView.h"
#include "GeometryTestHelpers.h"
#include "InstanceChannel.h"
#include "LanguageTexts.h"
#include "MetafileConverter.h"
#include "SettingsGlobals.h"
#include "TempHome.h"
#include "UndoStore.h"
#include "WidgetTestApplication.h"

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
