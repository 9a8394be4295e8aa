#include "TempHome.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace cutrix::testing {
namespace {

std::filesystem::path currentHome;

std::filesystem::path MakeFreshFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "cutrix-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary test folder");
    }
    return pattern;
}

// Creates the folder before each test and removes it after, whatever the test left in it.
class TempHomeListener : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        currentHome = MakeFreshFolder();
        setenv("CUTRIX_HOME", currentHome.c_str(), 1);
    }
    void OnTestEnd(const ::testing::TestInfo&) override {
        std::error_code ignored;
        std::filesystem::remove_all(currentHome, ignored);
        unsetenv("CUTRIX_HOME");
        currentHome.clear();
    }
};

}  // namespace

const std::filesystem::path& TempHome() {
    return currentHome;
}

void InstallTempHomeListener() {
    ::testing::UnitTest::GetInstance()->listeners().Append(new TempHomeListener);
}

}  // namespace cutrix::testing
