// Gives every test its own empty program folder, so that tests never see each other's files
// nor the user's real settings.
#pragma once

#include <filesystem>

namespace cutrix::testing {

// The folder made for the running test; $CUTRIX_HOME points at it while the test runs.
const std::filesystem::path& TempHome();

}  // namespace cutrix::testing
