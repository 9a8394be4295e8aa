// CFrameTwain: the main window's scanner session. It asks for the device (when there is more than one)
// and the scan settings in the window's own dialogs, and keeps each page the transfer hands over until
// the window's thread takes it.
#pragma once

#include <mutex>
#include <vector>

#include "Twain.h"

class QWidget;

class CFrameTwain : public CTwain {
  public:
    explicit CFrameTwain(QWidget* window, std::string libraryName = platform::SaneLibrary::kDefaultName);

    // Called on the transfer's thread.
    void OnNativeImage(platform::DibBlock picture, const ScanImageInfo& info) override;
    // The pages handed over since the last call, in order.
    std::vector<platform::DibBlock> TakePages();

  protected:
    std::optional<std::size_t> ChooseSource(const std::vector<platform::ScanDevice>& devices) override;
    bool ChooseSettings(platform::ScanSettings& settings) override;

  private:
    QWidget* window_;
    std::mutex pagesLock_;
    std::vector<platform::DibBlock> pages_;
};
