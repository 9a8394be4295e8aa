#include "ControllerProbe.h"

#include "SharedLink.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace {

// Probes in flight at once: enough that 256 silent hosts take a handful of deadlines.
constexpr std::size_t kProbesAtOnce = 64;

std::uint32_t ProgramCardVersion() {
    motionlink::link::SharedLink& link = motionlink::link::TheSharedLink();
    std::lock_guard guard(link.lock);
    return link.cardVersion;
}

bool Probe(const motionlink::link::ConnectionTarget& target, std::uint32_t cardVersion) {
    motionlink::link::LinkTiming timing;
    timing.deadline = kProbeGreetingDeadline;
    motionlink::link::ControllerConnection connection;
    const bool answered = connection.Open(target, cardVersion, timing) == motionlink::kLinkOk;
    connection.Close();
    return answered;
}

}  // namespace

std::vector<bool> ProbeControllers(const std::vector<motionlink::link::ConnectionTarget>& targets) {
    const std::uint32_t cardVersion = ProgramCardVersion();
    // Plain bytes, one per target, each written by exactly one probe: no two threads share an element.
    std::vector<char> answered(targets.size(), 0);
    std::atomic<std::size_t> next{0};
    {
        std::vector<std::jthread> probes;
        const std::size_t threads = std::min(kProbesAtOnce, targets.size());
        for (std::size_t thread = 0; thread < threads; ++thread) {
            probes.emplace_back([&] {
                for (std::size_t at = next++; at < targets.size(); at = next++) {
                    answered[at] = Probe(targets[at], cardVersion) ? 1 : 0;
                }
            });
        }
    }
    return std::vector<bool>(answered.begin(), answered.end());
}
