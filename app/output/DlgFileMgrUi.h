// What the controller document page asks of its window: where its message boxes go, the job file
// choosers and the document name question. The page's operations are headless over this.
#pragma once

#include "MessageSink.h"

#include <optional>
#include <string>

class DlgFileMgrUi {
  public:
    virtual ~DlgFileMgrUi() = default;

    // The page's own boxes (empty caption, OK button), and the boxes of the checks the page calls on
    // the way: the connection, the document name and the chosen file.
    virtual platform::MessageSink& PageMessages() = 0;
    // The program's box, under the program's title: how a transfer or a name read ended.
    virtual void ShowApplicationMessage(const std::string& text) = 0;

    // The job file to store in the controller ("Open", existing *.zint); nothing when not chosen.
    virtual std::optional<std::string> ChooseFileToDownload() = 0;
    // The job file to copy a document into ("Save as", *.zint); nothing when not chosen.
    virtual std::optional<std::string> ChooseFileToUpload() = 0;
    // The document name dialog started on `proposed`: the name it accepted, nothing on Cancel.
    virtual std::optional<std::string> AskDocumentName(const std::string& proposed) = 0;
};
