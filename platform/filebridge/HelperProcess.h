// Runs one of the library's helper programs as a process of its own: the input on its standard input,
// its standard output collected, within a time limit and an output cap. A helper that crashes, hangs,
// floods its output or is missing costs the caller a failure with a reason, never its own process.
#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace filebridge {

struct HelperLimits {
    std::chrono::milliseconds timeout;  // from the start to the helper's exit; then it is killed
    std::size_t maxOutputBytes;
};

// The helper's standard output when it exits with status 0; otherwise nothing, with the reason in
// `failure`. The helper inherits the environment and standard error, and no other open descriptor.
std::optional<std::string> RunHelper(const std::filesystem::path& program, std::string_view input,
                                     const HelperLimits& limits, std::string& failure);

}  // namespace filebridge
