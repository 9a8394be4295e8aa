// Job files for the transfer boxes' tests, in the test's program folder.
#pragma once

#include "AtomicFile.h"
#include "ProgramFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace joboutput::testing {

inline std::filesystem::path WriteTestFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::filesystem::path path = platform::ProgramFile(name);
    EXPECT_TRUE(platform::WriteFileAtomically(path, bytes));
    return path;
}

inline std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path) {
    return platform::ReadWholeFile(path).value_or(std::vector<std::uint8_t>{});
}

}  // namespace joboutput::testing
