// End-to-end tests: the real gridwalk binary on a real X server, with real
// input through XTest and the picture read back from the screen. Run once
// per SDL 1.2 runtime; the command line says which.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "grid_model.h"
#include "viewer_process.h"
#include "x_session.h"

namespace e2e {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

// What the command line gives: the binary, the runtime and the X servers.
struct Setup {
    std::string viewer;
    std::string runtime = "classic";
    // Where the runtime's libSDL-1.2 lives; empty for the system's default.
    std::string sdl_library_dir;
    std::string xvfb_dir;
    std::string small_xvfb_dir;
};
Setup setup;

constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1024;
constexpr int kCentreX = 640;
constexpr int kCentreY = 512;
// Where a cut pointer move ends, in pixels from the screen's edge: inside the
// band of 8 where classic SDL recentres the pointer.
constexpr int kEdgeLandingPx = 4;
// Frames to wait after an input before judging the picture: the first may
// have been under way when the input arrived, the second takes it in; one
// more allows for a drawing counted twice.
constexpr int kFramesToSettle = 3;
// Generous bounds on waits that end early when things go well.
constexpr milliseconds kStartTimeout{20000};
constexpr milliseconds kFrameTimeout{10000};
constexpr milliseconds kExitTimeout{10000};
// Key repeat as the viewer sets it: first repeat after 10 ms, then every 30.
constexpr int kRepeatDelayMs = 10;
constexpr int kRepeatIntervalMs = 30;
// The soak: how long, and how often the picture and memory are sampled.
constexpr seconds kSoakDuration{60};
constexpr milliseconds kSoakSampleEvery{1000};
constexpr seconds kSoakWarmUp{10};
// Resident growth allowed after warm-up, in KiB: room for the allocator's
// arenas to step once or twice, far below what a leak per frame would add.
constexpr long kSoakResidentGrowthKiB = 4096;
// How long a tapped key stays down.
constexpr milliseconds kTapMs{40};

std::string readDisplay(const std::string& dir)
{
    std::ifstream in(dir + "/display");
    std::string display;
    in >> display;
    return display;
}

// The environment that puts the viewer on the runtime under test.
std::map<std::string, std::optional<std::string>> runtimeEnvironment(const std::string& display)
{
    std::map<std::string, std::optional<std::string>> environment;
    environment["DISPLAY"] = display;
    environment["SDL_VIDEODRIVER"] = std::nullopt;
    environment["LD_LIBRARY_PATH"] =
        setup.sdl_library_dir.empty() ? std::nullopt : std::optional<std::string>(setup.sdl_library_dir);
    return environment;
}

// The libSDL-1.2 the running child has mapped, from /proc.
std::string mappedSdl(pid_t pid)
{
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    std::string line;
    while (std::getline(maps, line)) {
        const auto at = line.find('/');
        if (at != std::string::npos && line.find("libSDL-1.2.so") != std::string::npos) {
            return line.substr(at);
        }
    }
    return "";
}

bool allBlack(const Frame& frame)
{
    return std::all_of(frame.pixels.begin(), frame.pixels.end(),
                       [](std::uint32_t pixel) { return pixel == kBlackRgb; });
}

// "" when every pixel is the background or the grid's colour.
std::string strayColour(const Frame& frame)
{
    for (int y = 0; y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            const std::uint32_t pixel = frame.at(x, y);
            if (pixel != kBlackRgb && pixel != kGridRgb) {
                char text[96];
                std::snprintf(text, sizeof text, "pixel (%d, %d) is #%06x, neither black nor the grid", x, y, pixel);
                return text;
            }
        }
    }
    return "";
}

// Keeps a frame a test failed on in the working directory, named after the
// test, and returns the file's name.
std::string keepFrame(const Frame& frame)
{
    static int kept = 0;
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string path = std::string(test->test_suite_name()) + "." + test->name() + "." + setup.runtime + "." +
                       std::to_string(++kept) + ".ppm";
    writePpm(frame, path);
    return path;
}

// Fails the test, keeping the frame, when it does not show the grid from the pose.
void expectGrid(const Frame& frame, const Pose& pose)
{
    const std::string difference = compareWithGrid(frame, pose);
    if (!difference.empty()) {
        ADD_FAILURE() << difference << " (frame kept in " << keepFrame(frame) << ")";
    }
}

