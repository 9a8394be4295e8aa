// The document page's window stand-in for tests: it keeps every box the page shows, in order, and
// answers the file choosers and the name question from what the test set beforehand.
#pragma once

#include "DlgFileMgrUi.h"

#include <optional>
#include <string>
#include <vector>

class RecordingDlgFileMgrUi final : public DlgFileMgrUi {
  public:
    enum class Box { kPage, kApplication };
    struct Shown {
        Box box;
        std::string text;
        bool operator==(const Shown&) const = default;
    };

    RecordingDlgFileMgrUi() : pageSink_(*this) {}

    platform::MessageSink& PageMessages() override { return pageSink_; }
    void ShowApplicationMessage(const std::string& text) override;
    std::optional<std::string> ChooseFileToDownload() override;
    std::optional<std::string> ChooseFileToUpload() override;
    std::optional<std::string> AskDocumentName(const std::string& proposed) override;

    // The answers; nothing stands for Cancel. Each question is answered with its value every time.
    std::optional<std::string> fileToDownload;
    std::optional<std::string> fileToUpload;
    std::optional<std::string> documentName;

    std::vector<Shown> shown;
    // The names the name question was started on, one per question.
    std::vector<std::string> proposedNames;

  private:
    class PageSink final : public platform::MessageSink {
      public:
        explicit PageSink(RecordingDlgFileMgrUi& owner) : owner_(owner) {}
        void PostMessage(std::uint32_t, std::uintptr_t, std::intptr_t) override {}
        int ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style) override;

      private:
        RecordingDlgFileMgrUi& owner_;
    };
    PageSink pageSink_;
};
