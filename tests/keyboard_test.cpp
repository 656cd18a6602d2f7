// Walking: one key-down moves the camera and the player one step for each of
// W, S, A, D held at that moment.
#include <gtest/gtest.h>

#include "fake_platform.h"
#include "pose.h"
#include "viewer.h"

namespace {

using fake::Call;

class KeyboardTest : public testing::Test {
protected:
    void SetUp() override
    {
        fake::reset();
        objCamera.setCameraPosition(0, 2.5f, 5, 0, 2.5f, 0, 0, 1, 0);
        objPlayer.setPlayerPosition(0, 2.5f, 5, 0, 2.5f, 0);
    }
};

TEST_F(KeyboardTest, HeldKeysWalkBothBodies)
{
    struct Case {
        const char* name;
        std::initializer_list<SDLKey> held;
        Xyz want_camera_position;
        Xyz want_camera_view;
        Xyz want_player_position;
    };
    const Case cases[] = {
        {"W forward", {SDLK_w}, {0, 2.5f, 4.25f}, {0, 2.5f, -0.75f}, {0, 2.5f, 4.25f}},
        {"S back", {SDLK_s}, {0, 2.5f, 5.75f}, {0, 2.5f, 0.75f}, {0, 2.5f, 5.75f}},
        {"A left", {SDLK_a}, {-0.75f, 2.5f, 5}, {-0.75f, 2.5f, 0}, {-0.75f, 2.5f, 5}},
        {"D right", {SDLK_d}, {0.75f, 2.5f, 5}, {0.75f, 2.5f, 0}, {0.75f, 2.5f, 5}},
        {"nothing held", {}, {0, 2.5f, 5}, {0, 2.5f, 0}, {0, 2.5f, 5}},
        {"other keys only", {SDLK_SPACE, SDLK_UP, SDLK_x}, {0, 2.5f, 5}, {0, 2.5f, 0}, {0, 2.5f, 5}},
        // Opposite steps cancel to within rounding: 0.15f * 5 is 2^-25 more
        // than 0.75, lost when the first step is stored and kept by the second.
        // The player's back step is taken on its already shortened vector,
        // so it ends 0.15 * 0.15 * 5 ahead.
        {"W and S", {SDLK_w, SDLK_s}, {0, 2.5f, 5}, {0, 2.5f, 0x1p-25f}, {0, 2.5f, 4.8875f}},
        {"W and D", {SDLK_w, SDLK_d}, {0.75f, 2.5f, 4.25f}, {0.75f, 2.5f, -0.75f}, {0.637500048f, 2.5f, 4.25f}},
        {"A and D", {SDLK_a, SDLK_d}, {0x1p-25f, 2.5f, 5}, {0x1p-25f, 2.5f, 0}, {0x1p-25f, 2.5f, 5.1125f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        fake::holdKeys(c.held);

        keyboardInput(0.15f);

        expectVector("camera position", objCamera.position, c.want_camera_position);
        expectVector("camera view", objCamera.view, c.want_camera_view);
        expectVector("player position", objPlayer.position, c.want_player_position);
        expectVector("player view", objPlayer.view, {0, 2.5f, 0});
        const std::vector<Call> want = {{"SDL_GetKeyState", {0}}};
        EXPECT_EQ(fake::calls(), want) << "the whole key state, asked for without a count";
    }
}

TEST_F(KeyboardTest, TiltedViewStepsLikeALevelOne)
{
    objCamera.view.y = 10.5f;
    fake::holdKeys({SDLK_w});
    keyboardInput(0.15f);
    expectVector("camera position", objCamera.position, {0, 2.5f, 4.25f});
    expectVector("camera view", objCamera.view, {0, 10.5f, -0.75f});
}

}  // namespace