// The one whole number of steps in [lo, hi] whose pose the frame shows, or
// nullopt with the reason in *why.
std::optional<int> stepsShown(const Frame& frame, Pose (*pose_after)(int), int lo, int hi, std::string* why)
{
    std::vector<int> matches;
    for (int steps = lo; steps <= hi; ++steps) {
        if (compareWithGrid(frame, pose_after(steps)).empty()) {
            matches.push_back(steps);
        }
    }
    if (matches.size() == 1) {
        return matches.front();
    }
    *why = matches.empty()
               ? "no whole number of steps in [" + std::to_string(lo) + ", " + std::to_string(hi) + "] gives this frame"
               : "several step counts give this frame";
    *why += " (frame kept in " + keepFrame(frame) + ")";
    return std::nullopt;
}

// Key-downs a hold of hold_ms can bring at most: the press, the first repeat
// and one per interval after it, and one more for a repeat due at release.
int mostStepsFor(long hold_ms) { return 3 + static_cast<int>((hold_ms - kRepeatDelayMs) / kRepeatIntervalMs); }

// One viewer on the tests' X server, started with the pointer at the centre
// and judged ready once it is drawing.
class ViewerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        display_name_ = readDisplay(setup.xvfb_dir);
        ASSERT_FALSE(display_name_.empty()) << "no X server recorded in " << setup.xvfb_dir;
        x_ = std::make_unique<XSession>(display_name_);
        ASSERT_EQ(x_->error(), "");
        start();
    }

    void TearDown() override
    {
        if (viewer_ && viewer_->running()) {
            x_->key("Escape", true);
            x_->key("Escape", false);
            viewer_->waitForEnd(kExitTimeout);
        }
    }

    void start()
    {
        // sdl12-compat takes the pointer's offset at start-up as a first move.
        x_->placePointer(kCentreX, kCentreY);
        viewer_ = std::make_unique<ViewerProcess>(setup.viewer, runtimeEnvironment(display_name_));
        const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
        while (true) {
            ASSERT_TRUE(viewer_->running())
                << "viewer ended at start-up: " << viewer_->waitForEnd(milliseconds(0))->describe()
                << "\nstdout: " << viewer_->output() << "\nstderr: " << viewer_->errors();
            ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "no grid on the screen after start-up";
            if (x_->waitForFrames(1, milliseconds(200)) && !allBlack(x_->capture())) {
                break;
            }
        }
        const std::string sdl = mappedSdl(viewer_->pid());
        // Without this, a lookup that found nothing would pass as classic SDL.
        ASSERT_FALSE(sdl.empty()) << "no libSDL-1.2 mapped in the viewer";
        if (setup.sdl_library_dir.empty()) {
            ASSERT_EQ(sdl.find("sdl12-compat"), std::string::npos) << "wanted classic SDL, got " << sdl;
        } else {
            ASSERT_EQ(sdl.rfind(setup.sdl_library_dir, 0), 0u) << "wanted " << setup.runtime << ", got " << sdl;
        }
        ASSERT_TRUE(x_->waitForFrames(kFramesToSettle, kFrameTimeout));
    }

    // Escape, and the viewer's ending.
    Ending quit()
    {
        x_->key("Escape", true);
        x_->key("Escape", false);
        const std::optional<Ending> ending = viewer_->waitForEnd(kExitTimeout);
        return ending ? *ending : Ending{false, 0, 0};
    }

    // The picture once the viewer has taken in everything sent so far.
    Frame settled()
    {
        EXPECT_TRUE(x_->waitForFrames(kFramesToSettle, kFrameTimeout)) << "the viewer stopped drawing";
        return x_->capture();
    }

    // A pointer move of dx, dy pixels as a mouse makes it, taken in by the
    // viewer as one offset from the centre (at most 512 up, 511 down, 640
    // left, 639 right: SDL keeps its pointer on the screen). The two runtimes
    // read the mouse differently, and the X pointer must not run into a
    // screen edge, where the server would cut the motion short:
    // - sdl12-compat reads the device's raw motion and ignores warps, so the
    //   X pointer is simply put back at the centre first;
    // - classic SDL counts every change of the X pointer, warps included, and
    //   itself puts the pointer back at the centre only when a motion ends
    //   within 8 pixels of an edge. A move that would leave the screen is cut
    //   at 4 pixels from the edge, where SDL recentres, and finished from
    //   there.
    void lookBy(int dx, int dy)
    {
        if (!setup.sdl_library_dir.empty()) {
            x_->placePointer(kCentreX, kCentreY);
            x_->movePointerBy(dx, dy);
            x_->waitForFrames(kFramesToSettle, kFrameTimeout);
            return;
        }
        while (dx != 0 || dy != 0) {
            int x = 0;
            int y = 0;
            x_->pointer(&x, &y);
            double part = 1.0;
            auto cut = [&part](int at, int by, int size) {
                const int to = at + by;
                if (to < 0) {
                    part = std::min(part, static_cast<double>(kEdgeLandingPx - at) / by);
                } else if (to >= size) {
                    part = std::min(part, static_cast<double>(size - 1 - kEdgeLandingPx - at) / by);
                }
            };
            cut(x, dx, kScreenWidth);
            cut(y, dy, kScreenHeight);
            const int step_x = static_cast<int>(std::lround(dx * part));
            const int step_y = static_cast<int>(std::lround(dy * part));
            x_->movePointerBy(step_x, step_y);
            x_->waitForFrames(kFramesToSettle, kFrameTimeout);
            dx -= step_x;
            dy -= step_y;
        }
    }

    // Holds a key for hold_ms; returns how long it was really held, in ms.
    long hold(const char* key, long hold_ms)
    {
        const auto pressed = std::chrono::steady_clock::now();
        x_->key(key, true);
        std::this_thread::sleep_for(milliseconds(hold_ms));
        x_->key(key, false);
        return std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - pressed).count();
    }

    // A short press and release, as a typist taps a key.
    void tap(const char* key)
    {
        x_->key(key, true);
        std::this_thread::sleep_for(kTapMs);
        x_->key(key, false);
    }

    std::string display_name_;
    std::unique_ptr<XSession> x_;
    std::unique_ptr<ViewerProcess> viewer_;
};

