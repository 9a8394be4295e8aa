#include "RecordingMessageSink.h"

#include <gtest/gtest.h>

#include <thread>

using namespace platform;

TEST(RecordingMessageSink, KeepsPostedMessagesInOrderFromAnyThread) {
    RecordingMessageSink sink;
    std::thread worker([&] { sink.PostMessage(kUserMessage + 1002, 0, 0); });
    worker.join();
    sink.PostMessage(kUserMessage + 1003, 1, -1);
    const std::vector<PostedMessage> expected = {{kUserMessage + 1002, 0, 0}, {kUserMessage + 1003, 1, -1}};
    EXPECT_EQ(sink.Posted(), expected);
}

TEST(RecordingMessageSink, AnswersMessageBoxesFromItsScriptThenWithTheDefaultButton) {
    RecordingMessageSink sink;
    sink.ScriptAnswers({kResultNo});
    EXPECT_EQ(sink.ShowMessageBox("Save changes?", "Cutrix", kYesNoCancel | kIconQuestion), kResultNo);
    EXPECT_EQ(sink.ShowMessageBox("Save changes?", "Cutrix", kYesNoCancel), kResultYes);
    EXPECT_EQ(sink.ShowMessageBox("Done", "Cutrix", kOk), kResultOk);
    ASSERT_EQ(sink.Shown().size(), 3u);
    EXPECT_EQ(sink.Shown()[0].text, "Save changes?");
    EXPECT_EQ(sink.Shown()[0].style, kYesNoCancel | kIconQuestion);
}

TEST(NullMessageSink, PressesTheDefaultButton) {
    NullMessageSink sink;
    EXPECT_EQ(sink.ShowMessageBox("Overwrite?", "", kYesNo), kResultYes);
    EXPECT_EQ(sink.ShowMessageBox("Error", "", kOkCancel | kIconError), kResultOk);
}
