// Start-up: from starting the program's process to its first idle moment with the main window shown,
// with the controller emulator answering the start-up worker, beside the same for a Qt program that only
// shows a maximised main window with a menu. Both report through the start-up probe and end at once.
// The time reported is the program's; "ratio" is the program's time over the minimal window's.
//
// The window goes to an X server of the benchmark's own (Xvfb) when there is one, else offscreen.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "ChildProcess.h"
#include "ConnectSetting.h"
#include "SettingsFiles.h"

namespace {

using Clock = std::chrono::steady_clock;

// A sanitizer build on a busy machine may take this long to show its window.
constexpr std::chrono::seconds kReportTimeout{60};
constexpr std::string_view kProbeLabel = "startup-to-idle-ms ";

std::filesystem::path MakeFolder(const char* name) {
    std::string pattern = (std::filesystem::temp_directory_path() / name).string() + "-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make " + pattern);
    }
    return pattern;
}

bool IsProgram(const std::filesystem::path& file) {
    return access(file.c_str(), X_OK) == 0;
}

std::optional<std::filesystem::path> FindXvfb() {
    for (const char* folder : {"/usr/bin", "/usr/local/bin"}) {
        const std::filesystem::path candidate = std::filesystem::path(folder) / "Xvfb";
        if (IsProgram(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

// The emulator, the display and a program folder that reaches the emulator, for every run.
class StartupScene {
  public:
    StartupScene() : home_(MakeFolder("cutrix-startup-bench")) {
        setenv("CUTRIX_HOME", (home_ / "home").c_str(), 1);
        setenv("XDG_RUNTIME_DIR", (home_ / "run").c_str(), 1);
        setenv("CUTRIX_HANDOVER", (home_ / "handover").c_str(), 1);
        for (const char* folder : {"home", "run", "handover"}) {
            std::filesystem::create_directories(home_ / folder);
        }
        std::filesystem::permissions(home_ / "run", std::filesystem::perms::owner_all);
        StartEmulator();
        PointTheProgramAtTheEmulator();
        StartDisplay();
    }

    ~StartupScene() {
        display_.reset();
        emulator_.reset();
        std::filesystem::remove_all(home_);
    }

    const std::string& DisplayKind() const { return displayKind_; }

  private:
    void StartEmulator() {
        emulator_ = std::make_unique<ChildProcess>(std::vector<std::string>{
            MOTIONLINK_EMULATOR_PROGRAM, "--port", "0", "--state", (home_ / "emulator").string()});
        const std::optional<std::string> ready = emulator_->ReadLine(kReportTimeout);
        const std::size_t at = ready ? ready->find("udp=") : std::string::npos;
        if (at == std::string::npos) {
            throw std::runtime_error("the emulator did not report its port");
        }
        setenv("CUTRIX_MOTIONLINK_PORT", std::to_string(std::stoi(ready->substr(at + 4))).c_str(), 1);
    }

    // The connection settings of the program folder name the emulator's address.
    static void PointTheProgramAtTheEmulator() {
        RegisterConnectSettingSerializer();
        LoadAllSettings();
        ConnectSetting.kind = CConnectSetting::kKindNetwork;
        ConnectSetting.defaultAddress = {127, 0, 0, 1};
        SaveAllSettings();
    }

    void StartDisplay() {
        const std::optional<std::filesystem::path> xvfb = FindXvfb();
        if (!xvfb) {
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
            displayKind_ = "offscreen";
            return;
        }
        display_ = std::make_unique<ChildProcess>(std::vector<std::string>{
            xvfb->string(), "-displayfd", "1", "-screen", "0", "1920x1080x24", "-nolisten", "tcp"});
        const std::optional<std::string> number = display_->ReadLine(kReportTimeout);
        if (!number) {
            throw std::runtime_error("Xvfb did not report its display");
        }
        setenv("DISPLAY", (":" + *number).c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        displayKind_ = "Xvfb";
    }

    std::filesystem::path home_;
    std::unique_ptr<ChildProcess> emulator_;
    std::unique_ptr<ChildProcess> display_;
    std::string displayKind_;
};

StartupScene& Scene() {
    static StartupScene scene;
    return scene;
}

struct StartupTimes {
    double processMs;  // from the spawn to the report, as the user waits
    double probeMs;    // as the program measured it, from its main
};

StartupTimes StartAndWaitForIdle(const char* program) {
    setenv("CUTRIX_STARTUP_PROBE", "1", 1);
    const Clock::time_point started = Clock::now();
    ChildProcess process({program});
    std::optional<std::string> line;
    while ((line = process.ReadLine(kReportTimeout)) && !line->starts_with(kProbeLabel)) {
    }
    const double processMs = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
    if (!line || process.Wait() != 0) {
        throw std::runtime_error(std::string(program) + " did not report its start-up");
    }
    return {processMs, std::stod(line->substr(kProbeLabel.size()))};
}

// Each iteration starts the minimal window and then the program, so that both meet the same load on the
// machine; the time is the program's, the minimal window's and the ratio are counters.
void BM_StartupToIdleBesideMinimalWindow(benchmark::State& state) {
    state.SetLabel(Scene().DisplayKind());
    // The first starts seed the program folder and warm the file cache.
    StartAndWaitForIdle(MINIMAL_WINDOW_PROGRAM);
    StartAndWaitForIdle(CUTRIX_PROGRAM);
    double cutrixTotalMs = 0;
    double minimalTotalMs = 0;
    double probeTotalMs = 0;
    for (auto _ : state) {
        minimalTotalMs += StartAndWaitForIdle(MINIMAL_WINDOW_PROGRAM).processMs;
        const StartupTimes cutrix = StartAndWaitForIdle(CUTRIX_PROGRAM);
        state.SetIterationTime(cutrix.processMs / 1000.0);
        cutrixTotalMs += cutrix.processMs;
        probeTotalMs += cutrix.probeMs;
    }
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["in-process-ms"] = probeTotalMs / iterations;
    state.counters["minimal-window-ms"] = minimalTotalMs / iterations;
    state.counters["ratio"] = cutrixTotalMs / minimalTotalMs;
}
BENCHMARK(BM_StartupToIdleBesideMinimalWindow)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(10);

}  // namespace
