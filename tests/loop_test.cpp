// The whole program run against the fake platform: start-up, the passes of
// the main loop, how events reach the bodies, and how a quit ends the run.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <memory>

#include "fake_platform.h"
#include "pose.h"
#include "viewer.h"

namespace {

using fake::Call;
using fake::Pass;
using Calls = std::vector<Call>;

Calls operator+(Calls a, const Calls& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The ground grid, worked out on integers: 201 steps of seven calls, from
// -500 to 500 inclusive.
Calls gridCalls()
{
    Calls calls;
    for (int k = 0; k <= 200; ++k) {
        const double i = -500 + 5 * k;
        calls.push_back({"glBegin", {GL_LINES}});
        calls.push_back({"glColor3ub", {150, 190, 150}});
        calls.push_back({"glVertex3f", {-500, 0, i}});
        calls.push_back({"glVertex3f", {500, 0, i}});
        calls.push_back({"glVertex3f", {i, 0, -500}});
        calls.push_back({"glVertex3f", {i, 0, 500}});
        calls.push_back({"glEnd", {}});
    }
    return calls;
}

// One frame seen from eye towards target, with up (0, 1, 0).
Calls frameCalls(Xyz eye, Xyz target)
{
    return Calls{{"glClear", {GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT}},
                 {"glLoadIdentity", {}},
                 {"gluLookAt", {eye.x, eye.y, eye.z, target.x, target.y, target.z, 0, 1, 0}}} +
           gridCalls() + Calls{{"glFlush", {}}, {"SDL_GL_SwapBuffers", {}}};
}

// Equal call lists, or where they first part, with the calls around it:
// a whole frame is over 1400 calls, too many to read side by side.
testing::AssertionResult sameCalls(const Calls& got, const Calls& want)
{
    std::size_t i = 0;
    while (i < got.size() && i < want.size() && got[i] == want[i]) ++i;
    if (i == got.size() && i == want.size()) return testing::AssertionSuccess();
    testing::AssertionResult failure = testing::AssertionFailure();
    failure << "calls part at #" << i << " (got " << got.size() << ", want " << want.size() << ")\n";
    const std::size_t from = i < 3 ? 0 : i - 3;
    for (std::size_t k = from; k < i + 3; ++k) {
        failure << "  #" << k << "  got " << (k < got.size() ? fake::format(got[k]) : "(none)") << "   want "
                << (k < want.size() ? fake::format(want[k]) : "(none)") << "\n";
    }
    return failure;
}

const Call kPoll{"SDL_PollEvent", {1}};
const Call kKeyState{"SDL_GetKeyState", {0}};
const Call kMouseState{"SDL_GetMouseState", {}};
const Call kWarp{"SDL_WarpMouse", {640, 512}};
constexpr Xyz kStartEye{0, 2.5f, 5};
constexpr Xyz kStartTarget{0, 2.5f, 0};

const Calls kStartUp = {
    {"SDL_Init", {SDL_INIT_VIDEO | SDL_INIT_AUDIO}},
    {"SDL_SetVideoMode", {1280, 1024, 32, static_cast<double>(SDL_FULLSCREEN | SDL_OPENGL)}},
    {"SDL_GL_SetAttribute", {SDL_GL_DEPTH_SIZE, 32}},
    {"SDL_GL_SetAttribute", {SDL_GL_DOUBLEBUFFER, 1}},
    {"SDL_EnableKeyRepeat", {10, 30}},
    {"glShadeModel", {GL_SMOOTH}},
    {"glClearColor", {0, 0, 0, 0}},
    {"glClearDepth", {1}},
    {"glEnable", {GL_DEPTH_TEST}},
    {"glDepthFunc", {GL_LEQUAL}},
    {"glHint", {GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST}},
    {"SDL_ShowCursor", {SDL_DISABLE}},
    {"glMatrixMode", {GL_PROJECTION}},
    {"glLoadIdentity", {}},
    // The near plane is the single-precision 0.1, widened.
    {"gluPerspective", {45, 1, 0.10000000149011612, 100}},
    {"glMatrixMode", {GL_MODELVIEW}},
    {"glLoadIdentity", {}},
};

class LoopTest : public testing::Test {
protected:
    void SetUp() override { fake::reset(); }

    // Runs the program over the scripted passes; the result is SDL_main's.
    static int run(std::vector<Pass> passes)
    {
        fake::script(std::move(passes));
        char name[] = "gridwalk";
        char* argv[] = {name, nullptr};
        const int result = SDL_main(1, argv);
        EXPECT_FALSE(fake::scriptOverran()) << "the loop went on past the scripted quit";
        EXPECT_FALSE(fake::recordOverflowed());
        return result;
    }

    // The recorded calls after start-up, which is checked once on its own.
    static Calls loopCalls()
    {
        Calls all = fake::calls();
        return Calls(all.begin() + static_cast<std::ptrdiff_t>(kStartUp.size()), all.end());
    }
};

TEST_F(LoopTest, StartUpSetsTheSceneAndPlacesTheBodies)
{
    EXPECT_EQ(run({{{fake::quit()}}}), 0);

    const Calls all = fake::calls();
    ASSERT_GE(all.size(), kStartUp.size());
    EXPECT_TRUE(sameCalls(Calls(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(kStartUp.size())), kStartUp));
    EXPECT_EQ(fake::callsNamed("SDL_Quit").size(), 0u) << "SDL is shut down at exit, not by the loop";
    expectVector("camera up", objCamera.upVector, {0, 1, 0});
    expectVector("player position", objPlayer.position, kStartEye);
    expectVector("player view", objPlayer.view, kStartTarget);
    EXPECT_EQ(objPlayer.getHealth(), 100);
}

TEST_F(LoopTest, APassDrainsLooksThenDraws)
{
    EXPECT_EQ(run({{}, {{fake::quit()}}}), 0);

    const Calls want = Calls{kPoll, kMouseState} + frameCalls(kStartEye, kStartTarget) +
                       Calls{kPoll, kPoll, kMouseState} + frameCalls(kStartEye, kStartTarget);
    EXPECT_TRUE(sameCalls(loopCalls(), want));
}

TEST_F(LoopTest, InputTakenInAPassShowsInThatPassesFrame)
{
    Pass walk{{fake::keyDown(SDLK_w)}, {SDLK_w}, std::nullopt};
    Pass look{{}, {}, std::make_pair(650, 512)};
    EXPECT_EQ(run({walk, look, {{fake::quit()}}}), 0);

    const Calls want = Calls{kPoll, kKeyState, kPoll, kMouseState} + frameCalls({0, 2.5f, 4.25f}, {0, 2.5f, -0.75f}) +
                       Calls{kPoll, kMouseState, kWarp} +
                       frameCalls({0, 2.5f, 4.25f}, {0.049999166f, 2.5f, -0.74975f}) +
                       Calls{kPoll, kPoll, kMouseState} + frameCalls({0, 2.5f, 4.25f}, {0.049999166f, 2.5f, -0.74975f});
    EXPECT_TRUE(sameCalls(loopCalls(), want));
}

// A quit takes effect at the end of its pass: the key-downs behind it still
// walk, the mouse is still applied and one more frame is drawn.
TEST_F(LoopTest, QuitAndEscapeFinishTheirPass)
{
    struct Case {
        const char* name;
        SDL_Event ending;
        Calls want_drain;
        Xyz want_eye;
    };
    const Case cases[] = {
        {"quit", fake::quit(), {kPoll, kPoll, kKeyState, kPoll}, {0, 2.5f, 4.25f}},
        // Escape's own key-down walks too.
        {"escape", fake::keyDown(SDLK_ESCAPE), {kPoll, kKeyState, kPoll, kKeyState, kPoll}, {0, 2.5f, 3.5f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake::reset();
        Pass ending{{c.ending, fake::keyDown(SDLK_SPACE)}, {SDLK_w}, std::make_pair(640, 412)};
        Pass never{{fake::keyDown(SDLK_w)}, {SDLK_w}, std::nullopt};

        EXPECT_EQ(run({ending, never}), 0);

        // The pointer 100 pixels up raises the target by 0.2.
        const Xyz target{0, 2.7f, c.want_eye.z - 5};
        EXPECT_TRUE(sameCalls(loopCalls(), c.want_drain + Calls{kMouseState, kWarp} + frameCalls(c.want_eye, target)));
    }
}

TEST_F(LoopTest, EveryKeyDownWalksAndNothingElseDoes)
{
    struct Case {
        const char* name;
        std::vector<SDL_Event> events;
        float want_eye_z;  // W is held throughout
    };
    const Case cases[] = {
        {"space", {fake::keyDown(SDLK_SPACE)}, 4.25f},
        {"an arrow", {fake::keyDown(SDLK_UP)}, 4.25f},
        {"a letter", {fake::keyDown(SDLK_x)}, 4.25f},
        {"two key-downs in one drain", {fake::keyDown(SDLK_w), fake::keyDown(SDLK_w)}, 3.5f},
        {"key-up", {fake::keyUp(SDLK_w)}, 5},
        {"pointer motion", {fake::mouseMotion(900, 100)}, 5},
        {"mouse button", {fake::mouseButtonDown(640, 512)}, 5},
        {"focus change", {fake::focusChange()}, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake::reset();
        EXPECT_EQ(run({{c.events, {SDLK_w}, std::nullopt}, {{fake::quit()}}}), 0);

        // The whole pose of the first frame: nothing but walking may move it.
        const Calls looks_at = fake::callsNamed("gluLookAt");
        ASSERT_EQ(looks_at.size(), 2u);
        const Call want{"gluLookAt", {0, 2.5f, c.want_eye_z, 0, 2.5f, c.want_eye_z - 5, 0, 1, 0}};
        EXPECT_EQ(looks_at[0], want);
        EXPECT_EQ(fake::callsNamed("SDL_GetMouseState").size(), 2u) << "the pointer is polled, once a pass";
        EXPECT_EQ(fake::callsNamed("SDL_WarpMouse").size(), 0u);
    }
}

TEST_F(LoopTest, FrameIgnoresTheSurfaceItIsGiven)
{
    objCamera.setCameraPosition(0, 2.5f, 5, 0, 2.5f, 0, 0, 1, 0);
    SDL_Surface surface{};
    DrawScene(&surface);
    DrawScene(nullptr);
    EXPECT_TRUE(sameCalls(fake::calls(), frameCalls(kStartEye, kStartTarget) + frameCalls(kStartEye, kStartTarget)));
}

TEST_F(LoopTest, ArgumentsChangeNothing)
{
    const std::vector<Pass> passes = {{{fake::keyDown(SDLK_d)}, {SDLK_d}, std::make_pair(700, 300)}, {{fake::quit()}}};
    run(passes);
    const Calls without_arguments = fake::calls();

    fake::reset();
    fake::script(passes);
    char a0[] = "gridwalk";
    char a1[] = "--window";
    char a2[] = "-geometry";
    char a3[] = "640x480";
    char* argv[] = {a0, a1, a2, a3, nullptr};
    EXPECT_EQ(SDL_main(4, argv), 0);
    EXPECT_TRUE(sameCalls(fake::calls(), without_arguments));
}

TEST_F(LoopTest, LoopMakesNoHeapAllocation)
{
    run({{{fake::keyDown(SDLK_w), fake::keyDown(SDLK_a)}, {SDLK_w, SDLK_a}, std::make_pair(100, 900)},
         {{fake::mouseMotion(1, 1), fake::keyUp(SDLK_a)}, {SDLK_w}, std::make_pair(1279, 0)},
         {{fake::keyDown(SDLK_ESCAPE)}, {SDLK_s, SDLK_d}, std::nullopt}});
    EXPECT_EQ(fake::allocationsSinceLoopStart(), 0);

    // The counter does see an allocation, so the zero above means something.
    auto probe = std::make_unique<int>(1);
    EXPECT_EQ(fake::allocationsSinceLoopStart(), 1);
}

}  // namespace