TEST_F(ViewerTest, FirstFrameShowsTheGridFromTheStartPose)
{
    const Frame frame = settled();
    EXPECT_EQ(strayColour(frame), "");
    expectGrid(frame, startPose());

    // The far plane, 100 ahead, cuts the grid off: nothing between the
    // horizon and the ground's row at that depth (1.5 rows above the line at
    // z = -95 and as far below the first line past the cut).
    const double cut_row = groundRowAhead(startPose(), 100.0);
    for (int y = 0; y < static_cast<int>(cut_row) - 1; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            ASSERT_FALSE(frame.isGrid(x, y))
                << "grid at (" << x << ", " << y << "), beyond the far cut at row " << cut_row;
        }
    }
    // The line x = 0 runs straight down the middle, from the cut to the bottom.
    for (int y = static_cast<int>(cut_row) + 2; y < frame.height; ++y) {
        EXPECT_TRUE(frame.isGrid(639, y) || frame.isGrid(640, y)) << "line x = 0 missing at row " << y;
    }
    // The lines across, z = -5 to z = -90, each where the camera puts it.
    for (int z = -5; z >= -90; z -= 5) {
        const double row = groundRowAhead(startPose(), 5.0 - z);
        const int near_row = static_cast<int>(std::lround(row - 0.5));
        EXPECT_TRUE(frame.isGrid(320, near_row) || frame.isGrid(320, near_row - 1) || frame.isGrid(320, near_row + 1))
            << "line z = " << z << " missing near row " << row;
    }
}

TEST_F(ViewerTest, PointerOffsetTurnsAndTiltsTheViewOnce)
{
    // Each move is from the centre; the pose is the sum of all moves so far,
    // 0.001 rad of turn and 0.002 units of target height a pixel.
    struct Case {
        const char* name;
        int dx, dy;
        double right_rad, up;
    };
    const Case cases[] = {
        {"right 100 turns right: the line x = 0 moves left", 100, 0, 0.1, 0.0},
        {"left 250 turns back past the start", -250, 0, -0.15, 0.0},
        {"up 100 raises the view: the horizon moves down", 0, -100, -0.15, 0.2},
        {"down 300 lowers it below level", 0, 300, -0.15, -0.4},
        {"a diagonal turns and tilts at once", 40, 60, -0.11, -0.52},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        lookBy(c.dx, c.dy);
        const Frame after_move = settled();
        expectGrid(after_move, looked(c.right_rad, c.up));
        // The offset is taken once and the pointer put back: with the mouse
        // still, frames later the view has not moved on.
        ASSERT_TRUE(x_->waitForFrames(10, kFrameTimeout));
        EXPECT_TRUE(x_->capture() == after_move) << "the view kept moving with the pointer at rest";
    }
}

