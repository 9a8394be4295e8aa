// Sets environment variables for a test's scope and puts the earlier values back when it ends.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace cutrix::testing {

class ScopedEnvironment {
  public:
    ScopedEnvironment() = default;
    ~ScopedEnvironment() {
        for (auto entry = saved_.rbegin(); entry != saved_.rend(); ++entry) {
            entry->second ? ::setenv(entry->first.c_str(), entry->second->c_str(), 1) : ::unsetenv(entry->first.c_str());
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    // A null value unsets the variable.
    ScopedEnvironment& Set(const char* name, const char* value) {
        const char* before = std::getenv(name);
        saved_.emplace_back(name, before != nullptr ? std::optional<std::string>(before) : std::nullopt);
        value != nullptr ? ::setenv(name, value, 1) : ::unsetenv(name);
        return *this;
    }

  private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace cutrix::testing
