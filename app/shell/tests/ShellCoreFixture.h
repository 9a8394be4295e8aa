// A drawing manager of its own for each test, English texts, a recording message sink and a scratch
// folder under the test's own $CUTRIX_HOME.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "CadMgr.h"
#include "ElementBuilders.h"
#include "LanguageTexts.h"
#include "RecordingMessageSink.h"
#include "SettingsGlobals.h"

class ShellCoreFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        LanguageIndex = kLanguageEnglish;
        WriteDefaultTexts();
        const char* home = std::getenv("CUTRIX_HOME");
        folder_ = std::filesystem::path(home != nullptr ? home : ::testing::TempDir()) / "shellcore";
        std::filesystem::create_directories(folder_);
    }

    std::filesystem::path File(const std::string& name) const { return folder_ / name; }

    std::vector<std::string> ShownTexts() const {
        std::vector<std::string> texts;
        for (const platform::ShownMessageBox& shown : messages.Shown()) {
            texts.push_back(shown.text);
        }
        return texts;
    }

    // 512 layers: too large for the stack.
    std::unique_ptr<CCadMgr> manager = std::make_unique<CCadMgr>();
    platform::RecordingMessageSink messages;

  private:
    std::filesystem::path folder_;
};
