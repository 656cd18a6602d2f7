// The real gridwalk binary as a child process on a chosen display and SDL
// runtime, its standard output and error kept in files for the checks.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>

namespace e2e {

// How the child ended: its exit status, or the signal that killed it.
struct Ending {
    bool exited = false;
    int status = 0;
    int signal = 0;
    std::string describe() const;
};

class ViewerProcess {
public:
    // Starts binary with the tests' environment changed by `environment`: a
    // name mapped to nullopt is removed. SIGINT and SIGTERM start at their
    // default dispositions and no signal is blocked, whatever the caller
    // inherited: a test runner in the background of a non-interactive shell
    // has SIGINT ignored, and SDL leaves an ignored SIGINT alone.
    ViewerProcess(const std::string& binary, const std::map<std::string, std::optional<std::string>>& environment);
    // Kills the child if it is still running.
    ~ViewerProcess();
    ViewerProcess(const ViewerProcess&) = delete;
    ViewerProcess& operator=(const ViewerProcess&) = delete;

    pid_t pid() const { return pid_; }
    bool running();
    void sendSignal(int signal_number);
    // The ending, or nullopt if the child is still running after timeout.
    std::optional<Ending> waitForEnd(std::chrono::milliseconds timeout);
    // The child's resident set size in KiB, 0 once it has ended.
    long residentKiB() const;

    std::string output() const;
    std::string errors() const;

private:
    pid_t pid_ = -1;
    std::optional<Ending> ending_;
    std::string output_path_;
    std::string errors_path_;
};

}  // namespace e2e
