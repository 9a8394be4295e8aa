#include "LgpDesigner.h"

namespace dotplate {

LgpDesigner& LgpDesigner::Instance() {
    static LgpDesigner designer;
    return designer;
}

void LgpDesigner::BeginSession(std::uint16_t language, std::uint16_t corner, std::uint16_t head,
                               const CDbList<ReverseIntervalRow>* rows) {
    plate.ClearAll();
    reverseIntervals.clear();
    if (rows != nullptr && rows->head != nullptr) {
        for (auto* node = rows->head->next; node != rows->head; node = node->next) {
            reverseIntervals.push_back(node->value);
        }
    }
    languageIndex = language;
    originCorner = corner;
    headPosition = head;
}

void LgpDesigner::OpenSession(const std::filesystem::path& programFolder) {
    if (programFolder.empty()) {
        return;
    }
    LoadLanguage(texts, programFolder, languageIndex);
    const std::filesystem::path configFile = programFolder / kConfigFileName;
    if (!LoadConfigFile(configFile, config)) {
        SaveConfigFile(configFile, config);
    }
    plate.MakeRectOutline(config.shape.plateWidth, config.shape.plateHeight);
}

bool LgpDesigner::CloseSession(const std::filesystem::path& programFolder) const {
    return !programFolder.empty() && SaveConfigFile(programFolder / kConfigFileName, config);
}

LgpDotJob LgpDesigner::MakeDotJob() const {
    LgpDotJob job;
    job.plate = &plate;
    job.outlines = config.shape.applyToOutline != 0 && !plate.edgeOutlines.empty() ? &plate.edgeOutlines
                                                                                    : &plate.plateOutlines;
    job.laser = config.laser;
    job.frame = LgpJobFrame::For(plate.extent, originCorner, headPosition);
    job.reverseIntervals = SortedBySpeed(reverseIntervals);
    return job;
}

}  // namespace dotplate
