// A program that a benchmark starts and reads: its standard output comes through a pipe, line by line,
// and the process is ended and reaped when the object goes.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

class ChildProcess {
  public:
    // Starts the program with the arguments (the program's path first) in this process's environment.
    explicit ChildProcess(const std::vector<std::string>& arguments);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool IsRunning() const { return pid_ > 0; }
    // The next line of output, without its newline; nothing when none came in time or the output ended.
    std::optional<std::string> ReadLine(std::chrono::milliseconds timeout);
    // Waits for the program to end; its exit status, or -1 when it did not exit normally.
    int Wait();
    // Asks the program to end (SIGTERM) and waits for it.
    void Stop();

  private:
    pid_t pid_ = -1;
    int output_ = -1;
    std::string pending_;
};
