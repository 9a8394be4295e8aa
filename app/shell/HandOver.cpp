// The hand-over import and the hand-over message.
#include "HandOver.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "Archive.h"
#include "AtomicFile.h"
#include "CadMgr.h"
#include "CutrixDoc.h"
#include "Filebridge.h"
#include "ImportRules.h"
#include "PlaceImportedData.h"
#include "SettingsGlobals.h"
#include "SettingsRecords.h"

namespace {

// "dest.tmp" is a kind, a count and four doubles per picture: far below this.
constexpr std::uintmax_t kMaxPlacementFileBytes = 1u << 22;

// Width, height and centre of an imported part, in mm.
struct Placement {
    double width = 0.0;
    double height = 0.0;
    double centreX = 0.0;
    double centreY = 0.0;

    bool IsUsable() const {
        return width > 0.0 && height > 0.0 && std::isfinite(width) && std::isfinite(height) &&
               std::isfinite(centreX) && std::isfinite(centreY);
    }
};

// Reads as far as the bytes go: a value the file lacks reads as 0.
class PlacementReader {
  public:
    explicit PlacementReader(std::vector<std::uint8_t> bytes)
        : archive_(platform::Archive::ForLoading(std::move(bytes))) {}

    std::uint16_t ReadU16() { return archive_.Remaining() >= 2 ? archive_.ReadU16() : 0; }
    double ReadDouble() { return archive_.Remaining() >= 8 ? archive_.ReadDouble() : 0.0; }
    Placement ReadPlacement() {
        Placement placement;
        placement.width = ReadDouble();
        placement.height = ReadDouble();
        placement.centreX = ReadDouble();
        placement.centreY = ReadDouble();
        return placement;
    }

  private:
    platform::Archive archive_;
};

std::optional<PlacementReader> OpenPlacementFile(const std::filesystem::path& file) {
    platform::LimitedRead read = platform::ReadWholeFileWithin(file, kMaxPlacementFileBytes);
    if (read.status != platform::ReadStatus::kRead) {
        return std::nullopt;
    }
    return PlacementReader(std::move(read.bytes));
}

void RemoveFile(const std::filesystem::path& file) {
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
}

void FreeRecords(CDbList<CFileDraw*>& records) {
    for (auto* node = records.head->next; node != records.head; node = node->next) {
        delete node->value;
    }
    records.RemoveAll();
}

// One run of the import: the options every file is read with, and the list the records arrive in.
class HandOverImport {
  public:
    HandOverImport(const std::filesystem::path& folder, CCadMgr& manager, HandOverFrame& frame,
                   platform::MessageSink& messages)
        : folder_(folder), manager_(manager), frame_(frame), messages_(messages) {
        precision_ = ClampedPltPrecision(gFileParaSettings);
        unitScale_ = ImportUnitScale(gFileParaSettings);
        for (int slot = 0; slot < CCadMgr::kLayerTableSize; ++slot) {
            colours_[static_cast<std::size_t>(slot)] = manager.vectorLayerTable[slot].commonParams.COM_Color;
        }
    }
    ~HandOverImport() { FreeRecords(records_); }
    HandOverImport(const HandOverImport&) = delete;
    HandOverImport& operator=(const HandOverImport&) = delete;

    void Run() {
        std::optional<PlacementReader> dest = OpenPlacementFile(File("dest.tmp"));
        if (!dest) {
            return;
        }
        const std::uint16_t kind = dest->ReadU16();
        if (kind == 0) {
            ImportPictures(*dest);
        } else if (kind == 1) {
            ImportDrawing();
        } else {
            ImportIllustration();
        }
    }

  private:
    std::filesystem::path File(const char* name) const { return folder_ / name; }

    // False, after the failure message, when the file cannot be imported.
    bool Import(const std::filesystem::path& file) {
        const short result = _file_ImportFile(
            file.c_str(), LanguageIndex, precision_, unitScale_, colours_.data(), manager_.drawColor,
            static_cast<std::int32_t>(gFileParaSettings.importDxfText), 1, &records_);
        if (result == 0) {
            return true;
        }
        messages_.ShowMessageBox(ImportRefusedText(LoadFailureText(), _file_LastImportFailure()), "",
                                 platform::kOk | platform::kIconWarning);
        return false;
    }

    void Place() {
        frame_.PlaceImportedData(records_, 1);
        FreeRecords(records_);
    }

