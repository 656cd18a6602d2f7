// How the process ends: the two start-up failures and a normal quit, each in
// a child process. The fake traces every call to standard error and the
// program's standard output is joined to it, so one text shows the calls, the
// line printed and whether SDL was shut down at exit, in the order they came.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "fake_platform.h"
#include "viewer.h"

namespace {

int runJoined()
{
    // Whatever the test runner has buffered goes out first, to the old stdout.
    fflush(stdout);
    dup2(STDERR_FILENO, STDOUT_FILENO);
    char name[] = "gridwalk";
    char* argv[] = {name, nullptr};
    return SDL_main(1, argv);
}

class ExitTest : public testing::Test {
protected:
    // A fresh process for each child, so no exit handler registered by an
    // earlier test can run in it.
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(ExitTest, InitFailurePrintsItsLineAndExitsWithoutShutDown)
{
    struct Case {
        const char* name;
        int init_result;
    };
    const Case cases[] = {{"minus one", -1}, {"any negative", -7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake::StartUp start_up;
        start_up.init_result = c.init_result;
        start_up.error = "No available video device";
        start_up.trace_to_stderr = true;
        fake::reset(start_up);
        EXPECT_EXIT(runJoined(), testing::ExitedWithCode(1),
                    testing::StrEq("SDL_Init(48)\n"
                                   "SDL_GetError()\n"
                                   "Unable to init SDL: No available video device\n"));
    }
}

TEST_F(ExitTest, VideoModeFailurePrintsItsLineThenShutsSdlDown)
{
    fake::StartUp start_up;
    start_up.video_mode_fails = true;
    start_up.error = "No video mode large enough for 1280x1024";
    start_up.trace_to_stderr = true;
    fake::reset(start_up);
    // 2147483650 is SDL_FULLSCREEN | SDL_OPENGL. The line comes before the
    // shut-down: it is flushed before exit runs the handlers.
    EXPECT_EXIT(runJoined(), testing::ExitedWithCode(1),
                testing::StrEq("SDL_Init(48)\n"
                               "SDL_SetVideoMode(1280, 1024, 32, 2147483650)\n"
                               "SDL_GetError()\n"
                               "Unable to set 1280x1024 video: No video mode large enough for 1280x1024\n"
                               "SDL_Quit()\n"));
}

TEST_F(ExitTest, NormalQuitReturnsZeroAndShutsSdlDownAtExit)
{
    fake::StartUp start_up;
    start_up.trace_to_stderr = true;
    fake::reset(start_up);
    fake::script({{{fake::quit()}}});
    EXPECT_EXIT(std::exit(runJoined()), testing::ExitedWithCode(0),
                testing::EndsWith("glFlush()\nSDL_GL_SwapBuffers()\nSDL_Quit()\n"));
}

}  // namespace
