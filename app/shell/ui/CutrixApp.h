// CCutrixApp: the program's start-up, single instance and shutdown. One copy runs per user and
// installation; a second start hands the running copy the hand-over files and ends.
#pragma once

#include <chrono>

class CCutrixApp {
  public:
    // `started` is when the process began, for the start-up probe.
    explicit CCutrixApp(std::chrono::steady_clock::time_point started) : started_(started) {}

    // Runs the program and returns its exit code: 0 at once for a second copy.
    int Run(int argc, char** argv);

  private:
    std::chrono::steady_clock::time_point started_;
};
