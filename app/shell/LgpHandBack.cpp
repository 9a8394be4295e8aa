#include "LgpHandBack.h"

#include <cstdio>
#include <memory>
#include <system_error>
#include <vector>

#include "CadCurve.h"
#include "LanguageTexts.h"
#include "ZintDataFile.h"

namespace {

struct LoadedCurve {
    std::uint32_t colour = 0;
    CDbList<CFileLine> segments;
};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// One group: its count, then that many curves; empty curves are skipped. False when the file ends
// before the group does, so that a count the file does not hold fails at the file's end.
bool LoadGroup(std::FILE* file, std::vector<LoadedCurve>& curves) {
    std::uint32_t count = 0;
    if (_file_ZintData_Load(file, &count, sizeof count) != 0) {
        return false;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        LoadedCurve curve;
        if (_file_ZintData_LoadCurve(file, &curve.segments, &curve.colour) != 0) {
            return false;
        }
        if (curve.segments.IsEmpty() == 0) {
            curves.push_back(std::move(curve));
        }
    }
    return true;
}

void AddCurves(CCadMgr& manager, std::vector<LoadedCurve>& curves, bool close, double closeErrorMm) {
    for (LoadedCurve& loaded : curves) {
        auto curve = std::make_unique<CCadCurve>();
        curve->color = loaded.colour;
        curve->pathList = std::move(loaded.segments);
        curve->CalRect();
        if (close) {
            curve->AutoClose(closeErrorMm, 0);
        }
        CCadCurve* added = curve.get();
        if (manager.AddElement(curve.release()) == 1) {
            manager.AddToSelection(added);
        } else {
            delete added;
        }
    }
}

}  // namespace

int PlaceLgpDesign(const std::filesystem::path& file, CCadMgr& manager, double closeErrorMm,
                   platform::MessageSink& messages) {
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(file, ignored)) {
        return 0;
    }
    std::unique_ptr<std::FILE, FileCloser> stream(std::fopen(file.c_str(), "rb"));
    if (stream == nullptr) {
        return 0;
    }
    std::vector<LoadedCurve> dots, outlines;
    const bool whole = LoadGroup(stream.get(), dots) && LoadGroup(stream.get(), outlines);
    stream.reset();
    std::filesystem::remove(file, ignored);
    if (!whole) {
        messages.ShowMessageBox(GetLangText("Prompt", "3"), "", platform::kOk | platform::kIconWarning);
        return 0;
    }
    manager.ClearSelection();
    AddCurves(manager, dots, false, closeErrorMm);
    AddCurves(manager, outlines, true, closeErrorMm);
    manager.RenumberElements();
    manager.CenterSelectionOnPage();
    return static_cast<int>(dots.size() + outlines.size());
}
