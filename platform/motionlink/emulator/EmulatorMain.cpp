// motionlink-emulator: a controller on loopback for tests and for trying the program without a machine.
//
//   motionlink-emulator [--port N] [--bind ADDRESS] [--state FOLDER] [--serial] [--serial-link PATH]
//                       [--drop SHARE] [--corrupt SHARE] [--delay-share SHARE --delay-ms N] [--busy SHARE]
//                       [--mismatch] [--card-version N] [--time-scale FACTOR] [--seed N]
//                       [--keep-jobs FOLDER]
//
// It prints one line "ready udp=<port> serial=<device>" once it serves, and runs until SIGINT or SIGTERM.
#include "EmulatorServer.h"
#include "Numbers.h"

#include <csignal>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace {

using motionlink::emulator::EmulatorOptions;

constexpr char kUsage[] =
    "usage: motionlink-emulator [--port N] [--bind ADDRESS] [--state FOLDER] [--serial] [--serial-link "
    "PATH]\n"
    "       [--drop SHARE] [--corrupt SHARE] [--delay-share SHARE] [--delay-ms N] [--busy SHARE] "
    "[--mismatch]\n"
    "       [--card-version N] [--time-scale FACTOR] [--seed N] [--keep-jobs FOLDER]\n";

std::optional<double> Share(std::string_view text) {
    const std::optional<double> value = platform::ParseDouble(text);
    return value && *value >= 0 && *value <= 1 ? value : std::nullopt;
}

std::optional<std::int64_t> Whole(std::string_view text, std::int64_t highest) {
    const std::optional<std::int64_t> value = platform::ParseInt(text);
    return value && *value >= 0 && *value <= highest ? value : std::nullopt;
}

// Applies one option with a value; false when the value does not fit the option.
using ValueOption = std::function<bool(EmulatorOptions&, std::string_view)>;

const std::map<std::string_view, ValueOption>& ValueOptions() {
    static const std::map<std::string_view, ValueOption> options = {
        {"--port",
         [](EmulatorOptions& o, std::string_view v) {
             const auto port = Whole(v, 0xFFFF);
             return port && (o.udpPort = static_cast<std::uint16_t>(*port), true);
         }},
        {"--bind", [](EmulatorOptions& o, std::string_view v) { return o.bindAddress = v, true; }},
        {"--state",
         [](EmulatorOptions& o, std::string_view v) { return o.controller.stateFolder = v, true; }},
        {"--serial-link", [](EmulatorOptions& o, std::string_view v) { return o.serialLink = v, true; }},
        {"--keep-jobs",
         [](EmulatorOptions& o, std::string_view v) { return o.controller.keepJobsFolder = v, true; }},
        {"--drop",
         [](EmulatorOptions& o, std::string_view v) {
             const auto share = Share(v);
             return share && (o.faults.dropShare = *share, true);
         }},
        {"--corrupt",
         [](EmulatorOptions& o, std::string_view v) {
             const auto share = Share(v);
             return share && (o.faults.corruptShare = *share, true);
         }},
        {"--delay-share",
         [](EmulatorOptions& o, std::string_view v) {
             const auto share = Share(v);
             return share && (o.faults.delayShare = *share, true);
         }},
        {"--delay-ms",
         [](EmulatorOptions& o, std::string_view v) {
             const auto ms = Whole(v, 60000);
             return ms && (o.faults.delay = std::chrono::milliseconds(*ms), true);
         }},
        {"--busy",
         [](EmulatorOptions& o, std::string_view v) {
             const auto share = Share(v);
             return share && (o.controller.busyShare = *share, true);
         }},
        {"--card-version",
         [](EmulatorOptions& o, std::string_view v) {
             const auto version = Whole(v, 0xFFFFFFFF);
             return version && (o.controller.cardVersion = static_cast<std::uint32_t>(*version), true);
         }},
        {"--time-scale",
         [](EmulatorOptions& o, std::string_view v) {
             const auto factor = platform::ParseDouble(v);
             return factor && *factor > 0 && (o.controller.timeScale = *factor, true);
         }},
        {"--seed",
         [](EmulatorOptions& o, std::string_view v) {
             const auto seed = Whole(v, 0xFFFFFFFF);
             return seed && (o.faults.seed = o.controller.seed = static_cast<std::uint32_t>(*seed), true);
         }},
    };
    return options;
}

std::optional<EmulatorOptions> ParseArguments(int argc, char** argv) {
    EmulatorOptions options;
    options.controller.stateFolder = "motionlink-emulator-state";
    for (int at = 1; at < argc; ++at) {
        const std::string_view name = argv[at];
        if (name == "--serial") {
            options.serial = true;
        } else if (name == "--mismatch") {
            options.controller.reportMismatch = true;
        } else if (const auto option = ValueOptions().find(name);
                   option != ValueOptions().end() && at + 1 < argc) {
            if (!option->second(options, argv[++at])) {
                std::fprintf(stderr, "bad value for %s: %s\n", argv[at - 1], argv[at]);
                return std::nullopt;
            }
        } else {
            std::fputs(kUsage, stderr);
            return std::nullopt;
        }
    }
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<EmulatorOptions> options = ParseArguments(argc, argv);
    if (!options) {
        return 2;
    }
    // Block the stop signals before the serving thread starts, so that only sigwait below receives them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    std::string error;
    std::unique_ptr<motionlink::emulator::EmulatorServer> server =
        motionlink::emulator::EmulatorServer::Start(*options, error);
    if (!server) {
        std::fprintf(stderr, "motionlink-emulator: %s\n", error.c_str());
        return 1;
    }
    std::printf("ready udp=%u serial=%s\n", server->UdpPort(), server->SerialDevice().c_str());
    std::fflush(stdout);
    int received = 0;
    sigwait(&stopSignals, &received);
    server->Stop();
    return 0;
}
