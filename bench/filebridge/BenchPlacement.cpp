#include "BenchPlacement.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "CadMgr.h"
#include "FakeCanvas.h"
#include "Filebridge.h"
#include "ImportStaging.h"
#include "PlaceImportedData.h"
#include "PlaceOnPage.h"
#include "RecordingMessageSink.h"
#include "SettingsRecords.h"

namespace bench {

void ImportUntilShown(benchmark::State& state, const std::string& path) {
    platform::FakeCanvas canvas({0, 0, 1920, 1080});
    const std::array<std::uint32_t, 256> colours{};
    std::size_t elements = 0;
    for (auto _ : state) {
        auto manager = std::make_unique<CCadMgr>();
        manager->SetOwnerHwnd(&canvas);
        CImportStaging staging;
        FileParaSettings settings;
        platform::RecordingMessageSink messages;
        CDbList<CFileDraw*> records;
        if (_file_ImportFile(path.c_str(), 1, 1016.0, 1.0, colours.data(), 0, 0, 1, &records) != 0) {
            state.SkipWithError("import failed");
            break;
        }
        ImportPlacement placement{*manager, staging, settings, 0, messages};
        manager->ClearSelection();
        if (PlaceImportedData(records, 1, placement) == 0) {
            state.SkipWithError("nothing placed");
            break;
        }
        CentreSelectionAndZoom(*manager);
        state.PauseTiming();
        elements = static_cast<std::size_t>(manager->elementList.GetCount());
        manager->SetOwnerHwnd(nullptr);
        manager.reset();
        state.ResumeTiming();
    }
    state.counters["elements"] = static_cast<double>(elements);
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(path)) / (1024 * 1024);
}

void ImportRecords(benchmark::State& state, const std::string& path) {
    const std::array<std::uint32_t, 256> colours{};
    std::size_t records = 0;
    for (auto _ : state) {
        CDbList<CFileDraw*> list;
        if (_file_ImportFile(path.c_str(), 1, 1016.0, 1.0, colours.data(), 0, 0, 1, &list) != 0) {
            state.SkipWithError("import failed");
        }
        state.PauseTiming();
        records = static_cast<std::size_t>(list.GetCount());
        for (auto* node = list.head->next; node != list.head; node = node->next) {
            delete node->value;
        }
        list.RemoveAll();
        state.ResumeTiming();
    }
    state.counters["records"] = static_cast<double>(records);
}

void PlainRead(benchmark::State& state, const std::string& path) {
    const std::size_t size = std::filesystem::file_size(path);
    for (auto _ : state) {
        std::vector<char> bytes(size);
        std::FILE* file = std::fopen(path.c_str(), "rb");
        benchmark::DoNotOptimize(std::fread(bytes.data(), 1, size, file));
        std::fclose(file);
    }
}

}  // namespace bench
