// What the designer's window tests share: a fixture with the widget application, recorded message
// boxes and a designer reset to its defaults with English texts, and the typing of an edit.
#pragma once

#include <filesystem>
#include <functional>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

#include "DialogControls.h"
#include "DialogMessages.h"
#include "LgpWindowTexts.h"
#include "RecordingMessageSink.h"
#include "WidgetTestApplication.h"

namespace dotplate::ui {
// The designer's windows are found and driven through the dialog kit.
using dialogkit::Find;
}  // namespace dotplate::ui

namespace dotplate::ui::testing {

using dialogkit::SetMessageSink;

class DesignerTest : public platform::WidgetTest {
  protected:
    DesignerTest() {
        SetMessageSink(&messages);
        LgpDesigner& designer = Designer();
        designer.BeginSession(2, 3, 4, nullptr);
        designer.config = LgpConfig{};
        designer.link = CLgpLink{};
        designer.frameSettings = LgpFrameSettings{};
        designer.texts.RemoveAll();
        designer.texts.LoadDefaultEng();
        designer.plate.MakeRectOutline(200, 200);
    }
    ~DesignerTest() override { SetMessageSink(nullptr); }

    // The texts of the message boxes shown so far.
    std::vector<std::string> Shown() const {
        std::vector<std::string> texts;
        for (const auto& box : messages.Shown()) {
            texts.push_back(box.text);
        }
        return texts;
    }

    platform::RecordingMessageSink messages;
};

// Types the text into the edit and leaves it, as the operator does.
inline QString Type(QWidget& window, int id, const QString& text) {
    auto* edit = Find<QLineEdit>(window, id);
    edit->setText(text);
    emit edit->editingFinished();
    return edit->text();
}

// Chooses the file in an open file chooser and accepts it. The chooser writes the chosen name into its
// name field only while that field has no focus, which the chooser may give it once shown.
inline void ChooseFile(QFileDialog& chooser, const std::filesystem::path& file) {
    if (QWidget* focused = chooser.focusWidget()) {
        focused->clearFocus();
    }
    chooser.selectFile(QString::fromStdString(file.string()));
    QMetaObject::invokeMethod(&chooser, "accept");
}

// Runs the action on every modal window that opens while `run` runs, polling every 20 ms.
inline void WhileModal(const std::function<void(QWidget&)>& act, const std::function<void()>& run) {
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            act(*modal);
        }
    });
    poll.start();
    run();
}

}  // namespace dotplate::ui::testing