TEST_F(ViewerTest, HighViewIsBlackAndTiltStopsAtTheLimit)
{
    // The lower edge of the view is 22.5 degrees below its centre: with the
    // target 2.0 above the eye (21.8 degrees up) a strip of ground is left,
    // at 2.2 (23.7 degrees) nothing.
    lookBy(0, -500);
    lookBy(0, -500);
    expectGrid(settled(), looked(0, 2.0));
    lookBy(0, -100);
    EXPECT_TRUE(allBlack(settled())) << "ground shown while looking 23.7 degrees up";

    // Far past the limit of 8 above or below the eye, then 7 back: at the
    // limit that is 1.0 from level, without it 5.2 (all black) or -3.
    struct Case {
        const char* name;
        int push_dy;
        double back_to;
    };
    const Case cases[] = {
        {"pushed up 5000 pixels, then down 3500", -500, 1.0},
        {"pushed down 8500 pixels, then up 3500", 500, -1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int i = 0; i < (c.push_dy < 0 ? 10 : 17); ++i) {
            lookBy(0, c.push_dy);
        }
        for (int i = 0; i < 7; ++i) {
            lookBy(0, -c.push_dy);
        }
        expectGrid(settled(), looked(0, c.back_to));
    }
}

TEST_F(ViewerTest, HeldKeyWalksWholeStepsOfThreeQuarters)
{
    // A step is 0.75 world units; the picture repeats every 20 steps (15
    // units, three grid lines), so a hold is kept short enough that the count
    // it can bring, and its mirror image, are told apart.
    constexpr long kHoldMs = 150;
    struct Case {
        const char* name;
        const char* key;
        Pose (*pose_after)(int);
        int sign;
    };
    const Case cases[] = {
        {"W walks forward", "w", walked, 1},
        {"S backs off", "s", walked, -1},
        {"D steps right: the line x = 0 moves left", "d", strafed, 1},
        {"A steps left: the line x = 0 moves right", "a", strafed, -1},
    };
    bool first = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!first) {
            ASSERT_EQ(quit().describe(), "exit status 0");
            start();
        }
        first = false;
        const long held_ms = hold(c.key, kHoldMs);
        std::string why;
        const int most = mostStepsFor(held_ms);
        const std::optional<int> steps = c.sign > 0 ? stepsShown(settled(), c.pose_after, 1, most, &why)
                                                    : stepsShown(settled(), c.pose_after, -most, -1, &why);
        EXPECT_TRUE(steps.has_value()) << why << " (held " << held_ms << " ms)";
        std::printf("%s: %d steps in %ld ms\n", c.name, steps.value_or(0), held_ms);
    }
}

TEST_F(ViewerTest, LongerHoldsWalkFurther)
{
    std::string why;
    const long short_ms = hold("w", 100);
    const std::optional<int> after_short = stepsShown(settled(), walked, 1, mostStepsFor(short_ms), &why);
    ASSERT_TRUE(after_short.has_value()) << why;
    const long long_ms = hold("w", 300);
    const std::optional<int> after_long =
        stepsShown(settled(), walked, *after_short + 1, *after_short + mostStepsFor(long_ms), &why);
    ASSERT_TRUE(after_long.has_value()) << why;
    std::printf("%d steps in %ld ms, then %d in %ld ms\n", *after_short, short_ms, *after_long - *after_short, long_ms);
    EXPECT_GT(*after_long - *after_short, *after_short);
}

TEST_F(ViewerTest, HeldKeyWalksOnEveryKeyDownOfAnotherKey)
{
    // Key repeat follows the last key pressed: after space is tapped, W
    // still held no longer repeats. Each further tap is a key-down of its
    // own, and each key-down walks for every key held.
    std::string why;
    x_->key("w", true);
    std::this_thread::sleep_for(milliseconds(100));
    tap("space");
    const Frame repeat_over = settled();
    const std::optional<int> before = stepsShown(repeat_over, walked, 1, 19, &why);
    ASSERT_TRUE(before.has_value()) << why;
    ASSERT_TRUE(x_->waitForFrames(10, kFrameTimeout));
    ASSERT_TRUE(x_->capture() == repeat_over)
        << "W still repeating after the tap: the rest of the test would prove nothing";

    tap("space");
    const std::optional<int> after = stepsShown(settled(), walked, *before + 1, 19, &why);
    x_->key("w", false);
    EXPECT_TRUE(after.has_value()) << "a tap of space while W was held did not walk: " << why;
}

