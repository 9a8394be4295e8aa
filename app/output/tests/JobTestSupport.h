// Jobs written through the job writer into the test's program folder and read back: the decoded
// commands of the job reader, and the stored commands (for those the reader passes over) compared with
// what single job-writing calls store.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "AtomicFile.h"
#include "CadArray.h"
#include "CadBitmapLayer.h"
#include "CadCurve.h"
#include "CadMgr.h"
#include "CadPoint.h"
#include "CadVectorLayer.h"
#include "DataProcessDlg.h"
#include "JobBuilder.h"
#include "JobMemorySink.h"
#include "Jobscan.h"
#include "Motionlink.h"
#include "ProgramFolder.h"
#include "SettingsGlobals.h"
#include "SettingsRecords.h"

namespace joboutput::testing {

// One decoded command, as a table row.
struct Cmd {
    std::uint16_t kind;
    double a = 0.0;
    double b = 0.0;
    bool operator==(const Cmd& other) const {
        // The job carries micrometres, micrometres per second and microseconds.
        return kind == other.kind && std::fabs(a - other.a) < 1e-3 && std::fabs(b - other.b) < 1e-3;
    }
};

inline void PrintTo(const Cmd& cmd, std::ostream* out) {
    *out << "{" << cmd.kind << ", " << cmd.a << ", " << cmd.b << "}";
}

inline Cmd Move(double x, double y) {
    return {JobCommand::Move, x, y};
}
inline Cmd Cut(double x, double y) {
    return {JobCommand::Cut, x, y};
}
inline Cmd Dot(double seconds) {
    return {JobCommand::Delay, seconds};
}
inline Cmd Speed(double mmPerS) {
    return {JobCommand::Speed, mmPerS};
}

inline std::vector<Cmd> ReadJob(const std::filesystem::path& path) {
    CDbList<JobCommand> list;
    EXPECT_EQ(Zint_ReadZintFile(path.string().c_str(), &list, 0), 0);
    std::vector<Cmd> commands;
    for (auto* node = list.head->next; node != list.head; node = node->next) {
        commands.push_back({node->value.kind, node->value.a, node->value.b});
    }
    return commands;
}

inline std::vector<Cmd> OfKinds(const std::vector<Cmd>& commands,
                                std::initializer_list<std::uint16_t> kinds) {
    std::vector<Cmd> kept;
    for (const Cmd& cmd : commands) {
        if (std::find(kinds.begin(), kinds.end(), cmd.kind) != kinds.end()) {
            kept.push_back(cmd);
        }
    }
    return kept;
}

// Travel, cut lines and dots: what the head does.
inline std::vector<Cmd> Path(const std::vector<Cmd>& commands) {
    return OfKinds(commands, {JobCommand::Move, JobCommand::Cut, JobCommand::Delay});
}

using StoredCommand = std::vector<std::uint8_t>;

// The stored bytes split into commands: a command starts at every byte that Zint_UBCmd turns into an
// opcode (bit 7 set).
inline std::vector<StoredCommand> SplitCommands(const std::vector<std::uint8_t>& bytes) {
    std::vector<StoredCommand> commands;
    for (std::uint8_t byte : bytes) {
        std::uint8_t opcode = byte;
        Zint_UBCmd(&opcode);
        if ((opcode & 0x80) != 0 || commands.empty()) {
            commands.emplace_back();
        }
        commands.back().push_back(byte);
    }
    return commands;
}

inline std::vector<StoredCommand> StoredJob(const std::filesystem::path& path) {
    return SplitCommands(platform::ReadWholeFile(path).value_or(std::vector<std::uint8_t>{}));
}

// What one job-writing call stores, through a job of its own in memory.
inline StoredCommand StoredBy(const std::function<std::uint16_t()>& call) {
    motionlink::JobMemorySink sink;
    Zint_StrtWFile(&sink);
    EXPECT_EQ(call(), 0);
    std::vector<StoredCommand> commands = SplitCommands(sink.Bytes());
    EXPECT_EQ(commands.size(), 1u);
    return commands.empty() ? StoredCommand{} : commands.front();
}

inline int CountOf(const std::vector<StoredCommand>& job, const StoredCommand& command) {
    return static_cast<int>(std::count(job.begin(), job.end(), command));
}

// A drawing in the program's drawing manager and settings that make the job easy to read: no mirror,
// origin at the data box's centre, objects in drawing order, results to a file.
class JobFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        LanguageIndex = kLanguageEnglish;
        theCadMgr.DeleteAll();
        gGeneralSettings.xMirror = 0;
        gGeneralSettings.yMirror = 0;
        gGeneralSettings.laserHeadPosition = 4;
        gGeneralSettings.speedLimitOn = 0;
        gProcessCtrlSettings = ProcessCtrlSettings{};
        gProcessCtrlSettings.pathOptimise = 0;
        gOptimSettings = OptimSettings{};
        gOptimSettings.orderOfLayer = 1;
        gOutputOptions.rotateEngraveOn = 0;
        gOutputOptions.feedingOn = 0;
        gOutputOptions.reverseIntervalOn = 0;
        gOutputOptions.laser2OffsetOn = 0;
        gFileParaSettings.exportPrecision = 0.0;
        PenModeFlag = 0;
        JobDestinationFlag = 0;
    }
    void TearDown() override { theCadMgr.DeleteAll(); }

    template <typename Element>
    Element* Add(std::unique_ptr<Element> element, std::uint32_t color = 0) {
        element->color = color;
        Element* added = element.get();
        EXPECT_EQ(theCadMgr.AddElement(element.release()), 1);
        return added;
    }

    static CCadVectorLayer& VectorLayerOf(const CCadElement* element) {
        return *static_cast<CCadVectorLayer*>(element->layer);
    }

    // Writes the drawing's job to the file and returns the dialog's result (0 written).
    std::uint32_t WriteJob(const std::filesystem::path& path) {
        CDataProcessDlg dialog;
        dialog.filePath = path.string();
        dialog.threadHandle = true;
        CDataProcessDlg::WriteJobThread(&dialog);
        EXPECT_FALSE(dialog.threadHandle.load());
        return dialog.failed.load();
    }

    std::vector<Cmd> JobPath() {
        const std::filesystem::path path = JobFile();
        EXPECT_EQ(WriteJob(path), 0u);
        return Path(ReadJob(path));
    }

    static std::filesystem::path JobFile(const std::string& name = "job.zint") {
        return platform::ProgramFile(name);
    }
};

}  // namespace joboutput::testing