    void PlaceAt(const Placement& placement) {
        manager_.ClearSelection();
        Place();
        if (placement.IsUsable()) {
            manager_.ScaleSelectionToSize(placement.centreX, placement.centreY, placement.width,
                                          placement.height);
        }
    }

    // Kind 0: pictures, each at its own place, optionally with a vector part; all end selected and
    // centred on the page as one block.
    void ImportPictures(PlacementReader& dest) {
        const std::uint16_t count = dest.ReadU16();
        std::vector<CCadElement*> pictures;
        for (int number = 1; number <= count; ++number) {
            const Placement placement = dest.ReadPlacement();
            const std::filesystem::path picture = folder_ / (std::to_string(number) + ".bmp");
            if (!Import(picture)) {
                RemoveFile(picture);
                RemoveFile(File("dest.tmp"));
                return;
            }
            RemoveFile(picture);
            PlaceAt(placement);
            if (manager_.selectionList.GetCount() == 1) {
                pictures.push_back(manager_.selectionList.head->next->value);
            }
        }
        if (count >= 1) {
            frame_.OnDataChanged();
        }
        RemoveFile(File("dest.tmp"));

        std::optional<PlacementReader> vectorPart = OpenPlacementFile(File("dest2.tmp"));
        if (!vectorPart) {
            manager_.CalcSelectionRect();
            manager_.CenterSelectionOnPage();
            return;
        }
        const Placement placement = vectorPart->ReadPlacement();
        RemoveFile(File("dest2.tmp"));
        frame_.SetLastImportedPath(File("zint.ai"));
        if (!Import(File("zint.ai"))) {
            return;
        }
        PlaceAt(placement);
        frame_.OnDataChanged();
        RemoveFile(File("zint.ai"));
        for (CCadElement* picture : pictures) {
            manager_.AddToSelection(picture);
        }
        manager_.CalcSelectionRect();
        manager_.CenterSelectionOnPage();
    }

    // Kind 1: a DXF drawing, which the exporter keeps.
    void ImportDrawing() {
        RemoveFile(File("dest.tmp"));
        frame_.SetLastImportedPath(File("zint.dxf"));
        if (!Import(File("zint.dxf"))) {
            return;
        }
        Place();
        frame_.OnDataChanged();
        manager_.CenterSelectionOnPage();
    }

    // Any other kind: an Illustrator-form drawing.
    void ImportIllustration() {
        RemoveFile(File("dest.tmp"));
        RemoveFile(File("temp-01.ai"));
        frame_.SetLastImportedPath(File("temp.ai"));
        if (!Import(File("temp.ai"))) {
            return;
        }
        RemoveFile(File("temp.ai"));
        manager_.ClearSelection();
        Place();
        frame_.OnDataChanged();
        manager_.CenterSelectionOnPage();
    }

    std::filesystem::path folder_;
    CCadMgr& manager_;
    HandOverFrame& frame_;
    platform::MessageSink& messages_;
    double precision_ = 0.0;
    double unitScale_ = 1.0;
    std::array<std::uint32_t, CCadMgr::kLayerTableSize> colours_{};
    CDbList<CFileDraw*> records_;
};

}  // namespace

double ClampedPltPrecision(const FileParaSettings& settings) {
    FileParaSettings copy = settings;
    return ClampPltPrecision(copy);
}

void ImportHandOverFiles(const std::filesystem::path& folder, CCadMgr& manager, HandOverFrame& frame,
                         platform::MessageSink& messages) {
    HandOverImport(folder, manager, frame, messages).Run();
}

void StartNewDocument(const std::filesystem::path& folder, CCutrixDoc& doc, HandOverFrame* frame,
                      platform::MessageSink& messages) {
    doc.ResetToNew();
    if (frame == nullptr) {
        return;
    }
    doc.Manager().DeleteAll();
    frame->OnDataChanged();
    ImportHandOverFiles(folder, doc.Manager(), *frame, messages);
}

HandOverOutcome OnHandOverMessage(const std::filesystem::path& folder, CCutrixDoc& doc, HandOverFrame& frame,
                                  platform::MessageSink& messages, SavePathChooser& chooser) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(folder / "dest.tmp", error)) {
        frame.BringToFront();
        return HandOverOutcome::kBroughtToFront;
    }
    if (!CanCloseFrame(doc, messages, chooser)) {
        return HandOverOutcome::kKept;
    }
    ClampPltPrecision(gFileParaSettings);
    doc.Manager().DeleteAll();
    frame.OnDataChanged();
    ImportHandOverFiles(folder, doc.Manager(), frame, messages);
    return HandOverOutcome::kImported;
}
