// Time from process start to the first frame on screen, for several programs
// in interleaved rounds. It starts each program itself (the clock starts just
// before the fork), polls a strip of the X root window until the grid's colour
// shows in it, then ends the program with SIGTERM and waits for the screen to
// clear before the next start.
//
// Why watch the screen rather than time the first swap: "shown" is what a
// person waits for, and a swap that has returned may still have its image
// queued in the X server. Watching from outside also needs nothing inside the
// programs, so the real gridwalk binary and the floor program are observed
// alike, on either SDL runtime. The price is the poll's resolution: a frame
// is seen at most one poll interval plus one strip read after it lands.
//
// usage: first_frame_observer ROUNDS LOG -- LABEL LIBDIR PROGRAM [ARG...] [-- ...]
// LIBDIR is put in LD_LIBRARY_PATH for that program ("-" unsets it). The
// programs' output goes to LOG. Prints one line per program:
// LABEL<TAB>median_ms<TAB>min_ms<TAB>max_ms.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "grid_colour.h"
#include "median.h"

namespace {

using Clock = std::chrono::steady_clock;

// The rows read on each poll. Just below the horizon of the start-up view,
// where many grid lines cross (and the floor window fills everything); a
// small strip keeps each poll's cost to the X server low.
constexpr int kStripTop = 560;
constexpr int kStripRows = 16;
constexpr auto kPollInterval = std::chrono::milliseconds(1);
// How long a program may take to show its first frame, to quit after
// SIGTERM, and the screen to clear after it has gone.
constexpr auto kFirstFrameTimeout = std::chrono::seconds(30);
constexpr auto kQuitTimeout = std::chrono::seconds(5);
constexpr auto kClearTimeout = std::chrono::seconds(5);

struct Subject {
    std::string label;
    std::string libdir;
    std::vector<std::string> argv;
    std::vector<double> ms;
};

// The program being observed, if one runs: a failure must not leave it
// holding the display.
pid_t g_child = 0;

[[noreturn]] void fail(const std::string& message)
{
    if (g_child > 0) {
        kill(g_child, SIGKILL);
        waitpid(g_child, nullptr, 0);
    }
    std::fprintf(stderr, "first_frame_observer: %s\n", message.c_str());
    std::exit(1);
}

class RootStrip {
public:
    RootStrip()
    {
        display_ = XOpenDisplay(nullptr);
        if (display_ == nullptr) fail("cannot open the X display (is DISPLAY set?)");
        root_ = DefaultRootWindow(display_);
        width_ = DisplayWidth(display_, DefaultScreen(display_));
        if (DisplayHeight(display_, DefaultScreen(display_)) < kStripTop + kStripRows) {
            fail("the screen is too small for the strip watched");
        }
    }
    ~RootStrip() { XCloseDisplay(display_); }
    RootStrip(const RootStrip&) = delete;
    RootStrip& operator=(const RootStrip&) = delete;

    // True when some pixel of the strip has the grid's colour exactly.
    bool showsFrame()
    {
        XImage* image =
            XGetImage(display_, root_, 0, kStripTop, static_cast<unsigned>(width_), kStripRows, AllPlanes, ZPixmap);
        if (image == nullptr) fail("XGetImage failed on the root window");
        // Pixels are read as host words: that needs 32 bits a pixel in host
        // byte order, with 8 bits a channel, which a local Xvfb at depth 24 has.
        const std::uint32_t probe = 1;
        unsigned char first_byte = 0;
        std::memcpy(&first_byte, &probe, 1);
        const int host_order = first_byte == 1 ? LSBFirst : MSBFirst;
        if (image->bits_per_pixel != 32 || image->byte_order != host_order ||
            image->red_mask >> shift(image->red_mask) != 0xff ||
            image->green_mask >> shift(image->green_mask) != 0xff ||
            image->blue_mask >> shift(image->blue_mask) != 0xff) {
            XDestroyImage(image);
            fail("the screen is not 32-bit TrueColor in host byte order");
        }
        const std::uint32_t mask = static_cast<std::uint32_t>(image->red_mask | image->green_mask | image->blue_mask);
        const std::uint32_t wanted =
            static_cast<std::uint32_t>((static_cast<unsigned long>(kGridColourRed) << shift(image->red_mask)) |
                                       (static_cast<unsigned long>(kGridColourGreen) << shift(image->green_mask)) |
                                       (static_cast<unsigned long>(kGridColourBlue) << shift(image->blue_mask)));
        bool found = false;
        for (int y = 0; y < kStripRows && !found; ++y) {
            const char* row = image->data + static_cast<std::ptrdiff_t>(y) * image->bytes_per_line;
            for (int x = 0; x < width_; ++x) {
                std::uint32_t pixel = 0;
                std::memcpy(&pixel, row + static_cast<std::ptrdiff_t>(x) * 4, sizeof pixel);
                if ((pixel & mask) == wanted) {
                    found = true;
                    break;
                }
            }
        }
        XDestroyImage(image);
        return found;
    }

private:
    static int shift(unsigned long mask)
    {
        int s = 0;
        while (mask != 0 && (mask & 1UL) == 0) {
            mask >>= 1;
            ++s;
        }
        return s;
    }

