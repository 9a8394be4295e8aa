// The main window's commands as the families registered them: every row has one handler or waits among
// the later commands, and every handler that is enabled runs on a small drawing without a window left
// open or a crash.
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QMessageBox>
#include <QTimer>

#include <memory>
#include <set>

#include "CadCurve.h"
#include "CadMgr.h"
#include "GeometryTestHelpers.h"
#include "ImportDialog.h"
#include "LanguageTexts.h"
#include "MainFrame.h"
#include "SaneTestDevice.h"
#include "SettingsGlobals.h"
#include "ShellCommands.h"
#include "TempHome.h"
#include "UndoStore.h"
#include "WidgetTestApplication.h"

namespace {

TEST(ShellCommandsTest, EveryCommandHasOneHandlerOrWaitsAmongTheLaterCommands) {
    const CommandRegistry registry = ShellCommandRegistry();
    for (const CommandEntry& command : registry.Entries()) {
        EXPECT_NE(command.handler != nullptr, IsLaterCommand(command.id)) << command.id;
    }
    for (std::uint32_t id : LaterCommands()) {
        if (const CommandEntry* command = registry.Find(id)) {
            EXPECT_EQ(command->handler, nullptr) << id;
        }
    }
}

// Closes each modal window a command opens: message boxes and file choosers, About, the scanner's.
class ModalCloser {
  public:
    ModalCloser() {
        QObject::connect(&timer_, &QTimer::timeout, [] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                box->close();
            } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                dialog->reject();
            }
        });
        timer_.start(10);
    }

  private:
    QTimer timer_;
};

class ShellCommandsRunTest : public platform::WidgetTest {
  protected:
    ShellCommandsRunTest() {
        LanguageIndex = kLanguageEnglish;
        WriteDefaultTexts();
        CUndoStore::Init();
    }
    ~ShellCommandsRunTest() override {
        filebridge::SetFileChooser({});
        LanguageIndex = kLanguageEnglish;
    }

    static void AddSquare(CCadMgr& drawing, double x, double y, double size) {
        auto curve = std::make_unique<CCadCurve>();
        cutrix::testing::AddPolyline(curve->pathList,
                                     {{x, y}, {x + size, y}, {x + size, y + size}, {x, y + size}}, true);
        curve->closed = 1;
        curve->CalRect();
        ASSERT_EQ(drawing.AddElement(curve.release()), 1);
    }

    std::filesystem::path WriteLineDxf() const {
        const std::filesystem::path file = cutrix::testing::TempHome() / "line.dxf";
        QFile dxf(QString::fromStdString(file.string()));
        EXPECT_TRUE(dxf.open(QIODevice::WriteOnly));
        dxf.write(
            "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n0.0\n20\n0.0\n11\n50.0\n21\n0."
            "0\n0\nENDSEC\n0\nEOF\n");
        return file;
    }

    std::unique_ptr<CCadMgr> manager = std::make_unique<CCadMgr>();
    CMainFrame frame{*manager};
};

// Enabled whenever a few elements are selected and the select tool is on.
bool EnabledWithASelection(const CommandEntry& command) {
    switch (command.enable) {
        case EnableRule::kDefault:
        case EnableRule::kAlways:
        case EnableRule::kTool:
        case EnableRule::kSelection:
        case EnableRule::kTwoSelected:
        case EnableRule::kHasElements:
            return true;
        default:
            return false;
    }
}

TEST_F(ShellCommandsRunTest, EveryEnabledHandlerRunsOnceOnASmallDrawing) {
    cutrix::testing::UseSaneTestDevice({.devices = 0});
    const std::filesystem::path drawing = WriteLineDxf();
    filebridge::SetFileChooser([&drawing](const std::string&, const std::string&) {
        return std::optional<std::string>(drawing.string());
    });
    frame.resize(640, 480);
    frame.View().grab();  // the first paint makes the view the manager's owner
    AddSquare(*manager, 0, 0, 10);
    AddSquare(*manager, 20, 0, 5);
    AddSquare(*manager, 40, 10, 7);
    // A document with a name and a recent file: Save writes without a chooser, the recent item is live.
    const std::filesystem::path document = cutrix::testing::TempHome() / "small.lcx";
    ASSERT_TRUE(frame.Document().SaveDocument(document));
    ASSERT_TRUE(frame.OpenDocumentFile(document));

    ModalCloser closer;
    std::set<std::uint32_t> ran;
    for (const CommandEntry& command : frame.Commands().Entries()) {
        SCOPED_TRACE(command.id);
        if (manager->elementList.count == 0) {  // Cut and Delete take what is selected
            AddSquare(*manager, 0, 0, 10);
            AddSquare(*manager, 20, 0, 5);
        }
        manager->SelectAll();
        frame.SetToolMode(0x4001);
        frame.UpdateCommandUi();
        QAction* action = frame.Action(command.id);
        if (command.handler == nullptr || action == nullptr || !action->isEnabled()) {
            continue;
        }
        ran.insert(command.id);
        frame.RunCommand(command.id);
        QApplication::processEvents();
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
    for (const CommandEntry& command : frame.Commands().Entries()) {
        if (command.handler != nullptr && EnabledWithASelection(command)) {
            EXPECT_TRUE(ran.contains(command.id)) << command.id << " was not enabled";
        }
    }
    EXPECT_TRUE(ran.contains(57643));  // the changes made Undo available
    EXPECT_FALSE(frame.View().grab().toImage().isNull());
}

}  // namespace