TEST_F(ViewerTest, QuitsWithStatusZeroAndPrintsNothing)
{
    struct Case {
        const char* name;
        int signal_number;  // 0: press Escape
    };
    const Case cases[] = {{"Escape", 0}, {"SIGTERM", SIGTERM}, {"SIGINT", SIGINT}};
    bool first = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!first) {
            start();
        }
        first = false;
        Ending ending;
        if (c.signal_number == 0) {
            ending = quit();
        } else {
            viewer_->sendSignal(c.signal_number);
            ending = viewer_->waitForEnd(kExitTimeout).value_or(Ending{false, 0, 0});
        }
        EXPECT_EQ(ending.describe(), "exit status 0");
        EXPECT_EQ(viewer_->output(), "");
    }
}

TEST_F(ViewerTest, SurvivesAMinuteOfRandomInput)
{
    // Keys of every kind but Escape, pressed and released at random, and the
    // pointer thrown anywhere on the screen. Fixed seed: a failure replays.
    static const char* const kKeys[] = {"w",         "a",         "s",      "d",       "q",         "e",        "z",
                                        "x",         "1",         "2",      "0",       "space",     "Return",   "Tab",
                                        "BackSpace", "Delete",    "Insert", "Home",    "End",       "Prior",    "Next",
                                        "Left",      "Right",     "Up",     "Down",    "F1",        "F5",       "F12",
                                        "Shift_L",   "Control_L", "Alt_L",  "Super_L", "Caps_Lock", "Num_Lock", "KP_5",
                                        "KP_Enter",  "comma",     "period", "slash",   "minus",     "grave"};
    std::mt19937 random(20261211);
    std::uniform_int_distribution<std::size_t> any_key(0, std::size(kKeys) - 1);
    std::uniform_int_distribution<int> any_x(0, kScreenWidth - 1);
    std::uniform_int_distribution<int> any_y(0, kScreenHeight - 1);
    std::uniform_int_distribution<int> lower_y(kCentreY, kScreenHeight - 1);
    std::uniform_int_distribution<int> action(0, 9);
    std::uniform_int_distribution<int> pause_ms(0, 20);

    std::vector<const char*> held;
    std::vector<long> resident_kib;
    Frame last = x_->capture();
    int samples = 0;
    int unchanged = 0;
    const auto start = std::chrono::steady_clock::now();
    auto next_sample = start + kSoakSampleEvery;
    while (std::chrono::steady_clock::now() - start < kSoakDuration) {
        const int what = action(random);
        if (what < 4) {
            const char* key = kKeys[any_key(random)];
            if (std::find(held.begin(), held.end(), key) == held.end()) {
                x_->key(key, true);
                held.push_back(key);
            }
        } else if (what < 7 && !held.empty()) {
            x_->key(held.front(), false);
            held.erase(held.begin());
        } else {
            // A jump to anywhere, made as one motion of the mouse. When the
            // view was last seen looking at the sky, aim low, so it comes back
            // to the ground and the frames stay worth comparing.
            int x = 0;
            int y = 0;
            x_->pointer(&x, &y);
            const int to_y = allBlack(last) ? lower_y(random) : any_y(random);
            x_->movePointerBy(any_x(random) - x, to_y - y);
        }
        std::this_thread::sleep_for(milliseconds(pause_ms(random)));

        if (std::chrono::steady_clock::now() >= next_sample) {
            next_sample += kSoakSampleEvery;
            ASSERT_TRUE(viewer_->running()) << "viewer ended: " << viewer_->waitForEnd(milliseconds(0))->describe();
            ASSERT_TRUE(x_->waitForFrames(1, kFrameTimeout)) << "the viewer stopped drawing";
            const Frame frame = x_->capture();
            ASSERT_EQ(strayColour(frame), "");
            unchanged += frame == last ? 1 : 0;
            last = frame;
            ++samples;
            resident_kib.push_back(viewer_->residentKiB());
        }
    }
    for (const char* key : held) {
        x_->key(key, false);
    }
    EXPECT_EQ(quit().describe(), "exit status 0");
    EXPECT_EQ(viewer_->output(), "");

    // Input kept coming, so the picture should have moved between nearly
    // every pair of samples; a frozen view leaves them all the same.
    EXPECT_LE(unchanged, samples / 10) << unchanged << " of " << samples << " samples showed no change";
    // Memory settles once SDL, Mesa and the X connection are warmed up.
    const std::size_t warm = static_cast<std::size_t>(kSoakWarmUp / kSoakSampleEvery);
    ASSERT_GT(resident_kib.size(), warm);
    const auto [low, high] = std::minmax_element(resident_kib.begin() + static_cast<long>(warm), resident_kib.end());
    std::printf("soak on %s: %d samples, %d unchanged; resident %ld KiB at start, %ld to %ld KiB after warm-up\n",
                setup.runtime.c_str(), samples, unchanged, resident_kib.front(), *low, *high);
    EXPECT_LE(*high - *low, kSoakResidentGrowthKiB) << "resident memory grew after warm-up";
}

