#include "HelperProcess.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

extern char** environ;

namespace filebridge {

namespace {

using Clock = std::chrono::steady_clock;

class Descriptor {
  public:
    explicit Descriptor(int descriptor) : descriptor_(descriptor) {}
    ~Descriptor() { Close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int Get() const { return descriptor_; }
    void Close() {
        if (descriptor_ >= 0) {
            ::close(std::exchange(descriptor_, -1));
        }
    }

  private:
    int descriptor_;
};

// A started helper: killed and reaped when it is left before it has ended, so that no path leaves a
// running or unreaped process behind.
class Child {
  public:
    explicit Child(pid_t pid) : pid_(pid) {}
    ~Child() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            int status = 0;
            Reap(0, status);
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    // Waits for the helper's end until `deadline`: true with its wait status, false when it still runs
    // then or its end was taken by someone else (`failure` says which).
    bool WaitUntil(Clock::time_point deadline, int& status, std::string& failure) {
        constexpr int kPollMs = 5;
        while (true) {
            switch (Reap(WNOHANG, status)) {
                case State::kEnded:
                    return true;
                case State::kUnseen:
                    failure = "helper ended unseen";
                    return false;
                case State::kRunning:
                    break;
            }
            if (Clock::now() >= deadline) {
                failure = "helper did not finish in time";
                return false;
            }
            ::poll(nullptr, 0, kPollMs);
        }
    }

  private:
    enum class State { kRunning, kEnded, kUnseen };

    State Reap(int options, int& status) {
        pid_t reaped = 0;
        do {
            reaped = ::waitpid(pid_, &status, options);
        } while (reaped < 0 && errno == EINTR);
        if (reaped == 0) {
            return State::kRunning;
        }
        pid_ = -1;
        return reaped < 0 ? State::kUnseen : State::kEnded;
    }

    pid_t pid_;
};

int MillisecondsUntil(Clock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left <= 0 ? 0 : static_cast<int>(std::min<long long>(left, 1000));
}

// Starts the helper with `channel` as its standard input and output; the process id, or 0 with the
// reason in `failure`.
pid_t Start(const std::filesystem::path& program, int channel, std::string& failure) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, channel, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, channel, STDOUT_FILENO);
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    std::string programText = program.string();
    char* arguments[] = {programText.data(), nullptr};
    pid_t pid = 0;
    const int error = ::posix_spawn(&pid, programText.c_str(), &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        failure = "helper " + program.filename().string() + " cannot be started: " + std::strerror(error);
        return 0;
    }
    return pid;
}

// Writes the input and reads the output over `channel` until the helper closes it; false with the
// reason in `failure` on a time-out, an output past the cap or a broken channel.
bool Exchange(int channel, std::string_view input, const HelperLimits& limits, Clock::time_point deadline,
              std::string& output, std::string& failure) {
    std::size_t sent = 0;
    bool sending = true;
    const auto finishSending = [&] {
        ::shutdown(channel, SHUT_WR);
        sending = false;
    };
    if (input.empty()) {
        finishSending();
    }
    while (true) {
        if (Clock::now() >= deadline) {
            failure = "helper did not finish in time";
            return false;
        }
        pollfd wait{channel, static_cast<short>(POLLIN | (sending ? POLLOUT : 0)), 0};
        const int ready = ::poll(&wait, 1, MillisecondsUntil(deadline));
        if (ready < 0 && errno != EINTR) {
            failure = std::string("helper channel failed: ") + std::strerror(errno);
            return false;
        }
        if (ready <= 0) {
            continue;
        }
        if (sending && (wait.revents & (POLLOUT | POLLERR | POLLHUP)) != 0) {
            const ssize_t wrote =
                ::send(channel, input.data() + sent, input.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
            if (wrote > 0) {
                sent += static_cast<std::size_t>(wrote);
            }
            // A helper that stops reading early is judged by its exit status, not by the unsent rest.
            if (sent == input.size() || (wrote < 0 && errno != EAGAIN && errno != EINTR)) {
                finishSending();
            }
        }
        if ((wait.revents & (POLLIN | POLLERR | POLLHUP)) != 0) {
            char chunk[1 << 16];
            const ssize_t got = ::recv(channel, chunk, sizeof chunk, MSG_DONTWAIT);
            if (got == 0 || (got < 0 && errno != EAGAIN && errno != EINTR)) {
                return true;  // closed: the helper has ended or is ending
            }
            if (got > 0) {
                if (static_cast<std::size_t>(got) > limits.maxOutputBytes - output.size()) {
                    failure = "helper output larger than the import limit";
                    return false;
                }
                output.append(chunk, static_cast<std::size_t>(got));
            }
        }
    }
}

std::string DescribeStatus(int status) {
    if (WIFSIGNALED(status)) {
        return "helper stopped by signal " + std::to_string(WTERMSIG(status));
    }
    return "helper failed with status " + std::to_string(WEXITSTATUS(status));
}

}  // namespace

std::optional<std::string> RunHelper(const std::filesystem::path& program, std::string_view input,
                                     const HelperLimits& limits, std::string& failure) {
    const Clock::time_point deadline = Clock::now() + limits.timeout;
    int ends[2] = {-1, -1};
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        failure = std::string("helper channel cannot be opened: ") + std::strerror(errno);
        return std::nullopt;
    }
    Descriptor ours(ends[0]), theirs(ends[1]);
    const pid_t pid = Start(program, theirs.Get(), failure);
    theirs.Close();
    if (pid == 0) {
        return std::nullopt;
    }
    Child child(pid);
    std::string output;
    if (!Exchange(ours.Get(), input, limits, deadline, output, failure)) {
        return std::nullopt;
    }
    int status = 0;
    if (!child.WaitUntil(deadline, status, failure)) {
        return std::nullopt;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        failure = DescribeStatus(status);
        return std::nullopt;
    }
    return output;
}

}  // namespace filebridge