    Display* display_ = nullptr;
    Window root_ = 0;
    int width_ = 0;
};

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The child's side of the fork: output to the log, the runtime chosen, then
// the program. Only the observer's single thread exists, so setenv is safe.
[[noreturn]] void runChild(const Subject& subject, int log_fd)
{
    dup2(log_fd, STDOUT_FILENO);
    dup2(log_fd, STDERR_FILENO);
    if (subject.libdir == "-") {
        unsetenv("LD_LIBRARY_PATH");
    } else {
        setenv("LD_LIBRARY_PATH", subject.libdir.c_str(), 1);
    }
    std::vector<char*> argv;
    // execvp wants char* const[]; it does not write through them.
    std::transform(subject.argv.begin(), subject.argv.end(), std::back_inserter(argv),
                   [](const std::string& arg) { return const_cast<char*>(arg.c_str()); });
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    std::perror(argv[0]);
    _exit(127);
}

// SIGTERM first: SDL turns it into a quit, so the program shuts SDL down
// and releases the display cleanly. SIGKILL only if it does not go.
void endChild(pid_t pid)
{
    kill(pid, SIGTERM);
    const auto start = Clock::now();
    bool gone = false;
    while (!gone && Clock::now() - start < kQuitTimeout) {
        gone = waitpid(pid, nullptr, WNOHANG) == pid;
        if (!gone) std::this_thread::sleep_for(kPollInterval);
    }
    if (!gone) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    g_child = 0;
}

std::string describeStatus(int status)
{
    if (WIFEXITED(status)) return "exit status " + std::to_string(WEXITSTATUS(status));
    if (WIFSIGNALED(status)) return "signal " + std::to_string(WTERMSIG(status));
    return "wait status " + std::to_string(status);
}

double observeOnce(RootStrip& strip, const Subject& subject, int log_fd, const char* log_path)
{
    const auto clear_start = Clock::now();
    while (strip.showsFrame()) {
        if (Clock::now() - clear_start > kClearTimeout) fail("the screen still shows a frame before " + subject.label);
        std::this_thread::sleep_for(kPollInterval);
    }

    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid < 0) fail("fork failed");
    if (pid == 0) runChild(subject, log_fd);
    g_child = pid;

    while (!strip.showsFrame()) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            g_child = 0;
            fail(subject.label + " ended (" + describeStatus(status) + ") before showing a frame; its output is in " +
                 log_path);
        }
        if (Clock::now() - start > kFirstFrameTimeout) {
            endChild(pid);
            fail(subject.label + " showed no frame in time; its output is in " + log_path);
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    const double ms = msSince(start);
    endChild(pid);
    return ms;
}

std::vector<Subject> parseSubjects(int argc, char* argv[], int first)
{
    std::vector<Subject> subjects;
    for (int i = first; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) {
            subjects.emplace_back();
            continue;
        }
        if (subjects.empty()) fail("subjects must each start with --");
        Subject& s = subjects.back();
        if (s.label.empty()) {
            s.label = argv[i];
        } else if (s.libdir.empty()) {
            s.libdir = argv[i];
        } else {
            s.argv.push_back(argv[i]);
        }
    }
    if (subjects.empty()) fail("no programs given");
    for (const Subject& s : subjects) {
        if (s.argv.empty()) fail("each program needs LABEL LIBDIR PROGRAM");
    }
    return subjects;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc < 4) fail("usage: first_frame_observer ROUNDS LOG -- LABEL LIBDIR PROGRAM [ARG...] [-- ...]");
    const int rounds = std::atoi(argv[1]);
    if (rounds < 1) fail("ROUNDS must be a positive number");
    const char* log_path = argv[2];
    std::vector<Subject> subjects = parseSubjects(argc, argv, 3);

    const int log_fd = open(log_path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (log_fd < 0) fail(std::string("cannot open ") + log_path);

    RootStrip strip;
    for (int round = 0; round < rounds; ++round) {
        // Every other round runs the programs in reverse, so none always
        // starts just after the same one.
        for (std::size_t k = 0; k < subjects.size(); ++k) {
            Subject& s = subjects[round % 2 == 0 ? k : subjects.size() - 1 - k];
            s.ms.push_back(observeOnce(strip, s, log_fd, log_path));
        }
    }
    for (const Subject& s : subjects) {
        std::printf("%s\t%.1f\t%.1f\t%.1f\n", s.label.c_str(), median(s.ms),
                    *std::min_element(s.ms.begin(), s.ms.end()), *std::max_element(s.ms.begin(), s.ms.end()));
    }
    close(log_fd);
    return 0;
}