// Start-up failures on the real library, with their line and status.
TEST(StartupFailure, ScreenTooSmallForTheMode)
{
    const std::string display = readDisplay(setup.small_xvfb_dir);
    ASSERT_FALSE(display.empty());
    XSession x(display);
    ASSERT_EQ(x.error(), "");
    ViewerProcess viewer(setup.viewer, runtimeEnvironment(display));
    if (setup.sdl_library_dir.empty()) {
        // Classic SDL offers only modes the screen has.
        const std::optional<Ending> ending = viewer.waitForEnd(kExitTimeout);
        ASSERT_TRUE(ending.has_value());
        EXPECT_EQ(ending->describe(), "exit status 1");
        EXPECT_THAT(viewer.output(), ::testing::StartsWith("Unable to set 1280x1024 video: "));
        EXPECT_THAT(viewer.output(), ::testing::EndsWith("\n"));
    } else {
        // sdl12-compat scales its 1280x1024 picture to the screen and runs.
        ASSERT_TRUE(x.waitForFrames(kFramesToSettle, kStartTimeout)) << "nothing drawn on the small screen";
        const Frame frame = x.capture();
        EXPECT_EQ(frame.width, 800);
        EXPECT_FALSE(allBlack(frame));
        x.key("Escape", true);
        x.key("Escape", false);
        const std::optional<Ending> ending = viewer.waitForEnd(kExitTimeout);
        ASSERT_TRUE(ending.has_value());
        EXPECT_EQ(ending->describe(), "exit status 0");
        EXPECT_EQ(viewer.output(), "");
    }
}

TEST(StartupFailure, NoDisplay)
{
    std::map<std::string, std::optional<std::string>> environment = runtimeEnvironment("");
    environment["DISPLAY"] = std::nullopt;
    environment["SDL_VIDEODRIVER"] = "x11";
    ViewerProcess viewer(setup.viewer, environment);
    const std::optional<Ending> ending = viewer.waitForEnd(kExitTimeout);
    ASSERT_TRUE(ending.has_value());
    EXPECT_EQ(ending->describe(), "exit status 1");
    EXPECT_THAT(viewer.output(), ::testing::StartsWith("Unable to init SDL: "));
    const std::string output = viewer.output();
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
}

}  // namespace
}  // namespace e2e

int main(int argc, char** argv)
{
    ::testing::InitGoogleMock(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](const char* name) -> std::optional<std::string> {
            const std::string prefix = std::string("--") + name + "=";
            return arg.rfind(prefix, 0) == 0 ? std::optional<std::string>(arg.substr(prefix.size())) : std::nullopt;
        };
        if (auto v = value("viewer")) {
            e2e::setup.viewer = *v;
        } else if (auto v2 = value("runtime")) {
            e2e::setup.runtime = *v2;
        } else if (auto v3 = value("sdl-library-dir")) {
            e2e::setup.sdl_library_dir = *v3;
        } else if (auto v4 = value("xvfb-dir")) {
            e2e::setup.xvfb_dir = *v4;
        } else if (auto v5 = value("small-xvfb-dir")) {
            e2e::setup.small_xvfb_dir = *v5;
        } else {
            std::fprintf(stderr, "unknown argument %s\n", arg.c_str());
            return 2;
        }
    }
    return RUN_ALL_TESTS();
}
