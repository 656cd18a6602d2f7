// Starting, signalling, measuring and reaping the viewer under test.
#include "viewer_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>
#include <vector>

namespace e2e {
namespace {

constexpr std::chrono::milliseconds kReapPoll{10};

std::string makeTempFile(const char* tag)
{
    std::string path = std::string("/tmp/gridwalk-e2e-") + tag + "-XXXXXX";
    const int fd = mkstemp(path.data());
    if (fd >= 0) {
        close(fd);
    }
    return path;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

std::string Ending::describe() const
{
    if (exited) {
        return "exit status " + std::to_string(status);
    }
    return std::string("killed by signal ") + std::to_string(signal) + " (" + strsignal(signal) + ")";
}

ViewerProcess::ViewerProcess(const std::string& binary,
                             const std::map<std::string, std::optional<std::string>>& environment)
    : output_path_(makeTempFile("out")), errors_path_(makeTempFile("err"))
{
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        if (environment.count(text.substr(0, text.find('='))) == 0) {
            entries.push_back(text);
        }
    }
    for (const auto& [name, value] : environment) {
        if (value) {
            entries.push_back(name + "=" + *value);
        }
    }
    std::vector<char*> envp;
    envp.reserve(entries.size() + 1);
    std::transform(entries.begin(), entries.end(), std::back_inserter(envp),
                   [](std::string& entry) { return entry.data(); });
    envp.push_back(nullptr);

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, output_path_.c_str(), O_WRONLY | O_TRUNC, 0);
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, errors_path_.c_str(), O_WRONLY | O_TRUNC, 0);

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGINT);
    sigaddset(&defaults, SIGTERM);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

    std::string program = binary;
    char* argv[] = {program.data(), nullptr};
    if (posix_spawn(&pid_, binary.c_str(), &files, &attributes, argv, envp.data()) != 0) {
        pid_ = -1;
        ending_ = Ending{true, 127, 0};
    }
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&files);
}

ViewerProcess::~ViewerProcess()
{
    if (running()) {
        kill(pid_, SIGKILL);
        waitForEnd(std::chrono::seconds(5));
    }
    unlink(output_path_.c_str());
    unlink(errors_path_.c_str());
}

bool ViewerProcess::running() { return !waitForEnd(std::chrono::milliseconds(0)).has_value(); }

void ViewerProcess::sendSignal(int signal_number)
{
    if (running()) {
        kill(pid_, signal_number);
    }
}

std::optional<Ending> ViewerProcess::waitForEnd(std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!ending_) {
        int status = 0;
        const pid_t reaped = waitpid(pid_, &status, WNOHANG);
        if (reaped == pid_) {
            ending_ = WIFEXITED(status) ? Ending{true, WEXITSTATUS(status), 0} : Ending{false, 0, WTERMSIG(status)};
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            break;
        }
        std::this_thread::sleep_for(kReapPoll);
    }
    return ending_;
}

long ViewerProcess::residentKiB() const
{
    std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
    std::string field;
    while (status >> field) {
        if (field == "VmRSS:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
    }
    return 0;
}

std::string ViewerProcess::output() const { return readFile(output_path_); }
std::string ViewerProcess::errors() const { return readFile(errors_path_); }

}  // namespace e2e
